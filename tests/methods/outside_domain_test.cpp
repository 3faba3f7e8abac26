// Records outside a method's domain give NaN ("not computable", an empty field in the
// result file): neither 0 nor an infinity.
#include <gtest/gtest.h>

#include <cmath>

#include "method_records.h"
#include "run/method_table.h"

namespace sorvane {
namespace {

using namespace methods_test;

struct OutsideCase {
  const char* name;
  int methodId;
  Readings readings;
  double latitude;  // degrees
  int day;          // J of a daily record
};

constexpr Readings kMissingHumidity{29.6, 4, -99, -99, 4, 10.2, 4.2};
constexpr Readings kMeanMinus15{-10, -20, 65, 25, 4, 10.2, 4.2};
constexpr Readings kInvertedTemperatures{4, 29.6, 65, 25, 4, 10.2, 4.2};
constexpr Readings kPolarNightSunless{-20, -30, 80, 80, 4, 0, 1};
constexpr Readings kPolarNightSunshine{-20, -30, 80, 80, 4, 2, 1};

const OutsideCase kOutsideCases[] = {
    {"Hargreaves, TMAX below TMIN", 2, kInvertedTemperatures, kExampleLatitude, 1},
    {"Modified Penman, humidity -99", 1, kMissingHumidity, kExampleLatitude, 1},
    {"Penman-Monteith, humidity -99", 8, kMissingHumidity, kExampleLatitude, 1},
    {"Turc, Tmean -15", 3, kMeanMinus15, kExampleLatitude, 1},
    {"Modified Penman, polar night, SS 0", 1, kPolarNightSunless, 80, 355},
    {"Modified Penman, polar night, SS 2", 1, kPolarNightSunshine, 80, 355},
    {"Turc, polar night, SS 0", 3, kPolarNightSunless, 80, 355},
    {"Turc, polar night, SS 2", 3, kPolarNightSunshine, 80, 355},
    {"Blaney-Criddle, polar night, SS 0", 5, kPolarNightSunless, 80, 355},
    {"Blaney-Criddle, polar night, SS 2", 5, kPolarNightSunshine, 80, 355},
    {"Christiansen, polar night, SS 0", 6, kPolarNightSunless, 80, 355},
    {"Christiansen, polar night, SS 2", 6, kPolarNightSunshine, 80, 355},
    {"Penman-Monteith, polar night, SS 0", 8, kPolarNightSunless, 80, 355},
    {"Penman-Monteith, polar night, SS 2", 8, kPolarNightSunshine, 80, 355},
};

TEST(OutsideTheDomain, ResultIsNaN) {
  for (const OutsideCase& c : kOutsideCases) {
    const double value =
        ComputeMethod(c.methodId, DailyRecord(c.day, c.readings), StationAt(c.latitude), ConstantsAt(c.latitude));
    EXPECT_TRUE(std::isnan(value)) << c.name << " gave " << value;
  }
}

// Thornthwaite with I = 0 divides by zero.
TEST(OutsideTheDomain, ThornthwaiteWithoutHeatIndexIsNaN) {
  StationConstants constants = ExampleConstants();
  constants.HeatIndex = 0;
  const double value = Compute(MethodId::Thornthwaite, MonthlyRecord(1, kMonthReadings), ExampleStation(), constants);
  EXPECT_TRUE(std::isnan(value)) << value;
}

}  // namespace
}  // namespace sorvane
