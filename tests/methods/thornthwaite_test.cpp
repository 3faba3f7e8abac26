// Thornthwaite (MethodId 4): the monthly value and its exponent.
#include <gtest/gtest.h>

#include "support/example_station.h"
#include "methods/heat_index.h"
#include "run/method_table.h"

namespace sorvane {
namespace methods_test {

// The example station with I = 148.21 and a = 3.652256.
const std::vector<WorkedExample> kThornthwaiteExamples{
    {"January J=16", 4, MonthlyRecord(1, kMonthReadings), 96.87328, {}},
    {"May J=136", 4, MonthlyRecord(5, Readings{40.1, 26.3}), 321.7326, {}},
};

}  // namespace methods_test

namespace {

using namespace methods_test;

double ThornthwaiteOf(const WeatherRecord& record, const StationConstants& constants = ExampleConstants()) {
  return Compute(MethodId::Thornthwaite, record, ExampleStation(), constants);
}

TEST(Thornthwaite, WorkedExamples) { CheckWorkedExamples(kThornthwaiteExamples); }

TEST(ThornthwaiteExponent, PrintedValues) {
  struct Case {
    double heatIndex;
    double printed;
    double tolerance;
  };
  const Case cases[] = {
      {0, 0.49239, 1e-12},
      {100, 2.18839, 1e-12},
      {160, 4.15063, 1e-12},
      {148.21, 3.652256, 5e-7},
  };
  for (const Case& c : cases)
    EXPECT_NEAR(ThornthwaiteExponent(c.heatIndex), c.printed, c.tolerance) << "I = " << c.heatIndex;
}

TEST(Thornthwaite, FreezingMonthsGiveZero) {
  EXPECT_EQ(ThornthwaiteOf(MonthlyRecord(1, Readings{5, -5})), 0.0) << "Tmean 0";
  // A negative base has no real fractional power; the published method sets freezing
  // months to 0.
  EXPECT_EQ(ThornthwaiteOf(MonthlyRecord(1, Readings{2, -6})), 0.0) << "Tmean -2";
}

// Only Tmean and N enter: a February value is not reduced for its 28 days.
TEST(Thornthwaite, LengthOfTheMonthDoesNotEnter) {
  WeatherRecord february = MonthlyRecord(2, kMonthReadings);
  WeatherRecord januaryOnTheSameDay = MonthlyRecord(1, kMonthReadings);
  januaryOnTheSameDay.DayOfYear = february.DayOfYear;
  EXPECT_EQ(ThornthwaiteOf(february), ThornthwaiteOf(januaryOnTheSameDay));
}

}  // namespace
}  // namespace sorvane
