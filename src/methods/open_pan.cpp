// Open pan method (Doorenbos & Pruitt, 1977): EVP times the pan coefficient Kp of the
// class A pan regression on mean humidity (%) and wind run U (km day-1) with the fetch
// fixed at 10 m. EVP already holds the period's total: the result (mm per record
// period) is not scaled.
#include <cmath>

#include "methods/methods.h"

namespace sorvane {

double OpenPan(const WeatherRecord& r, const StationHeader&, const StationConstants&, const RowTerms& terms) {
  const double meanHumidity = (r.RH1 + r.RH2) / 2;  // %
  const double u = WindRun(r.WS);                   // km day-1, never below 35.712 (wind floor)
  const double ln10 = std::log(10.0);               // ln of the fetch, m
  const double lnU = terms.logWindRun;
  const double kp = 0.61 + 0.00341 * meanHumidity - 1.87e-6 * u * meanHumidity - 1.11e-7 * u * 10 +
                    3.78e-5 * u * ln10 - 3.32e-5 * u * lnU - 0.0106 * ln10 * lnU + 0.00063 * ln10 * ln10 * lnU;
  return ClampAtZero(kp * r.EVP);
}

}  // namespace sorvane
