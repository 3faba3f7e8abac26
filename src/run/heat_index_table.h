// The heat index table: the station's Thornthwaite heat index I, interpolated by
// inverse distance (power 1, plain degrees of latitude and longitude) from every grid
// point of the table, truncated downwards to 2 decimals.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/app_folder.h"
#include "common/field_reader.h"
#include "common/notices.h"
#include "common/problem.h"
#include "methods/inverse_distance.h"
#include "methods/weather_record.h"
#include "run/weather_file_reader.h"

namespace sorvane {

// Reads the table (a heading line, then "latitude,longitude,heat index" per line) and
// returns I for a station at (latitudeDegrees, longitudeDegrees), or the problem (a
// non-numeric field, a row of the wrong length, no grid point at all).
// Grid points at distance 0 give the mean of their values, the limit of the weighting.
// `extent`, when given, receives the rectangle the grid points span.
Expected<double> InterpolateHeatIndex(FieldReader& table, double latitudeDegrees, double longitudeDegrees,
                                      CoordinateExtent* extent = nullptr);

// The heat index of a station at (latitudeDegrees, longitudeDegrees) from the table of
// the ApplicationFolder, or the problem naming the table and line (one whose table cannot
// be opened says so in a sentence of its own: "... cannot be opened (why)").
Expected<double> StationHeatIndex(const AppFolder& folder, double latitudeDegrees, double longitudeDegrees,
                                  CoordinateExtent* extent = nullptr);

// A station farther than this beyond the grid's outermost points gets an extrapolated
// heat index, from stations of another climate.
inline constexpr double kGridMarginDegrees = 1;

// Where a file's heat index comes from: the table (the format's rule) or the station's
// own monthly mean temperatures.
enum class HeatIndexSource { Table, Station };

// What is needed to take the heat index from the station's own records.
struct HeatIndexChoice {
  HeatIndexSource source = HeatIndexSource::Table;
  std::filesystem::path file;  // the weather file, read once more for its monthly means
  ReadingRules rules;          // the fields that hold no reading and the units, as the run reads them
};

// The heat index of a file and where it came from.
struct HeatIndexUse {
  std::optional<double> value;  // none without a Thornthwaite column
  HeatIndexSource source = HeatIndexSource::Table;
  int completeYears = 0;        // the station's own: the calendar years it is taken from
  bool outsideGrid = false;     // the table's: the station lies beyond the grid
};

// I = sum (T / 5)^1.514 over the mean year of the complete calendar years (all twelve
// months, each once, with TMAX and TMIN) of the monthly file `path`; the problem when it
// has none, or its rows cannot be read (the reader's own words).
Expected<double> OwnHeatIndex(const std::filesystem::path& path, const ReadingRules& rules, int& completeYears);

// The heat index a file's methods need: none without a Thornthwaite column (such files
// read neither the table nor their rows twice), else the station's by `choice`. When
// there is none, the problem whose message is the whole refusal, naming the file `shown`
// and the fault.
Expected<HeatIndexUse> HeatIndexForMethods(const std::vector<int>& methods, const AppFolder& folder,
                                           const StationHeader& station, std::string_view shown,
                                           const HeatIndexChoice& choice);

// "the station lies outside the heat index grid (8 to 30 N, 68 to 96 E) ..." for a file
// whose Thornthwaite column takes an extrapolated heat index.
std::string OutsideGridNotice();

}  // namespace sorvane
