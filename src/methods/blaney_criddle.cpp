// Blaney-Criddle reference evapotranspiration in the FAO-24 form (Doorenbos & Pruitt,
// 1977): ET = a + b f, mm day-1, with the Blaney-Criddle factor f = p (0.46 T + 8.13)
// and the adjustment coefficients a and b from FAO-24's regression on RHmin (%), the
// sunshine ratio n/N and the daytime wind Uday (m s-1).
#include "methods/methods.h"

namespace sorvane {

double BlaneyCriddle(double tMean, double rhMin, double sunshineRatio, double wind, double p) {
  // The mean is raised by 273.16 and lowered by 273: the factor sees Tmean + 0.16.
  const double tk = tMean + 273.16;
  const double f = p * (0.46 * (tk - 273) + 8.13);  // mm day-1
  const double a = 0.0043 * rhMin - sunshineRatio - 1.41;
  const double b = 0.82 - 0.0041 * rhMin + 1.07 * sunshineRatio + 0.066 * wind - 0.006 * rhMin * sunshineRatio -
                   0.0006 * rhMin * wind;
  return a + b * f;  // mm day-1
}

}  // namespace sorvane
