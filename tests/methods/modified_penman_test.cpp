// Modified Penman (MethodId 1).
#include <gtest/gtest.h>

#include "support/example_station.h"
#include "run/method_table.h"
#include "methods/solar_geometry.h"

namespace sorvane {
namespace methods_test {

const std::vector<WorkedExample> kModifiedPenmanExamples{
    {"daily J=1", 1, DailyRecord(1, kDayReadings), 4.132141, {}},
    {"weekly week 1", 1, WeeklyRecord(1, kWeekReadings), 29.46815, 4.209736},
    {"monthly month 1", 1, MonthlyRecord(1, kMonthReadings), 175.3475, 5.656372},
    {"monthly month 2, 28 days", 1, MonthlyRecord(2, kMonthReadings), 170.1058, 6.075206},
};

}  // namespace methods_test

namespace {

using namespace methods_test;

TEST(ModifiedPenman, WorkedExamples) { CheckWorkedExamples(kModifiedPenmanExamples); }

// RH1 + RH2 = 200 makes ed equal to es: the wind term vanishes, whatever the wind.
TEST(ModifiedPenman, SaturatedAirLeavesNoWindTerm) {
  for (const Readings humidities : {Readings{29.6, 4, 100, 100}, Readings{29.6, 4, 150, 50}}) {
    Readings calm = kDayReadings, windy = kDayReadings;
    calm.RH1 = windy.RH1 = humidities.RH1;
    calm.RH2 = windy.RH2 = humidities.RH2;
    calm.WS = 1.6;
    windy.WS = 30;
    const double atCalm = Compute(MethodId::ModifiedPenman, DailyRecord(1, calm), ExampleStation(), ExampleConstants());
    const double atWind = Compute(MethodId::ModifiedPenman, DailyRecord(1, windy), ExampleStation(), ExampleConstants());
    EXPECT_GT(atCalm, 0) << "RH1 " << humidities.RH1;
    EXPECT_NEAR(atWind, atCalm, 1e-12) << "RH1 " << humidities.RH1;
  }
}

// Saturated air on a short winter day at 60 degrees: the net radiation is negative and
// with no wind term the result is 0.
TEST(ModifiedPenman, SaturatedAirWithNegativeNetRadiationGivesZero) {
  const Readings winter{-8, -12, 100, 100, 1.6, 0, 0};
  EXPECT_EQ(Compute(MethodId::ModifiedPenman, DailyRecord(355, winter), StationAt(60), ConstantsAt(60)), 0.0);
}

}  // namespace
}  // namespace sorvane
