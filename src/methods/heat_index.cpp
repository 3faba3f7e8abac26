#include "methods/heat_index.h"

#include <cmath>

#include "common/notices.h"
#include "common/numbers.h"

namespace sorvane {

namespace {

constexpr const char* kGridFieldNames[3] = {"latitude", "longitude", "heat index"};

// The weighted mean truncated to hundredths. The 1e-9 keeps a mean such as 64.35,
// whose double lies a hair below it, from being cut to 64.34.
double TruncatedMean(double valueSum, double weightSum) {
  return std::floor(100 * valueSum / weightSum + 1e-9) / 100;
}

enum class GridRead { Point, End, Problem };

// One grid point: a line of exactly three numbers. Blank lines at the end of the table
// end it like the end of the file.
GridRead ReadGridPoint(FieldReader& table, double (&grid)[3], LineProblem& problem) {
  const long line = table.Line();
  for (int i = 0; i < 3; ++i) {
    const auto field = table.Next();
    if (i == 0 && field.status == FieldReader::Status::EndOfFile) return GridRead::End;
    if (field.status != FieldReader::Status::Ok) {
      problem = {field.line, std::string(FieldReader::Describe(field.status))};
      return GridRead::Problem;
    }
    if (i == 0 && field.EndsLine() && field.text.find_first_not_of(' ') == std::string_view::npos) {
      if (table.SkipBlankRest()) return GridRead::End;
      problem = {line, "a blank line between grid points"};
      return GridRead::Problem;
    }
    if (field.EndsLine() != (i == 2)) {
      problem = {line, i < 2 ? "a grid point of fewer than 3 fields" : "a grid point of more than 3 fields"};
      return GridRead::Problem;
    }
    const ParsedNumber number = ParseNumber(field.text);
    if (number.status == NumberStatus::Invalid) {
      problem = {line, NotANumber(i + 1, kGridFieldNames[i], field.text)};
      return GridRead::Problem;
    }
    grid[i] = number.value;
  }
  return GridRead::Point;
}

}  // namespace

std::optional<double> InterpolateHeatIndex(FieldReader& table, double latitude, double longitude,
                                           LineProblem& problem) {
  std::string heading;
  const auto headingStatus = table.ReadLine(heading);
  if (headingStatus != FieldReader::Status::Ok && headingStatus != FieldReader::Status::EndOfFile) {
    problem = {1, std::string(FieldReader::Describe(headingStatus))};
    return std::nullopt;
  }
  double weightSum = 0, valueSum = 0;  // over grid points at a distance
  double coincidentSum = 0;            // over grid points at the station itself
  long coincidentCount = 0, points = 0;
  double grid[3] = {0, 0, 0};
  for (GridRead read; (read = ReadGridPoint(table, grid, problem)) != GridRead::End;) {
    if (read == GridRead::Problem) return std::nullopt;
    ++points;
    const double dLat = latitude - grid[0];
    const double dLon = longitude - grid[1];
    const double distance = std::sqrt(dLat * dLat + dLon * dLon);  // degrees
    if (distance == 0) {
      coincidentSum += grid[2];
      ++coincidentCount;
    } else {
      weightSum += 1 / distance;
      valueSum += grid[2] / distance;
    }
  }
  if (points == 0) {
    problem = {0, "the heat index table has no grid point"};
    return std::nullopt;
  }
  if (coincidentCount > 0) return TruncatedMean(coincidentSum, static_cast<double>(coincidentCount));
  return TruncatedMean(valueSum, weightSum);
}

std::optional<double> StationHeatIndex(const AppFolder& folder, double latitude, double longitude,
                                       std::string* error) {
  const auto tablePath = folder.HeatIndexTable();
  const std::string table = folder.Display(tablePath);
  std::string why;
  auto reader = FieldReader::Open(tablePath, &why);
  if (!reader) {
    *error = table + " cannot be opened (" + why + ")";
    return std::nullopt;
  }
  LineProblem problem;
  auto heatIndex = InterpolateHeatIndex(*reader, latitude, longitude, problem);
  if (!heatIndex) *error = Located(table, problem.line, problem.what);
  return heatIndex;
}

double ThornthwaiteExponent(double i) {
  return ((6.75e-7 * i) * i) * i - (7.71e-5 * i) * i + 0.01792 * i + 0.49239;
}

}  // namespace sorvane
