#include "run/heat_index_table.h"

#include <algorithm>
#include <vector>

#include "common/notices.h"
#include "common/numbers.h"
#include "methods/heat_index.h"
#include "methods/inverse_distance.h"
#include "run/method_table.h"

namespace sorvane {

namespace {

constexpr const char* kGridFieldNames[3] = {"latitude", "longitude", "heat index"};

enum class GridRead { Point, End };

// One grid point: a line of exactly three numbers. Blank lines at the end of the table
// end it like the end of the file.
Expected<GridRead> ReadGridPoint(FieldReader& table, double (&grid)[3]) {
  const long line = table.Line();
  for (int i = 0; i < 3; ++i) {
    const auto field = table.Next();
    if (i == 0 && field.status == FieldReader::Status::EndOfFile) return GridRead::End;
    if (field.status != FieldReader::Status::Ok)
      return Fail(field.line, std::string(FieldReader::Describe(field.status)));
    if (i == 0 && field.EndsLine() && field.text.find_first_not_of(' ') == std::string_view::npos) {
      if (table.SkipBlankRest()) return GridRead::End;
      return Fail(line, "a blank line between grid points");
    }
    if (field.EndsLine() != (i == 2))
      return Fail(line, i < 2 ? "a grid point of fewer than 3 fields" : "a grid point of more than 3 fields");
    const ParsedNumber number = ParseNumber(field.text);
    if (number.status == NumberStatus::Invalid) return Fail(line, NotANumber(i + 1, kGridFieldNames[i], field.text));
    grid[i] = number.value;
  }
  return GridRead::Point;
}

}  // namespace

Expected<double> InterpolateHeatIndex(FieldReader& table, double latitude, double longitude,
                                      CoordinateExtent* extent) {
  std::string heading;
  const auto headingStatus = table.ReadLine(heading);
  if (headingStatus != FieldReader::Status::Ok && headingStatus != FieldReader::Status::EndOfFile)
    return Fail(1, std::string(FieldReader::Describe(headingStatus)));
  std::vector<double> distances, values;  // of the grid points at a distance, degrees and I
  double coincidentSum = 0;                // over grid points at the station itself
  long coincidentCount = 0, points = 0;
  double grid[3] = {0, 0, 0};
  for (;;) {
    const auto read = ReadGridPoint(table, grid);
    if (!read) return Fail(read.error());
    if (*read == GridRead::End) break;
    ++points;
    if (extent) extent->Add(grid[0], grid[1]);
    const double distance = PlaneDistance(latitude, longitude, grid[0], grid[1]);  // degrees
    if (distance == 0) {
      coincidentSum += grid[2];
      ++coincidentCount;
    } else {
      distances.push_back(distance);
      values.push_back(grid[2]);
    }
  }
  if (points == 0) return Fail(0, "the heat index table has no grid point");
  if (coincidentCount > 0) return TruncatedHeatIndex(coincidentSum, static_cast<double>(coincidentCount));
  return TruncatedHeatIndex(InverseDistanceValueSum(values.data(), 0, 1, distances), InverseDistanceWeightSum(distances));
}

Expected<double> StationHeatIndex(const AppFolder& folder, double latitude, double longitude,
                                  CoordinateExtent* extent) {
  const auto tablePath = folder.HeatIndexTable();
  const std::string table = folder.Display(tablePath);
  auto reader = FieldReader::Open(tablePath);
  if (!reader) return Fail(table + " cannot be opened (" + reader.error().message + ")");
  const auto heatIndex = InterpolateHeatIndex(*reader, latitude, longitude, extent);
  if (!heatIndex) {
    Problem problem = heatIndex.error();
    problem.file = table;
    return Fail(std::move(problem));
  }
  return *heatIndex;
}

Expected<HeatIndexUse> HeatIndexForMethods(const std::vector<int>& methods, const AppFolder& folder,
                                           const StationHeader& station, std::string_view shown,
                                           const HeatIndexChoice& choice) {
  HeatIndexUse use;
  use.source = choice.source;
  if (std::find(methods.begin(), methods.end(), kThornthwaiteId) == methods.end()) return use;
  if (choice.source == HeatIndexSource::Station) {
    const Expected<double> own = OwnHeatIndex(choice.file, choice.rules, use.completeYears);
    if (!own)
      return Fail(std::string(shown) + ": its Thornthwaite column needs the station's own heat index, but " +
                  Reason(own.error()));
    use.value = *own;
    return use;
  }
  CoordinateExtent extent;
  const auto heatIndex = StationHeatIndex(folder, station.Latitude, station.Longitude, &extent);
  if (!heatIndex)
    return Fail(std::string(shown) + ": its Thornthwaite column needs the heat index table, but " +
                Located(heatIndex.error()));
  use.value = *heatIndex;
  use.outsideGrid = extent.Outside(station.Latitude, station.Longitude, kGridMarginDegrees);
  return use;
}

std::string OutsideGridNotice() {
  return "the station lies more than 1 degree beyond the points of the heat index table, so its Thornthwaite "
         "heat index is extrapolated from stations of another climate; use the station's own (--heat-index "
         "station) or a heat index table of its region";
}

}  // namespace sorvane
