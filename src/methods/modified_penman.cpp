// Modified Penman reference evapotranspiration, FAO Irrigation and Drainage Paper 24
// (Doorenbos & Pruitt, 1977), with the adjustment factor c = 1:
//   ET = W Rn + (1 - W) f(u) (es - ed), mm day-1.
// Vapour pressures in mbar, radiation in MJ m-2 day-1 turned into mm day-1 of
// evaporation by 0.4081632 (1 / 2.45, the latent heat in MJ kg-1), wind run in km day-1.
#include <cmath>

#include "methods/methods.h"

namespace sorvane {

namespace {

// The station's pressure, mbar: a quadratic in the elevation z (m) approximating the
// standard atmosphere, 101.3 kPa at sea level, times 10 for mbar.
double StationPressureMbar(double z) { return (101.3 - 0.01152 * z + 5.44e-7 * (z * z)) * 10; }

}  // namespace

double ModifiedPenman(const AirTemperature& tMean, double ed, double windRun, double rs, double sunshineHours,
                      double dayLength, double elevation) {
  const double t = tMean.celsius + 273.16;                          // K
  const double es = tMean.saturationVapourPressureMbar;             // mbar
  const double slope = (es / t) * (6791 / t - 5.03);                // mbar K-1, the derivative of es(T)
  const double gamma = 0.00066 * StationPressureMbar(elevation);    // mbar K-1, psychrometric constant
  const double w = slope / (slope + gamma);

  const double rns = 0.75 * rs;                                     // albedo 0.25
  // Stefan-Boltzmann 4.9e-9 MJ m-2 K-4 day-1; f(n/N) = 0.1 + 0.9 n/N, f(ed) = 0.34 - 0.044 sqrt(ed).
  const double rnl = (0.1 + 0.9 * sunshineHours / dayLength) * (4.9e-9 * tMean.fourthPowerKelvin) *
                     (0.34 - 0.044 * std::sqrt(ed));
  const double rn = (rns - rnl) * 0.4081632;                        // mm day-1

  const double windFunction = 0.27 * (1 + windRun / 100);           // f(u), U in km day-1
  return w * rn + (1 - w) * windFunction * (es - ed);               // mm day-1
}

}  // namespace sorvane
