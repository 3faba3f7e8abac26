#include "methods/air_terms.h"

#include <cmath>

namespace sorvane {

double SaturationVapourPressure(double celsius) { return 0.611 * std::exp(17.27 * celsius / (celsius + 237.3)); }

double SaturationVapourPressureMbar(double celsius) {
  const double t = celsius + 273.16;  // K
  return std::exp(54.88 - 5.03 * std::log(t) - 6791 / t);
}

double FourthPowerKelvin(double celsius) { return std::pow(celsius + 273.16, 4); }

AirTemperature AirTemperatureOf(double celsius) {
  return {celsius, SaturationVapourPressure(celsius), SaturationVapourPressureMbar(celsius),
          FourthPowerKelvin(celsius)};
}

}  // namespace sorvane
