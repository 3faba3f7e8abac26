#include "methods/missing_data.h"

#include <cmath>

namespace sorvane {

double SolarRadiationFromTemperatures(double radiationCoefficient, double tMaxCelsius, double tMinCelsius,
                                      double extraterrestrialRadiation) {
  return radiationCoefficient * std::sqrt(tMaxCelsius - tMinCelsius) * extraterrestrialRadiation;
}

}  // namespace sorvane
