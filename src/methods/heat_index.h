// The station's Thornthwaite heat index I, interpolated by inverse distance (power 1,
// plain degrees of latitude and longitude) from every grid point of the heat index
// table, truncated downwards to 2 decimals; and the Thornthwaite exponent a of I.
#pragma once

#include <optional>
#include <string>

#include "common/field_reader.h"

namespace sorvane {

struct HeatIndexProblem {
  long line = 0;  // 0: the table as a whole
  std::string what;
};

// Reads the table (a heading line, then "latitude,longitude,heat index" per line) and
// returns I for a station at (latitudeDegrees, longitudeDegrees), or nullopt and the
// problem (a non-numeric field, a row of the wrong length, no grid point at all).
// Grid points at distance 0 give the mean of their values, the limit of the weighting.
std::optional<double> InterpolateHeatIndex(FieldReader& table, double latitudeDegrees, double longitudeDegrees,
                                           HeatIndexProblem* problem);

// a = 6.75e-7 I^3 - 7.71e-5 I^2 + 0.01792 I + 0.49239, in the published grouping.
double ThornthwaiteExponent(double heatIndex);

}  // namespace sorvane
