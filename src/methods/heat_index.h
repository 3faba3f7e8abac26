// The Thornthwaite heat index I of a station, from the inverse-distance sums over the
// grid points of the heat index table (methods/inverse_distance.h), and the exponent a
// of I.
#pragma once

#include <array>

namespace sorvane {

// I = sum over the twelve months of (T / 5)^1.514, T the month's mean temperature in
// degrees C; a month below 0 degrees C adds nothing (Thornthwaite, 1948).
double HeatIndexOfMonthlyMeans(const std::array<double, 12>& meanCelsius);

// (sum v_i / d_i) / (sum 1 / d_i) truncated downwards to hundredths, as 100 x valueSum /
// weightSum in this order. The 1e-9 keeps a mean such as 64.35, whose double lies a hair
// below it, from being cut to 64.34.
double TruncatedHeatIndex(double valueSum, double weightSum);

// a = 6.75e-7 I^3 - 7.71e-5 I^2 + 0.01792 I + 0.49239, in the published grouping
// (Thornthwaite, 1948).
double ThornthwaiteExponent(double heatIndex);

}  // namespace sorvane
