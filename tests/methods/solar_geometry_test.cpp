// The shared solar geometry: latitude, declination, distance, sunset hour angle, day
// length, extraterrestrial and solar radiation, the annual day length total and ACos.
#include "methods/solar_geometry.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>

#include "support/example_station.h"

namespace sorvane {
namespace {

using methods_test::HalfLastDigit;

struct GeometryCase {
  const char* name;
  double latitude;  // degrees
  int day;          // J
  double printed;   // the quantity as printed
  int digits;       // significant digits printed
  double (*quantity)(const SolarGeometry&);
};

double Declination(const SolarGeometry& g) { return g.SolarDeclination; }
double Distance(const SolarGeometry& g) { return g.InverseRelativeDistance; }
double SunsetAngle(const SolarGeometry& g) { return g.SunsetHourAngle; }
double DayLength(const SolarGeometry& g) { return g.DayLength; }
double Ra(const SolarGeometry& g) { return g.ExtraterrestrialRadiation; }

const GeometryCase kGeometryCases[] = {
    {"14.41 J=1 delta", 14.41, 1, -0.4013029, 7, Declination},
    {"14.41 J=1 dr", 14.41, 1, 1.032995, 7, Distance},
    {"14.41 J=1 omega_s", 14.41, 1, 1.461609, 7, SunsetAngle},
    {"14.41 J=1 N", 14.41, 1, 11.17153, 7, DayLength},
    {"14.41 J=1 Ra", 14.41, 1, 28.91302, 7, Ra},
    {"14.41 J=172 delta, the year's largest", 14.41, 172, 0.4092996, 7, Declination},
    {"14.41 J=172 N", 14.41, 172, 12.85934, 7, DayLength},
    {"14.41 J=172 Ra", 14.41, 172, 38.18854, 7, Ra},
    {"14.41 J=355 delta, the year's smallest", 14.41, 355, -0.4092937, 7, Declination},
    {"-14.41 J=1 N, southern summer", -14.41, 1, 12.84064, 7, DayLength},
    {"-14.41 J=1 Ra, southern summer", -14.41, 1, 40.77029, 7, Ra},
    {"60 J=172 N", 60, 172, 18.49319, 7, DayLength},
    {"60 J=355 N", 60, 355, 5.519125, 7, DayLength},
    {"14.41 J=366 delta, no wrap to J=1", 14.41, 366, -0.4015574, 7, Declination},
    // The days the other methods' worked examples use.
    {"14.41 J=4 Ra (Hargreaves weekly)", 14.41, 4, 29.04013, 7, Ra},
    {"14.41 J=16 Ra (Hargreaves monthly)", 14.41, 16, 29.79667, 7, Ra},
    {"14.41 J=16 N (Thornthwaite January)", 14.41, 16, 11.24926, 7, DayLength},
    {"14.41 J=136 N (Thornthwaite May)", 14.41, 136, 12.68571, 7, DayLength},
};

TEST(SolarGeometry, PrintedQuantities) {
  for (const GeometryCase& c : kGeometryCases) {
    const SolarGeometry g = SolarGeometryAt(LatitudeRadians(c.latitude), c.day);
    EXPECT_NEAR(c.quantity(g), c.printed, HalfLastDigit(c.printed, c.digits)) << c.name;
  }
}

TEST(SolarGeometry, LatitudeInRadiansUses314) {
  EXPECT_NEAR(LatitudeRadians(14.41), 0.2513744, 5e-8);
}

TEST(SolarGeometry, SolarRadiationFromSunshine) {
  const double phi = LatitudeRadians(14.41);
  struct Case {
    const char* name;
    int day;
    double sunshineHours;
    double printed;  // Rs, MJ m-2 day-1
  };
  const Case cases[] = {
      {"J=1, SS 10.2", 1, 10.2, 20.42755},
      {"J=4, SS 9.8 (Turc weekly)", 4, 9.8, 19.98504},
      {"J=16, SS 9.2 (Turc monthly)", 16, 9.2, 19.6335},
  };
  for (const Case& c : cases) {
    const SolarGeometry g = SolarGeometryAt(phi, c.day);
    EXPECT_NEAR(SolarRadiation(g.ExtraterrestrialRadiation, c.sunshineHours, g.DayLength), c.printed,
                HalfLastDigit(c.printed))
        << c.name;
  }
}

TEST(SolarGeometry, AnnualDayLengthTotals) {
  EXPECT_NEAR(AnnualDayLengthTotal(LatitudeRadians(14.41)), 4382.376, HalfLastDigit(4382.376));
  EXPECT_NEAR(AnnualDayLengthTotal(LatitudeRadians(-14.41)), 4382.067, HalfLastDigit(4382.067));
  EXPECT_NEAR(AnnualDayLengthTotal(LatitudeRadians(0)), 4382.2216, HalfLastDigit(4382.2216, 8));
}

TEST(SolarGeometry, EquatorHasHalfPiSunsetEveryDay) {
  const double phi = LatitudeRadians(0);
  for (int day = 1; day <= 366; ++day) {
    const SolarGeometry g = SolarGeometryAt(phi, day);
    EXPECT_EQ(g.SunsetHourAngle, std::numbers::pi / 2) << "J=" << day;
    EXPECT_NEAR(g.DayLength, 12.006087, HalfLastDigit(12.006087, 8)) << "J=" << day;
  }
}

TEST(ACos, SpecialArgumentsAreExact) {
  EXPECT_EQ(ACos(-1), 3.141592653589793);
  EXPECT_EQ(ACos(0), 1.5707963267948966);
  EXPECT_EQ(ACos(1), 0);
}

TEST(ACos, GeneralArguments) {
  EXPECT_NEAR(ACos(0.5), 1.0471976, 5e-8);
  EXPECT_NEAR(ACos(-0.5), 2.0943951, 5e-8);
}

TEST(ACos, ArgumentsBeyondOneAreLimited) {
  EXPECT_EQ(ACos(-1.5), ACos(-1));
  EXPECT_EQ(ACos(1.5), ACos(1));
}

TEST(SolarGeometry, PolarDayAndNightAtLatitude80) {
  const double phi = LatitudeRadians(80);
  const SolarGeometry polarDay = SolarGeometryAt(phi, 172);
  EXPECT_EQ(polarDay.SunsetHourAngle, std::numbers::pi);
  EXPECT_EQ(polarDay.DayLength, 24 / 3.14 * std::numbers::pi);
  const SolarGeometry polarNight = SolarGeometryAt(phi, 355);
  EXPECT_EQ(polarNight.SunsetHourAngle, 0);
  EXPECT_EQ(polarNight.DayLength, 0);
}

// ---------------------------------------------------------------- the table of a run

std::uint64_t Bits(double value) { return std::bit_cast<std::uint64_t>(value); }

// Bit for bit: a table holding a value rounded another way would move a last digit.
void ExpectSameGeometry(const SolarGeometryTable& table, double phi, double day, double latitude) {
  const SolarGeometry fromTable = table.At(day);
  const SolarGeometry direct = SolarGeometryAt(phi, day);
  const auto where = [&] { return "latitude " + std::to_string(latitude) + " J=" + std::to_string(day); };
  EXPECT_EQ(Bits(fromTable.SolarDeclination), Bits(direct.SolarDeclination)) << where();
  EXPECT_EQ(Bits(fromTable.InverseRelativeDistance), Bits(direct.InverseRelativeDistance)) << where();
  EXPECT_EQ(Bits(fromTable.SunsetHourAngle), Bits(direct.SunsetHourAngle)) << where();
  EXPECT_EQ(Bits(fromTable.DayLength), Bits(direct.DayLength)) << where();
  EXPECT_EQ(Bits(fromTable.ExtraterrestrialRadiation), Bits(direct.ExtraterrestrialRadiation)) << where();
}

// Every day of the table, the days a record may fall on outside it, and the annual total,
// against the direct functions.
void ExpectTableOfDirectFunctions(double latitude) {
  const double phi = LatitudeRadians(latitude);
  const SolarGeometryTable table(phi);
  for (int day = 1; day <= SolarGeometryTable::kLastDay; ++day) ExpectSameGeometry(table, phi, day, latitude);
  for (double day : {0.0, 2.5, 4.5, 372.0, 400.0, -3.0}) ExpectSameGeometry(table, phi, day, latitude);
  EXPECT_EQ(Bits(table.AnnualDayLengthTotal()), Bits(AnnualDayLengthTotal(phi))) << "latitude " << latitude;
}

// The table a run builds once per file gives the very numbers of the direct functions:
// in the tropics, at the polar circle and in polar day and night.
TEST(SolarGeometryTable, SameNumbersAsDirectFunctions) {
  for (double latitude : {14.41, -14.41, 0.0, 60.0, -66.5, 80.0}) ExpectTableOfDirectFunctions(latitude);
}

// A week or a month taken at a day past the year's end, or a fractional day.
TEST(SolarGeometryTable, DaysOutsideTheTableAreComputed) {
  const double phi = LatitudeRadians(14.41);
  const SolarGeometryTable table(phi);
  for (double day : {0.0, 4.5, 372.0, 400.0}) ExpectSameGeometry(table, phi, day, 14.41);
}

// Every latitude from pole to pole, in steps that fall on no round number.
TEST(MethodsFastPath, TheGeometryTableHoldsWhatEachDayComputesFromScratch) {
  for (double latitude = -89.5; latitude <= 89.5; latitude += 0.37) ExpectTableOfDirectFunctions(latitude);
}

}  // namespace
}  // namespace sorvane
