// Inverse-distance weighting of power 1 over every reference row of the
// CoefficientTable, with no limit on distance or number of neighbours. The distance is
// the plain one in degrees on the latitude-longitude plane (longitude is not scaled by
// latitude; no great circle):
//
//   d_i = sqrt((lat - lat_i)^2 + (lon - lon_i)^2)       degrees
//   value of column j = (sum_i c_ij / d_i) / (sum_i 1 / d_i)
//
// Both sums are taken row by row in table order, and c_ij / d_i is a division, not a
// product with 1 / d_i: every digit the coefficient files show depends on it.
#pragma once

#include <cstddef>
#include <vector>

#include "coefficients/coefficient_table.h"

namespace sorvane {

// What a station's values share across columns: the distances and their weight sum.
struct StationDistances {
  std::vector<double> degrees;  // d_i, one per reference row
  double weightSum = 0;         // W = sum of 1 / d_i in row order
};

// The distances from a station to every reference row, in row order. False at the
// first row whose latitude and longitude both equal the station's (the station is
// then a reference station itself), with that row, counted from 0, in `coincidentRow`.
bool DistancesFrom(const CoefficientTable& table, double latitudeDegrees, double longitudeDegrees,
                   StationDistances& distances, std::size_t& coincidentRow);

// The interpolated value of coefficient column `column` (0-based: 2k intercept,
// 2k + 1 slope of method k).
double InterpolatedValue(const CoefficientTable& table, const StationDistances& distances, std::size_t column);

}  // namespace sorvane
