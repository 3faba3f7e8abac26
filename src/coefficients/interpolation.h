// The coefficients of a station: inverse-distance weighting of power 1
// (methods/inverse_distance.h) over every reference row of the CoefficientTable, in
// table order:
//
//   value of column j = (sum_i c_ij / d_i) / (sum_i 1 / d_i)
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
