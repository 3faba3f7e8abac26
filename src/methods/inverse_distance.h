// Inverse-distance weighting of power 1 over every point given, with no limit on
// distance or number of neighbours. The distance is the plain one in degrees on the
// latitude-longitude plane (longitude is not scaled by latitude; no great circle):
//
//   d_i = sqrt((lat - lat_i)^2 + (lon - lon_i)^2)       degrees
//   value = (sum_i v_i / d_i) / (sum_i 1 / d_i)
//
// Both sums are taken point by point in the given order, and v_i / d_i is a division,
// not a product with 1 / d_i: every digit the heat index and the coefficient files show
// depends on it. A point at distance 0 has no weight; the callers decide what a station
// on a point gets.
#pragma once

#include <cstddef>
#include <span>

namespace sorvane {

// d_i between a station and a point, degrees.
double PlaneDistance(double latitudeDegrees, double longitudeDegrees, double pointLatitudeDegrees,
                     double pointLongitudeDegrees);

// sum_i 1 / d_i, in order.
double InverseDistanceWeightSum(std::span<const double> distances);

// sum_i v_i / d_i, in order, with v_i = values[first + i * stride].
double InverseDistanceValueSum(const double* values, std::size_t first, std::size_t stride,
                               std::span<const double> distances);

}  // namespace sorvane
