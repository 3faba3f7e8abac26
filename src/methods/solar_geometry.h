// Solar geometry shared by the methods: FAO-56 forms (declination, inverse relative
// Earth-Sun distance, sunset hour angle, day length, extraterrestrial radiation,
// Angstrom solar radiation) with this program's own constants: 3.14 for pi and 6.28
// for 2 pi, declination amplitude 0.4093, a 365-day year. Only ACos uses the exact pi.
#pragma once

#include <array>
#include <cstddef>

namespace sorvane {

struct SolarGeometry {
  double SolarDeclination = 0;           // delta, rad
  double InverseRelativeDistance = 0;    // dr, dimensionless
  double SunsetHourAngle = 0;            // omega_s, rad
  double DayLength = 0;                  // N, hours
  double ExtraterrestrialRadiation = 0;  // Ra, MJ m-2 day-1
};

// Arccosine in radians by the arctangent, with exact tests for -1, 0 and 1. Arguments
// beyond [-1, 1] (polar day and night) are limited to it.
double ACos(double x);

double LatitudeRadians(double latitudeDegrees);  // latitude x (3.14 / 180)

// delta, dr, omega_s, N and Ra for latitude phi (rad) and day J.
SolarGeometry SolarGeometryAt(double latitudeRadians, double dayOfYear);

// Rs = (0.25 + 0.5 x SS / N) x Ra, MJ m-2 day-1 (FAO-56 eq. 35).
inline double SolarRadiation(double ra, double sunshineHours, double dayLength) {
  return (0.25 + 0.5 * sunshineHours / dayLength) * ra;  // Angstrom coefficients 0.25 and 0.5
}

// n/N that gives Rs by the relation above, (Rs / Ra - 0.25) / 0.5, limited to 0..1: the
// relative sunshine of a day whose radiation is known.
inline double RelativeSunshineGiving(double solarRadiation, double ra) {
  const double ratio = (solarRadiation / ra - 0.25) / 0.5;
  return ratio < 0 ? 0 : ratio > 1 ? 1 : ratio;
}

// p = 100 N / (sum of N over the year), the day's percentage of the year's daytime
// hours: the p of FAO-24's Blaney-Criddle factor, computed where FAO-24 tabulates it.
inline double DaytimeHoursPercentage(double dayLength, double annualDayLengthTotal) {
  return 100 * dayLength / annualDayLengthTotal;
}

// N summed over J = 1..365 in order, hours.
double AnnualDayLengthTotal(double latitudeRadians);

// One station's geometry for every whole day a record can ask for (1..371 covers
// weeks up to 53); other days are computed on request. Same numbers as SolarGeometryAt.
class SolarGeometryTable {
 public:
  static constexpr int kLastDay = 371;

  explicit SolarGeometryTable(double latitudeRadians);
  SolarGeometry At(double dayOfYear) const {
    if (dayOfYear >= 1 && dayOfYear <= kLastDay) {
      const int whole = static_cast<int>(dayOfYear);
      if (whole == dayOfYear) return days_[static_cast<std::size_t>(whole)];
    }
    return SolarGeometryAt(latitudeRadians_, dayOfYear);
  }
  // The sum of N over days 1..365, taken from the table in the same order.
  double AnnualDayLengthTotal() const;

 private:
  double latitudeRadians_;
  std::array<SolarGeometry, kLastDay + 1> days_{};
};

}  // namespace sorvane
