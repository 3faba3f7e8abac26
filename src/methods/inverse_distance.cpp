#include "methods/inverse_distance.h"

#include <algorithm>
#include <cmath>

namespace sorvane {

void CoordinateExtent::Add(double latitude, double longitude) {
  if (empty) {
    *this = {latitude, latitude, longitude, longitude, false};
    return;
  }
  minLatitude = std::min(minLatitude, latitude);
  maxLatitude = std::max(maxLatitude, latitude);
  minLongitude = std::min(minLongitude, longitude);
  maxLongitude = std::max(maxLongitude, longitude);
}

bool CoordinateExtent::Outside(double latitude, double longitude, double margin) const {
  if (empty) return false;
  return latitude < minLatitude - margin || latitude > maxLatitude + margin || longitude < minLongitude - margin ||
         longitude > maxLongitude + margin;
}

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
