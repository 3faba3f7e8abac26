// Blaney-Criddle (MethodId 5).
#include <gtest/gtest.h>

#include "support/example_station.h"
#include "run/method_table.h"

namespace sorvane {
namespace methods_test {

// The example station's annual day length total is 4382.376 hours.
const std::vector<WorkedExample> kBlaneyCriddleExamples{
    {"daily J=1", 5, DailyRecord(1, kDayReadings), 4.340009, {}},
    {"weekly week 1", 5, WeeklyRecord(1, kWeekReadings), 31.33089, 4.475842},
    {"monthly month 1", 5, MonthlyRecord(1, kMonthReadings), 163.7056, 5.280824},
    {"monthly month 2, 28 days", 5, MonthlyRecord(2, kMonthReadings), 151.3401, 5.405003},
};

}  // namespace methods_test

namespace {

using namespace methods_test;

TEST(BlaneyCriddle, WorkedExamples) { CheckWorkedExamples(kBlaneyCriddleExamples); }

TEST(BlaneyCriddle, RH1DoesNotEnter) {
  Readings other = kDayReadings;
  other.RH1 = 5;
  EXPECT_EQ(Compute(MethodId::BlaneyCriddle, DailyRecord(1, other), ExampleStation(), ExampleConstants()),
            Compute(MethodId::BlaneyCriddle, DailyRecord(1, kDayReadings), ExampleStation(), ExampleConstants()));
}

// A short, sunless, cool and humid day at 60 degrees: a + b f is negative.
TEST(BlaneyCriddle, NegativeValueGivesZero) {
  const Readings winter{0, -10, 95, 95, 1.6, 0, 0};
  EXPECT_EQ(Compute(MethodId::BlaneyCriddle, DailyRecord(355, winter), StationAt(60), ConstantsAt(60)), 0.0);
}

}  // namespace
}  // namespace sorvane
