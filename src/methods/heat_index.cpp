#include "methods/heat_index.h"

#include <cmath>

namespace sorvane {

double TruncatedHeatIndex(double valueSum, double weightSum) {
  return std::floor(100 * valueSum / weightSum + 1e-9) / 100;
}

double HeatIndexOfMonthlyMeans(const std::array<double, 12>& meanCelsius) {
  double sum = 0;
  for (double t : meanCelsius)
    if (t > 0) sum += std::pow(t / 5, 1.514);
  return sum;
}

double ThornthwaiteExponent(double i) {
  return ((6.75e-7 * i) * i) * i - (7.71e-5 * i) * i + 0.01792 * i + 0.49239;
}

}  // namespace sorvane
