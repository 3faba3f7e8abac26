// Turc (1961) radiation method without humidity correction:
//   ET = 0.013 T / (T + 15) (Rs + 50), mm day-1,
// Rs in cal cm-2 day-1 (MJ m-2 day-1 x 23.9), T the mean temperature in degrees C.
#include "methods/methods.h"

namespace sorvane {

double Turc(double tMean, double rs) {
  const double rsCalories = 23.9 * rs;                                   // cal cm-2 day-1
  return 0.013 * (tMean / (tMean + 15)) * (rsCalories + 50);             // mm day-1
}

}  // namespace sorvane
