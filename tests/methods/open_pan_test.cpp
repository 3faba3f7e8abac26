// Open pan (MethodId 7).
#include <gtest/gtest.h>

#include <cmath>

#include "support/example_station.h"
#include "run/method_table.h"

namespace sorvane {
namespace methods_test {

// EVP holds the period's total: no scaling by 7 or by the days of the month.
const std::vector<WorkedExample> kOpenPanExamples{
    {"daily", 7, DailyRecord(1, kDayReadings), 2.753795, {}},
    {"weekly", 7, WeeklyRecord(1, kWeekReadings), 19.15788, {}},
    {"monthly", 7, MonthlyRecord(1, kMonthReadings), 146.7285, {}},
};

}  // namespace methods_test

namespace {

using namespace methods_test;

double OpenPanOf(const Readings& readings) {
  return Compute(MethodId::OpenPan, DailyRecord(1, readings), ExampleStation(), ExampleConstants());
}

TEST(OpenPan, WorkedExamples) { CheckWorkedExamples(kOpenPanExamples); }

// With EVP 1 the result is the pan coefficient itself.
TEST(OpenPan, PanCoefficientsOfTheWorkedExamples) {
  struct Case {
    const char* name;
    Readings readings;
    double printedKp;
  };
  const Case cases[] = {
      {"daily, U 89.28", kDayReadings, 0.6556655},
      {"weekly, U 84.816", kWeekReadings, 0.6494198},
      {"monthly, U 241.056", kMonthReadings, 0.6621322},
  };
  for (Case c : cases) {
    c.readings.EVP = 1;
    EXPECT_NEAR(OpenPanOf(c.readings), c.printedKp, HalfLastDigit(c.printedKp)) << c.name;
  }
}

// The reader raises any wind below 1.6 km/h to 1.6: the method must be defined there.
TEST(OpenPan, LowestWindGivesAFiniteValue) {
  Readings calm = kDayReadings;
  calm.WS = 1.6;
  const double value = OpenPanOf(calm);
  EXPECT_TRUE(std::isfinite(value));
  EXPECT_GT(value, 0.0);
}

TEST(OpenPan, NoOrNegativeEvpGivesZero) {
  Readings readings = kDayReadings;
  readings.EVP = 0;
  EXPECT_EQ(OpenPanOf(readings), 0.0) << "EVP 0";
  readings.EVP = -99;
  EXPECT_EQ(OpenPanOf(readings), 0.0) << "EVP -99";
}

TEST(OpenPan, ExchangingRH1AndRH2ChangesNothing) {
  Readings swapped = kDayReadings;
  swapped.RH1 = kDayReadings.RH2;
  swapped.RH2 = kDayReadings.RH1;
  EXPECT_EQ(OpenPanOf(swapped), OpenPanOf(kDayReadings));
}

// No temperature, sunshine, latitude or day enters.
TEST(OpenPan, OnlyHumidityWindAndEvpEnter) {
  const Readings noTemperatures{0, 0, 65, 25, 4, 0, 4.2};
  EXPECT_EQ(Compute(MethodId::OpenPan, MonthlyRecord(7, noTemperatures), StationAt(-40), ConstantsAt(-40)),
            OpenPanOf(kDayReadings));
}

}  // namespace
}  // namespace sorvane
