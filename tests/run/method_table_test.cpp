#include "run/method_table.h"

#include <gtest/gtest.h>

#include "common/text.h"

namespace sorvane {
namespace {

TEST(AvailableMethods, HeadWordsDecideByWholeLineSubstringTests) {
  struct Case {
    const char* header;
    PeriodType period;
    std::vector<int> methods;
  };
  const Case cases[] = {
      {"Date,TMAX,TMIN", PeriodType::Date, {2}},
      {"Year,Week,TMAX,TMIN", PeriodType::Week, {2}},
      {"Year,Month,TMAX,TMIN", PeriodType::Month, {2, 4}},
      {"Year,Month,TMAX,TMIN,RH1,RH2,WS,SS,EVP", PeriodType::Month, {1, 2, 3, 4, 5, 6, 7, 8}},
      {"Date,TMAX,TMIN,RH1,RH2,WS,SS,EVP", PeriodType::Date, {1, 2, 3, 5, 6, 7, 8}},
      {"Year,Week,TMAX,TMIN,RH1,RH2,WS,SS,EVP", PeriodType::Week, {1, 2, 3, 5, 6, 7, 8}},
      {"Date,WS,RH2,EVP", PeriodType::Date, {7}},
      {"Date,TMAX,TMIN,RH1,WS,SS", PeriodType::Date, {1, 2, 3, 5, 8}},
      {"Year,Month,TMAX,TMIN,RH1,WS,SS", PeriodType::Month, {1, 2, 3, 4, 5, 8}},
      {"Date,TMAX,TMIN,PRESS", PeriodType::Date, {2, 3}},  // the SS of PRESS meets the SS test
      {"Date,TMAX1,TMIN1", PeriodType::Date, {2}},         // substring tests, unlike the column codes
      {"Date,RAIN", PeriodType::Date, {}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(AvailableMethods(NormaliseHead(c.header), c.period), c.methods) << c.header;
}

TEST(MethodTable, NamesTheResultColumnsInMethodIdOrder) {
  const char* names[] = {"Modified Penman", "Hargreaves",   "Turc",         "Thornthwaite",
                         "Blaney Criddle",  "Christiansen", "PET Open pan", "Penman Montieth"};
  for (int id = 1; id <= 8; ++id) EXPECT_EQ(MethodEntryFor(id).name, names[id - 1]);
}

}  // namespace
}  // namespace sorvane
