// FAO Penman-Monteith reference evapotranspiration, daily form of FAO Irrigation and
// Drainage Paper 56 (Allen et al., 1998, eq. 6), without soil heat flux:
//   ET = (0.408 Delta Rn + gamma 900 / (T + 273) u2 (es - ea)) / (Delta + gamma (1 + 0.34 u2)),
// mm day-1. Vapour pressures in kPa, radiation in MJ m-2 day-1, u2 the wind at 2 m in
// m s-1. The psychrometric constant is 0.066 kPa per degree C above the aerodynamic term
// and 0.0668 below both terms, the albedo 0.23 and the Stefan-Boltzmann constant
// 4.903e-9 MJ K-4 m-2 day-1.
#include <cmath>

#include "methods/methods.h"

namespace sorvane {

double PenmanMonteith(const AirTemperature& tMax, const AirTemperature& tMin, const AirTemperature& tMean,
                      double ea, double rs, double ra, double elevation, double u2) {
  const double emissivity = 0.34 - 0.14 * std::sqrt(ea);                               // eq. 39
  const double rso = (0.75 + 2 * elevation / 100000) * ra;                             // MJ m-2 day-1, eq. 37
  const double sigmaT = (4.903 * tMax.fourthPowerKelvin / 1e9 + 4.903 * tMin.fourthPowerKelvin / 1e9) / 2;
  const double rns = 0.77 * rs;                                       // eq. 38, albedo 0.23
  const double rnl = sigmaT * emissivity * (1.35 * rs / rso - 0.35);  // eq. 39
  const double rn = rns - rnl;                                        // eq. 40

  const double t = tMean.celsius;
  const double eMax = tMax.saturationVapourPressure, eMin = tMin.saturationVapourPressure;  // kPa, eq. 11
  const double eSat = (eMax + eMin) / 2;                                                    // kPa, eq. 12
  const double slope = 4098 * tMean.saturationVapourPressure / ((t + 237.3) * (t + 237.3));  // kPa per degree C, eq. 13
  const double denominator = slope + 0.0668 * (1 + 0.34 * u2);
  const double radiationTerm = 0.408 * rn * slope / denominator;
  const double aerodynamicTerm = 0.066 * (900 / (t + 273)) * u2 * (eSat - ea) / denominator;
  return radiationTerm + aerodynamicTerm;  // mm day-1, eq. 6
}

}  // namespace sorvane
