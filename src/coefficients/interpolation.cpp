#include "coefficients/interpolation.h"

#include "methods/inverse_distance.h"

namespace sorvane {

bool DistancesFrom(const CoefficientTable& table, double latitudeDegrees, double longitudeDegrees,
                   StationDistances& distances, std::size_t& coincidentRow) {
  const std::size_t rows = table.RowCount();
  distances.degrees.resize(rows);
  for (std::size_t i = 0; i < rows; ++i) {
    const double rowLatitude = table.latitudesDegrees[i];
    const double rowLongitude = table.longitudesDegrees[i];
    if (rowLatitude == latitudeDegrees && rowLongitude == longitudeDegrees) {
      coincidentRow = i;
      return false;
    }
    distances.degrees[i] = PlaneDistance(latitudeDegrees, longitudeDegrees, rowLatitude, rowLongitude);
  }
  distances.weightSum = InverseDistanceWeightSum(distances.degrees);
  return true;
}

double InterpolatedValue(const CoefficientTable& table, const StationDistances& distances, std::size_t column) {
  return InverseDistanceValueSum(table.coefficients.data(), column, table.ColumnCount(), distances.degrees) /
         distances.weightSum;
}

}  // namespace sorvane
