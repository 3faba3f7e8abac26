// FAO Penman-Monteith (MethodId 8).
#include <gtest/gtest.h>

#include "support/example_station.h"
#include "run/method_table.h"

namespace sorvane {
namespace methods_test {

const std::vector<WorkedExample> kPenmanMonteithExamples{
    {"daily J=1", 8, DailyRecord(1, kDayReadings), 3.861497, {}},
    {"weekly week 1", 8, WeeklyRecord(1, kWeekReadings), 26.57987, 3.797125},
    {"monthly month 1", 8, MonthlyRecord(1, kMonthReadings), 160.0145, 5.161759},
    {"monthly month 2, 28 days", 8, MonthlyRecord(2, kMonthReadings), 153.9474, 5.498123},
};

}  // namespace methods_test

namespace {

using namespace methods_test;

double PenmanMonteithOfDay1(const Readings& readings) {
  return Compute(MethodId::PenmanMonteith, DailyRecord(1, readings), ExampleStation(), ExampleConstants());
}

TEST(PenmanMonteith, WorkedExamples) { CheckWorkedExamples(kPenmanMonteithExamples); }

// RH1 goes with TMIN and RH2 with TMAX.
TEST(PenmanMonteith, ExchangingRH1AndRH2ChangesTheResult) {
  Readings swapped = kDayReadings;
  swapped.RH1 = kDayReadings.RH2;
  swapped.RH2 = kDayReadings.RH1;
  EXPECT_NE(PenmanMonteithOfDay1(swapped), PenmanMonteithOfDay1(kDayReadings));
}

// Humidity readings above 100 on a short winter day at 60 degrees: negative net
// radiation and a negative vapour pressure deficit.
TEST(PenmanMonteith, NegativeValueGivesZero) {
  const Readings winter{0, -5, 120, 120, 1.6, 0, 0};
  EXPECT_EQ(Compute(MethodId::PenmanMonteith, DailyRecord(355, winter), StationAt(60), ConstantsAt(60)), 0.0);
}

TEST(PenmanMonteith, SunshineAboveDayLengthIsNotCapped) {
  Readings longSunshine = kDayReadings, fullSunshine = kDayReadings;
  longSunshine.SS = 14;
  fullSunshine.SS = 11.17153;
  EXPECT_GT(PenmanMonteithOfDay1(longSunshine), PenmanMonteithOfDay1(fullSunshine));
}

}  // namespace
}  // namespace sorvane
