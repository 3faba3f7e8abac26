// Christiansen (1968) pan formula: ET = 0.755 EVP CT CW CH CS, in the unit of EVP (the
// pan's evaporation over the record's period, so nothing is scaled). Each coefficient is
// Christiansen's quadratic in the ratio of its variable to his reference value, and is 1
// there: temperature 20 degrees C, wind 6.7 km/h, mean humidity 0.60, sunshine ratio 0.80.
#include "methods/methods.h"

namespace sorvane {

double Christiansen(double evaporation, double tMean, double windKmPerHour, double meanHumidity,
                    double sunshineRatio) {
  const double t = tMean / 20, w = windKmPerHour / 6.7, h = (meanHumidity / 100) / 0.6, s = sunshineRatio / 0.8;
  const double ct = 0.862 + 0.179 * t - 0.041 * (t * t);
  const double cw = 1.189 - 0.24 * w + 0.051 * (w * w);
  const double ch = 0.499 + 0.62 * h - 0.119 * (h * h);
  const double cs = 0.904 + 0.008 * s + 0.088 * (s * s);
  return 0.755 * evaporation * ct * cw * ch * cs;
}

}  // namespace sorvane
