// The heat index table: the station's Thornthwaite heat index I, interpolated by
// inverse distance (power 1, plain degrees of latitude and longitude) from every grid
// point of the table, truncated downwards to 2 decimals.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/app_folder.h"
#include "common/field_reader.h"
#include "common/notices.h"
#include "methods/weather_record.h"

namespace sorvane {

// Reads the table (a heading line, then "latitude,longitude,heat index" per line) and
// returns I for a station at (latitudeDegrees, longitudeDegrees), or nullopt and
// `problem` (a non-numeric field, a row of the wrong length, no grid point at all).
// Grid points at distance 0 give the mean of their values, the limit of the weighting.
std::optional<double> InterpolateHeatIndex(FieldReader& table, double latitudeDegrees, double longitudeDegrees,
                                           Problem& problem);

// The heat index of a station at (latitudeDegrees, longitudeDegrees) from the table of
// the ApplicationFolder, or nullopt and `error`, naming the table and line.
std::optional<double> StationHeatIndex(const AppFolder& folder, double latitudeDegrees, double longitudeDegrees,
                                       std::string* error);

// The heat index a file's methods need: none without a Thornthwaite column (such files
// do not read the table), else the station's. False, with `refusal` naming the file
// `shown` and the table's fault, when the table gives none.
bool HeatIndexForMethods(const std::vector<int>& methods, const AppFolder& folder, const StationHeader& station,
                         std::string_view shown, std::optional<double>& heatIndex, std::string& refusal);

}  // namespace sorvane
