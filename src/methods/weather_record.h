// The records a weather data file is read into: one StationHeader per file and one
// WeatherRecord per data row.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace sorvane {

enum class PeriodType { Date, Week, Month };  // daily, weekly, monthly

struct StationHeader {
  std::string StationName;  // line 1, commas removed, trimmed; no computation uses it
  double Latitude = 0;      // decimal degrees, negative south of the equator
  double Longitude = 0;     // decimal degrees
  double Elevation = 0;     // metres
};

// Parameter codes in file heads: TMAX 1, TMIN 2, RH1 3, RH2 4, WS 5, SS 6, EVP 7.
enum class Parameter { None = 0, TMAX, TMIN, RH1, RH2, WS, SS, EVP };
inline constexpr std::array<std::string_view, 8> kParameterHeads{"", "TMAX", "TMIN", "RH1", "RH2", "WS", "SS", "EVP"};

// A set of parameters, one bit per Parameter (bit 1 TMAX ... bit 7 EVP).
using ParameterSet = unsigned;
inline constexpr ParameterSet Bit(Parameter p) { return ParameterSet{1} << static_cast<int>(p); }
inline constexpr bool Holds(ParameterSet set, Parameter p) { return (set & Bit(p)) != 0; }

struct WeatherRecord {
  PeriodType Period = PeriodType::Date;
  std::string_view PeriodKey;  // the date (daily) or the year (weekly, monthly), trimmed, as read
  double PeriodNumber = 0;     // the week or month; 0 for daily records
  double DayOfYear = 0;        // the day the solar geometry is taken for
  // Parameters, 0 when the file has no such column or the field is empty.
  double TMAX = 0;  // degrees C
  double TMIN = 0;  // degrees C
  double RH1 = 0;   // %
  double RH2 = 0;   // %
  double WS = 0;    // km/h, raised to 1.6 when below
  double SS = 0;    // hours of bright sunshine
  double EVP = 0;   // mm of open pan evaporation over the record's period
  double Tmean = 0; // (TMAX + TMIN) / 2, degrees C
};

}  // namespace sorvane
