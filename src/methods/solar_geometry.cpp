// Solar geometry in the FAO-56 form with this program's constants. 3.14 stands for pi
// and 6.28 for 2 pi in every formula here except ACos, which derives the exact pi from
// the arctangent; the year has 365 days in the phase, also for J = 366.
#include "methods/solar_geometry.h"

#include <cmath>

namespace sorvane {

double ACos(double x) {
  // Polar day and night push the argument beyond [-1, 1]; the limit gives a sunset
  // hour angle of pi (the sun never sets) or 0 (it never rises).
  if (x < -1) x = -1;
  if (x > 1) x = 1;
  if (x == -1) return 4 * std::atan(1.0);
  if (x == 0) return 2 * std::atan(1.0);
  if (x == 1) return 0;
  return std::atan(-x / std::sqrt(1 - x * x)) + 2 * std::atan(1.0);
}

double LatitudeRadians(double latitudeDegrees) { return latitudeDegrees * (3.14 / 180); }

namespace {

// The parts of the geometry that depend on the day alone.
struct DayTerms {
  double declination = 0;      // delta, rad
  double inverseDistance = 0;  // dr
  double tanDeclination = 0, sinDeclination = 0, cosDeclination = 0;
};

DayTerms DayTermsOf(double dayOfYear) {
  const double j = dayOfYear;
  DayTerms d;
  d.declination = 0.4093 * std::sin(6.28 * j / 365 - 1.39);  // FAO-56 eq. 24
  d.inverseDistance = 1 + 0.033 * std::cos(6.28 * j / 365);   // FAO-56 eq. 23
  d.tanDeclination = std::tan(d.declination);
  d.sinDeclination = std::sin(d.declination);
  d.cosDeclination = std::cos(d.declination);
  return d;
}

// The parts that depend on the latitude alone.
struct LatitudeTerms {
  double tanLatitude = 0, sinLatitude = 0, cosLatitude = 0;
};

LatitudeTerms LatitudeTermsOf(double latitudeRadians) {
  return {std::tan(latitudeRadians), std::sin(latitudeRadians), std::cos(latitudeRadians)};
}

SolarGeometry Combine(const LatitudeTerms& phi, const DayTerms& day) {
  SolarGeometry g;
  g.SolarDeclination = day.declination;
  g.InverseRelativeDistance = day.inverseDistance;
  g.SunsetHourAngle = ACos(-phi.tanLatitude * day.tanDeclination);  // FAO-56 eq. 25
  g.DayLength = (24 / 3.14) * g.SunsetHourAngle;  // hours, FAO-56 eq. 34
  // FAO-56 eq. 21: 1440 minutes a day, solar constant 0.082 MJ m-2 min-1.
  g.ExtraterrestrialRadiation =
      (1440 / 3.14) * 0.082 * g.InverseRelativeDistance *
      (g.SunsetHourAngle * phi.sinLatitude * day.sinDeclination +
       phi.cosLatitude * day.cosDeclination * std::sin(g.SunsetHourAngle));
  return g;
}

// The day terms of days 1..kLastDay are the same for every station: made once, on first
// use, and shared (read only) by every table and thread.
const std::array<DayTerms, SolarGeometryTable::kLastDay + 1>& EveryDay() {
  static const auto days = [] {
    std::array<DayTerms, SolarGeometryTable::kLastDay + 1> made{};
    for (int j = 1; j <= SolarGeometryTable::kLastDay; ++j) made[static_cast<std::size_t>(j)] = DayTermsOf(j);
    return made;
  }();
  return days;
}

}  // namespace

SolarGeometry SolarGeometryAt(double latitudeRadians, double dayOfYear) {
  return Combine(LatitudeTermsOf(latitudeRadians), DayTermsOf(dayOfYear));
}

double AnnualDayLengthTotal(double latitudeRadians) {
  double total = 0;
  for (int j = 1; j <= 365; ++j) total += SolarGeometryAt(latitudeRadians, j).DayLength;
  return total;
}

SolarGeometryTable::SolarGeometryTable(double latitudeRadians) : latitudeRadians_(latitudeRadians) {
  const LatitudeTerms phi = LatitudeTermsOf(latitudeRadians);
  const auto& everyDay = EveryDay();
  for (std::size_t j = 1; j <= kLastDay; ++j) days_[j] = Combine(phi, everyDay[j]);
}

double SolarGeometryTable::AnnualDayLengthTotal() const {
  double total = 0;
  for (int j = 1; j <= 365; ++j) total += days_[static_cast<std::size_t>(j)].DayLength;
  return total;
}

}  // namespace sorvane
