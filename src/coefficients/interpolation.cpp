#include "coefficients/interpolation.h"

#include <cmath>

namespace sorvane {

bool DistancesFrom(const CoefficientTable& table, double latitudeDegrees, double longitudeDegrees,
                   StationDistances& distances, std::size_t& coincidentRow) {
  const std::size_t rows = table.RowCount();
  distances.degrees.resize(rows);
  distances.weightSum = 0;
  for (std::size_t i = 0; i < rows; ++i) {
    const double rowLatitude = table.latitudesDegrees[i];
    const double rowLongitude = table.longitudesDegrees[i];
    if (rowLatitude == latitudeDegrees && rowLongitude == longitudeDegrees) {
      coincidentRow = i;
      return false;
    }
    const double dLatitude = latitudeDegrees - rowLatitude;
    const double dLongitude = longitudeDegrees - rowLongitude;
    const double d = std::sqrt(dLatitude * dLatitude + dLongitude * dLongitude);
    distances.degrees[i] = d;
    distances.weightSum += 1 / d;
  }
  return true;
}

double InterpolatedValue(const CoefficientTable& table, const StationDistances& distances, std::size_t column) {
  const std::size_t stride = table.ColumnCount();
  const double* coefficients = table.coefficients.data();
  double weightedSum = 0;
  for (std::size_t i = 0; i < distances.degrees.size(); ++i)
    weightedSum += coefficients[i * stride + column] / distances.degrees[i];
  return weightedSum / distances.weightSum;
}

}  // namespace sorvane
