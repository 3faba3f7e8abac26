// Hargreaves (MethodId 2).
#include <gtest/gtest.h>

#include "support/example_station.h"
#include "run/method_table.h"

namespace sorvane {
namespace methods_test {

const std::vector<WorkedExample> kHargreavesExamples{
    {"daily J=1", 2, DailyRecord(1, kDayReadings), 4.751724, {}},
    {"weekly week 1", 2, WeeklyRecord(1, kWeekReadings), 32.91111, 4.701588},
    {"monthly month 1", 2, MonthlyRecord(1, kMonthReadings), 129.775, 4.186289},
    {"monthly month 2, 28 days", 2, MonthlyRecord(2, kMonthReadings), 129.4673, 4.62383},
};

}  // namespace methods_test

namespace {

using namespace methods_test;

TEST(Hargreaves, WorkedExamples) { CheckWorkedExamples(kHargreavesExamples); }

TEST(Hargreaves, NoTemperatureRangeGivesZero) {
  EXPECT_EQ(Compute(MethodId::Hargreaves, DailyRecord(1, Readings{20, 20}), ExampleStation(), ExampleConstants()), 0.0);
}

TEST(Hargreaves, MeanBelowMinus17Point8GivesZero) {
  EXPECT_EQ(Compute(MethodId::Hargreaves, DailyRecord(1, Readings{-20, -25}), ExampleStation(), ExampleConstants()), 0.0);
}

// Only TMAX, TMIN and the day enter: a file with just the two temperatures gets the
// same value as one with every column.
TEST(Hargreaves, OnlyTemperaturesEnter) {
  const Readings temperaturesOnly{29.6, 4, 0, 0, 1.6, 0, 0};
  EXPECT_EQ(Compute(MethodId::Hargreaves, DailyRecord(1, temperaturesOnly), ExampleStation(), ExampleConstants()),
            Compute(MethodId::Hargreaves, DailyRecord(1, kDayReadings), ExampleStation(), ExampleConstants()));
}

}  // namespace
}  // namespace sorvane
