// Open pan method of FAO-24 (Doorenbos & Pruitt, 1977): ET = Kp EVP, in the unit of EVP
// (the pan's evaporation over the record's period, so nothing is scaled). Kp is the
// regression of FAO-24's class A pan coefficients on the mean humidity RHm (%), the wind
// run U (km day-1) and the fetch of green crop around the pan, here fixed at 10 m: eight
// terms added in this order.
#include <cmath>

#include "methods/methods.h"

namespace sorvane {

namespace {

constexpr double kFetchMetres = 10;  // the pan's fetch, which station files do not record

}  // namespace

double OpenPan(double evaporation, double meanHumidity, double u, double lnU) {
  const double lnFetch = std::log(kFetchMetres);
  const double kp = 0.61 + 0.00341 * meanHumidity - 1.87e-6 * u * meanHumidity - 1.11e-7 * u * kFetchMetres +
                    3.78e-5 * u * lnFetch - 3.32e-5 * u * lnU - 0.0106 * lnFetch * lnU +
                    0.00063 * lnFetch * lnFetch * lnU;
  return kp * evaporation;
}

}  // namespace sorvane
