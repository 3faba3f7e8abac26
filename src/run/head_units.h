// The units a weather file's heads may name, and their conversions to the program's units.
//
// A head is a parameter word with an optional unit in parentheses or brackets:
// "TMAX (°C)", "Tmin [degF]", "WS (m/s)", "RS (W/m2)". The wind may also say the height
// it was measured at: "WS (m/s @ 10 m)", "WS (m/s at 10 m)", "WS (@ 3 m)". A head
// without a unit is in the program's unit. Each conversion is a named function with its
// exact factor, applied once as a field is read.
#pragma once

#include <cmath>
#include <optional>
#include <string>
#include <string_view>

#include "methods/weather_record.h"

namespace sorvane {

// One field value in a unit, to the program's unit.
using UnitConversion = double (*)(double);

// FAO-56 eq. 47: wind measured at z metres above ground, brought to 2 m.
inline double WindAt2m(double uz, double zMetres) { return uz * 4.87 / std::log(67.8 * zMetres - 5.42); }

// The heights eq. 47 is written for (the logarithm stays well above 0), in metres.
inline constexpr double kLowestWindHeight = 0.5;
inline constexpr double kHighestWindHeight = 100;

struct HeadUnit {
  std::string_view name;         // as messages and the check name it: "°F", "m/s"
  UnitConversion convert;        // nullptr: the program's own unit
  std::string_view conversion;   // how, for the check: "(F - 32) x 5/9"
};

// A head split into its parameter word and what its parentheses say.
struct SplitHead {
  std::string word;                     // upper-cased, spaces removed: "TMAX", "WS"
  std::string unitText;                 // as written, trimmed; empty when the head names none
  std::optional<double> windHeight;     // metres, when the head says it ("@ 10 m")
  std::string problem;                  // why the height part cannot be read, else empty
};

// "Tmax (°C)" -> {"TMAX", "°C"}; "WS [m/s @ 10 m]" -> {"WS", "m/s", 10}. A head without
// parentheses is all word ("T MAX" -> "TMAX").
SplitHead SplitHeadText(std::string_view head);

// The unit `unitText` names for `parameter`, or nullopt when it is none of the units
// known for it. An empty text is the program's unit.
std::optional<HeadUnit> UnitFor(Parameter parameter, std::string_view unitText);

// "°C, C, degC, K, °F, F" for messages refusing an unknown unit.
std::string KnownUnitsText(Parameter parameter);

// The program's own unit of a parameter: "°C", "%", "km/h", "h", "mm", "MJ/m2/day".
std::string_view ProgramUnit(Parameter parameter);

}  // namespace sorvane
