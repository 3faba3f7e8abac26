// Hargreaves & Samani (1985) temperature method, FAO-56 eq. 52:
//   ET = 0.0023 (Tmean + 17.8) (Tmax - Tmin)^0.5 Ra, mm day-1,
// Ra taken as evaporation: MJ m-2 day-1 times 0.4081632 (1 / 2.45) gives mm day-1.
#include <cmath>

#include "methods/methods.h"

namespace sorvane {

double Hargreaves(double tMax, double tMin, double ra) {
  return 0.0023 * (ra * 0.4081632) * std::sqrt(tMax - tMin) * ((tMax + tMin) / 2 + 17.8);  // mm day-1
}

}  // namespace sorvane
