// Thornthwaite (1948) monthly potential evapotranspiration:
//   ET = 16 (N / 12) (10 T / I)^a, mm month-1,
// T the month's mean temperature in degrees C, N the day length in hours of its
// representative day, I the station's heat index and a its cubic exponent
// (methods/heat_index.h). No factor for the month's days.
#include <cmath>

#include "methods/methods.h"

namespace sorvane {

double Thornthwaite(double tMean, double dayLength, double heatIndex, double exponent) {
  // The published method sets months below freezing to zero; a negative base has no
  // real fractional power.
  if (tMean < 0) return 0;
  return 16 * (dayLength / 12) * std::pow((10 * tMean) / heatIndex, exponent);
}

}  // namespace sorvane
