// Modified Penman reference evapotranspiration, FAO Irrigation and Drainage Paper 24
// (Doorenbos & Pruitt, 1977), with the adjustment factor c = 1:
// ET = W Rn + (1 - W) f(u) (ea - ed), mm day-1.
// Vapour pressures in mbar, radiation in MJ m-2 day-1 turned into mm day-1 by
// 0.4081632, wind run in km day-1; the result in mm per record period.
#include <cmath>

#include "methods/methods.h"

namespace sorvane {

double ModifiedPenman(const WeatherRecord& r, const StationHeader& station, const StationConstants&,
                      const RowTerms& terms) {
  const double t = r.Tmean + 273.16;                                     // K
  const double es = terms.atTmean.saturationVapourPressureMbar;          // mbar
  const double slope = (es / t) * (6791 / t - 5.03);                     // mbar K-1
  const double z = station.Elevation;                                    // m
  const double pressure = (101.3 - 0.01152 * z + 5.44e-7 * (z * z)) * 10;  // mbar
  const double gamma = 0.00066 * pressure;                               // mbar K-1
  const double w = slope / (slope + gamma);

  const SolarGeometry& g = terms.day;
  const double rs = SolarRadiation(g.ExtraterrestrialRadiation, r.SS, g.DayLength);
  const double rns = 0.75 * rs;                                          // albedo 0.25
  const double ed = es * (r.RH1 + r.RH2) / 2 / 100;                      // mbar
  const double rnl = (0.1 + 0.9 * r.SS / g.DayLength) * (4.9e-9 * terms.atTmean.fourthPowerKelvin) *
                     (0.34 - 0.044 * std::sqrt(ed));
  const double rn = (rns - rnl) * 0.4081632;                             // mm day-1

  const double windRun = WindRun(r.WS);                                  // km day-1
  const double windFunction = 0.27 * (1 + windRun / 100);
  const double daily = w * rn + (1 - w) * windFunction * (es - ed);      // mm day-1
  return ClampAtZero(ScaleToPeriod(daily, r));
}

}  // namespace sorvane
