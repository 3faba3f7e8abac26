// Modified Penman reference evapotranspiration, FAO Irrigation and Drainage Paper 24
// (Doorenbos & Pruitt, 1977), with the adjustment factor c = 1.
// Vapour pressures in mbar, radiation in MJ m-2 day-1 turned into mm day-1 by
// 0.4081632, wind run in km day-1; the result in mm per record period.
#include <cmath>

#include "methods/exact_argument_memo.h"
#include "methods/methods.h"
#include "methods/solar_geometry.h"

namespace sorvane {

// The terms of the mean temperature t (K) alone: the saturation vapour pressure (mbar),
// the slope of its curve (mbar K-1) and t^4 of the long-wave balance.
struct MeanTemperatureTerms {
  double es = 0, slope = 0, fourthPower = 0;
};

static MeanTemperatureTerms MeanTemperatureTermsOf(double t) {
  MeanTemperatureTerms terms;
  terms.es = std::exp(54.88 - 5.03 * std::log(t) - 6791 / t);  // mbar
  terms.slope = (terms.es / t) * (6791 / t - 5.03);             // mbar K-1
  terms.fourthPower = std::pow(t, 4);                           // K^4
  return terms;
}

double ModifiedPenman::Compute(const WeatherRecord& r, const StationHeader& station,
                               const StationConstants& k) const {
  const double t = r.Tmean + 273.16;                                     // K
  // The mean temperature repeats from row to row: its exp, log and pow are remembered.
  thread_local ExactArgumentMemo<MeanTemperatureTerms, 2048> recent;
  const MeanTemperatureTerms terms = recent.Get(t, MeanTemperatureTermsOf);
  const double es = terms.es;                                            // mbar
  const double slope = terms.slope;                                      // mbar K-1
  const double z = station.Elevation;                                    // m
  const double pressure = (101.3 - 0.01152 * z + 5.44e-7 * (z * z)) * 10;  // mbar
  const double gamma = 0.00066 * pressure;                               // mbar K-1
  const double w = slope / (slope + gamma);

  const SolarGeometry g = GeometryFor(k, r.DayOfYear);
  const double rs = SolarRadiation(g.ExtraterrestrialRadiation, r.SS, g.DayLength);
  const double rns = 0.75 * rs;                                          // albedo 0.25
  const double ed = es * (r.RH1 + r.RH2) / 2 / 100;                      // mbar
  const double rnl = (0.1 + 0.9 * r.SS / g.DayLength) * (4.9e-9 * terms.fourthPower) *
                     (0.34 - 0.044 * std::sqrt(ed));
  const double rn = (rns - rnl) * 0.4081632;                             // mm day-1

  const double windRun = r.WS * 24 * 0.93;                               // km day-1
  const double windFunction = 0.27 * (1 + windRun / 100);
  const double daily = w * rn + (1 - w) * windFunction * (es - ed);      // mm day-1
  return ClampAtZero(ScaleToPeriod(daily, r));
}

}  // namespace sorvane
