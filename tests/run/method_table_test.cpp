#include "run/method_table.h"

#include <gtest/gtest.h>

#include "common/text.h"

namespace sorvane {
namespace {

// A head word is met only by a recognised column: RH by RH1 or RH2, the others by their
// own column.
TEST(AvailableMethods, HeadWordsAreMetByRecognisedColumns) {
  struct Case {
    std::vector<Parameter> columns;
    PeriodType period;
    std::vector<int> methods;
  };
  using enum Parameter;
  const Case cases[] = {
      {{TMAX, TMIN}, PeriodType::Date, {2}},
      {{TMAX, TMIN}, PeriodType::Week, {2}},
      {{TMAX, TMIN}, PeriodType::Month, {2, 4}},
      {{TMAX, TMIN, RH1, RH2, WS, SS, EVP}, PeriodType::Month, {1, 2, 3, 4, 5, 6, 7, 8}},
      {{TMAX, TMIN, RH1, RH2, WS, SS, EVP}, PeriodType::Date, {1, 2, 3, 5, 6, 7, 8}},
      {{TMAX, TMIN, RH1, RH2, WS, SS, EVP}, PeriodType::Week, {1, 2, 3, 5, 6, 7, 8}},
      {{WS, RH2, EVP}, PeriodType::Date, {7}},
      {{TMAX, TMIN, RH1, WS, SS}, PeriodType::Date, {1, 2, 3, 5, 8}},
      {{TMAX, TMIN, RH2, WS, SS}, PeriodType::Month, {1, 2, 3, 4, 5, 8}},
      {{TMAX, TMIN, None}, PeriodType::Date, {2}},  // PRESS or RAIN: no SS, no Turc
      {{TMAX, None}, PeriodType::Date, {}},         // TMIN1
      {{}, PeriodType::Date, {}},
  };
  for (const Case& c : cases) {
    ParameterSet columns = 0;
    for (Parameter p : c.columns) columns |= Bit(p);
    EXPECT_EQ(AvailableMethods(columns, c.period), c.methods) << ::testing::PrintToString(c.methods);
  }
}

// Each method's parameters are those its formula reads, which its head words name.
TEST(MethodTable, EveryHeadWordNamesAParameterTheMethodReads) {
  for (const MethodEntry& method : kMethodTable)
    for (std::string_view word : method.headWords)
      if (!word.empty()) {
        EXPECT_NE(ParametersOfHeadWord(word) & ParametersOf(method.id), 0u) << method.name << word;
      }
}

TEST(MethodTable, NamesTheResultColumnsInMethodIdOrder) {
  const char* names[] = {"Modified Penman", "Hargreaves",   "Turc",         "Thornthwaite",
                         "Blaney Criddle",  "Christiansen", "PET Open pan", "Penman Montieth"};
  for (int id = 1; id <= 8; ++id) EXPECT_EQ(MethodEntryFor(id).name, names[id - 1]);
}

}  // namespace
}  // namespace sorvane
