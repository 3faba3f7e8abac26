// What every PET method shares: the station's constants it reads, and its last steps.
// A method takes one record, the station, the file's constants and the record's shared
// DayTerms, and returns the value for the record's period in mm, already scaled and
// never negative; NaN when it cannot compute it (the result file then holds an empty
// field).
#pragma once

#include <cmath>
#include <limits>

#include "methods/weather_record.h"

namespace sorvane {

// Run-level values of one data file, made before its first record.
struct StationConstants {
  double LatitudeRadians = 0;       // rad, with 3.14 for pi
  double AnnualDayLengthTotal = 0;  // hours, N summed over days 1..365
  double HeatIndex = 0;             // Thornthwaite I, dimensionless
  double ThornthwaiteExponent = 0;  // Thornthwaite a, dimensionless
};

inline constexpr double kNotComputable = std::numeric_limits<double>::quiet_NaN();

// Every method's last step: a negative result becomes 0. A result that is not a
// finite number stays "not computable": tested first, as -inf would otherwise become 0.
inline double ClampAtZero(double value) {
  if (!std::isfinite(value)) return kNotComputable;
  return value < 0 ? 0.0 : value;
}

// Daily-rate methods: 7 days for a week, the month's days for a month (February 28).
inline double ScaleToPeriod(double daily, const WeatherRecord& record) {
  switch (record.Period) {
    case PeriodType::Week: return daily * 7;
    case PeriodType::Month:
      // The reader lets only months 1..12 through; anything else has no month length.
      if (!(record.PeriodNumber >= 1 && record.PeriodNumber <= 12)) return kNotComputable;
      return daily * kMonthDays[static_cast<std::size_t>(record.PeriodNumber)];
    case PeriodType::Date: break;
  }
  return daily;
}

}  // namespace sorvane
