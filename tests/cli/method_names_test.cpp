// Method names as users type them on the command line.
#include <gtest/gtest.h>

#include "cli/method_names.h"

namespace sorvane::cli {
namespace {

const std::vector<std::string> kNames{"Modified Penman", "Hargreaves", "Turc", "Blaney Criddle", "PET Open pan",
                                      "Penman Montieth"};

TEST(MatchMethodName, TakesTheNameWhateverItsCaseSpacesOrMonteithSpelling) {
  const struct {
    const char* given;
    std::size_t index;
  } cases[] = {
      {"Penman Montieth", 5}, {"Penman Monteith", 5}, {"penman-monteith", 5}, {"PENMANMONTIETH", 5},
      {"hargreaves", 1},      {"Blaney-Criddle", 3},  {" Turc ", 2},
  };
  for (const auto& c : cases) {
    const MethodNameMatch match = MatchMethodName(c.given, kNames);
    EXPECT_EQ(match.indices, std::vector<std::size_t>{c.index}) << c.given;
    EXPECT_EQ(Suggestion(match), "") << c.given;
  }
}

TEST(MatchMethodName, SuggestsTheNearestNameForAnyOther) {
  const struct {
    const char* given;
    const char* suggestion;
  } cases[] = {
      {"Hargraves", "did you mean 'Hargreaves'?"},
      {"Penman Monteit", "did you mean 'Penman Montieth'?"},
      {"Open pan", "did you mean 'PET Open pan'?"},
      {"Trc", "did you mean 'Turc'?"},
      {"Penman", "did you mean 'Modified Penman' or 'Penman Montieth'?"},
  };
  for (const auto& c : cases) {
    const MethodNameMatch match = MatchMethodName(c.given, kNames);
    EXPECT_TRUE(match.indices.empty()) << c.given;
    EXPECT_EQ(Suggestion(match), c.suggestion) << c.given;
  }
}

}  // namespace
}  // namespace sorvane::cli
