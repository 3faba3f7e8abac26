#include "coefficients/cross_validation.h"

#include "coefficients/interpolation.h"
#include "run/method_table.h"

namespace sorvane {

CoefficientTable TableOf(const Calibration& calibration, long leftOut) {
  CoefficientTable table;
  for (int id : calibration.tableMethods) table.methodNames.emplace_back(MethodEntryFor(id).name);
  for (std::size_t s = 0; s < calibration.stations.size(); ++s) {
    if (static_cast<long>(s) == leftOut) continue;
    const StationCalibration& station = calibration.stations[s];
    table.latitudesDegrees.push_back(station.latitudeDegrees);
    table.longitudesDegrees.push_back(station.longitudeDegrees);
    for (int id : calibration.tableMethods) {
      const LineFit fit = FitLine(FindMethod(station, id)->moments);
      table.coefficients.push_back(fit.intercept);
      table.coefficients.push_back(fit.slope);
    }
  }
  return table;
}

std::vector<CrossValidationRow> CrossValidate(const Calibration& calibration) {
  std::vector<CrossValidationRow> rows;
  if (calibration.stations.size() < 2) return rows;
  for (std::size_t s = 0; s < calibration.stations.size(); ++s) {
    const StationCalibration& station = calibration.stations[s];
    const CoefficientTable others = TableOf(calibration, static_cast<long>(s));
    StationDistances distances;
    std::size_t coincidentRow = 0;
    const bool apart =
        DistancesFrom(others, station.latitudeDegrees, station.longitudeDegrees, distances, coincidentRow);
    const auto interpolated = [&](std::size_t column) {
      return apart ? InterpolatedValue(others, distances, column) : others.Coefficient(coincidentRow, column);
    };
    for (std::size_t k = 0; k < calibration.tableMethods.size(); ++k) {
      const int id = calibration.tableMethods[k];
      const PairMoments& moments = FindMethod(station, id)->moments;
      CrossValidationRow row{station.name, id, FitLine(moments), {interpolated(2 * k), interpolated(2 * k + 1)}};
      row.rmseBefore = ResidualsOf(moments, LineFit{0, 1}).rmse;
      row.rmseFitted = ResidualsOf(moments, row.fitted).rmse;
      row.rmseInterpolated = ResidualsOf(moments, row.interpolated).rmse;
      rows.push_back(std::move(row));
    }
  }
  return rows;
}

}  // namespace sorvane
