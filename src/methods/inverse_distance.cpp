#include "methods/inverse_distance.h"

#include <cmath>

namespace sorvane {

double PlaneDistance(double latitudeDegrees, double longitudeDegrees, double pointLatitudeDegrees,
                     double pointLongitudeDegrees) {
  const double dLatitude = latitudeDegrees - pointLatitudeDegrees;
  const double dLongitude = longitudeDegrees - pointLongitudeDegrees;
  return std::sqrt(dLatitude * dLatitude + dLongitude * dLongitude);
}

double InverseDistanceWeightSum(std::span<const double> distances) {
  double sum = 0;
  for (double d : distances) sum += 1 / d;
  return sum;
}

double InverseDistanceValueSum(const double* values, std::size_t first, std::size_t stride,
                               std::span<const double> distances) {
  double sum = 0;
  for (std::size_t i = 0; i < distances.size(); ++i) sum += values[first + i * stride] / distances[i];
  return sum;
}

}  // namespace sorvane
