// Christiansen (MethodId 6).
#include <gtest/gtest.h>

#include "support/example_station.h"
#include "run/method_table.h"
#include "methods/solar_geometry.h"

namespace sorvane {
namespace methods_test {

// EVP holds the period's total: no scaling by 7 or by the days of the month.
const std::vector<WorkedExample> kChristiansenExamples{
    {"daily J=1", 6, DailyRecord(1, kDayReadings), 3.058796, {}},
    {"weekly week 1", 6, WeeklyRecord(1, kWeekReadings), 21.05619, {}},
    {"monthly month 1", 6, MonthlyRecord(1, kMonthReadings), 164.7302, {}},
};

}  // namespace methods_test

namespace {

using namespace methods_test;

double ChristiansenOfDay1(const Readings& readings) {
  return Compute(MethodId::Christiansen, DailyRecord(1, readings), ExampleStation(), ExampleConstants());
}

TEST(Christiansen, WorkedExamples) { CheckWorkedExamples(kChristiansenExamples); }

// Tmean 20, WS 6.7, RH 60 and SS = 0.8 N make every coefficient 1.
TEST(Christiansen, ReferenceConditionsGive0755TimesEvp) {
  const double dayLength = SolarGeometryAt(LatitudeRadians(kExampleLatitude), 1).DayLength;
  const Readings reference{25, 15, 60, 60, 6.7, 0.8 * dayLength, 4.2};
  EXPECT_NEAR(ChristiansenOfDay1(reference), 0.755 * 4.2, 1e-12);
}

TEST(Christiansen, NoOrNegativeEvpGivesZero) {
  Readings readings = kDayReadings;
  readings.EVP = 0;
  EXPECT_EQ(ChristiansenOfDay1(readings), 0.0) << "EVP 0";
  readings.EVP = -99;
  EXPECT_EQ(ChristiansenOfDay1(readings), 0.0) << "EVP -99";
}

TEST(Christiansen, ExchangingRH1AndRH2ChangesNothing) {
  Readings swapped = kDayReadings;
  swapped.RH1 = kDayReadings.RH2;
  swapped.RH2 = kDayReadings.RH1;
  EXPECT_EQ(ChristiansenOfDay1(swapped), ChristiansenOfDay1(kDayReadings));
}

}  // namespace
}  // namespace sorvane
