// Turc (MethodId 3).
#include <gtest/gtest.h>

#include "support/example_station.h"
#include "run/method_table.h"

namespace sorvane {
namespace methods_test {

const std::vector<WorkedExample> kTurcExamples{
    {"daily J=1", 3, DailyRecord(1, kDayReadings), 3.696444, {}},
    {"weekly week 1", 3, WeeklyRecord(1, kWeekReadings), 25.99003, 3.712861},
    {"monthly month 1", 3, MonthlyRecord(1, kMonthReadings), 130.1908, 4.199703},
    {"monthly month 2, 28 days", 3, MonthlyRecord(2, kMonthReadings), 126.833, 4.52975},
};

}  // namespace methods_test

namespace {

using namespace methods_test;

double TurcOfDay1(double tmax, double tmin, double sunshineHours) {
  return Compute(MethodId::Turc, DailyRecord(1, Readings{tmax, tmin, 65, 25, 4, sunshineHours, 0}), ExampleStation(),
                        ExampleConstants());
}

TEST(Turc, WorkedExamples) { CheckWorkedExamples(kTurcExamples); }

TEST(Turc, MeanTemperatureBands) {
  EXPECT_EQ(TurcOfDay1(5, -5, 10.2), 0.0) << "Tmean 0";
  EXPECT_EQ(TurcOfDay1(0, -10, 10.2), 0.0) << "Tmean -5: negative, returned as 0";
  EXPECT_GT(TurcOfDay1(-20, -30, 10.2), 0.0) << "Tmean -25: the ratio is positive again";
}

TEST(Turc, NoSunshineStillGivesAPositiveValue) { EXPECT_GT(TurcOfDay1(29.6, 4, 0), 0.0); }

TEST(Turc, SunshineAboveDayLengthIsNotCapped) {
  EXPECT_GT(TurcOfDay1(29.6, 4, 14), TurcOfDay1(29.6, 4, 11.17153));
}

TEST(Turc, HumidityDoesNotEnter) {
  Readings dry = kDayReadings, humid = kDayReadings;
  dry.RH1 = dry.RH2 = 10;
  humid.RH1 = humid.RH2 = 95;
  EXPECT_EQ(Compute(MethodId::Turc, DailyRecord(1, dry), ExampleStation(), ExampleConstants()),
            Compute(MethodId::Turc, DailyRecord(1, humid), ExampleStation(), ExampleConstants()));
}

}  // namespace
}  // namespace sorvane
