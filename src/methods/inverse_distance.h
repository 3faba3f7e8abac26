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

// The rectangle of latitudes and longitudes that a set of reference points spans.
// Interpolation by inverse distance holds inside it; beyond it, it extrapolates from
// points of another climate.
struct CoordinateExtent {
  double minLatitude = 0, maxLatitude = 0, minLongitude = 0, maxLongitude = 0;  // degrees
  bool empty = true;

  void Add(double latitudeDegrees, double longitudeDegrees);
  // True when the station lies more than `marginDegrees` beyond every side's outermost point.
  bool Outside(double latitudeDegrees, double longitudeDegrees, double marginDegrees) const;
};

// d_i between a station and a point, degrees.
double PlaneDistance(double latitudeDegrees, double longitudeDegrees, double pointLatitudeDegrees,
                     double pointLongitudeDegrees);

// sum_i 1 / d_i, in order.
double InverseDistanceWeightSum(std::span<const double> distances);

// sum_i v_i / d_i, in order, with v_i = values[first + i * stride].
double InverseDistanceValueSum(const double* values, std::size_t first, std::size_t stride,
                               std::span<const double> distances);

}  // namespace sorvane
