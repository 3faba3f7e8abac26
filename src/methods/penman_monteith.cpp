// FAO Penman-Monteith reference evapotranspiration, daily form of FAO Irrigation and
// Drainage Paper 56 (Allen et al., 1998), without soil heat flux. Vapour pressures in
// kPa, radiation in MJ m-2 day-1, wind in m s-1 taken as the wind at 2 m; the
// psychrometric constant is 0.066 above the aerodynamic term and 0.0668 below both
// terms. The result in mm per record period.
#include <cmath>

#include "methods/exact_argument_memo.h"
#include "methods/methods.h"
#include "methods/solar_geometry.h"

namespace sorvane {

// The terms of one temperature (degrees C) alone: the saturation vapour pressure (kPa)
// and the fourth power of the temperature in K of the long-wave balance.
struct TemperatureTerms {
  double saturationVapourPressure = 0;  // kPa
  double fourthPower = 0;               // K^4
};

static TemperatureTerms TemperatureTermsOf(double celsius) {
  TemperatureTerms terms;
  terms.saturationVapourPressure = 0.611 * std::exp(17.27 * celsius / (celsius + 237.3));
  terms.fourthPower = std::pow(celsius + 273.16, 4);
  return terms;
}

// TMAX, TMIN and their mean repeat from row to row: their exp and pow are remembered.
static TemperatureTerms TermsOf(double celsius) {
  thread_local ExactArgumentMemo<TemperatureTerms, 4096> recent;
  return recent.Get(celsius, TemperatureTermsOf);
}

double PenmanMonteith::Compute(const WeatherRecord& r, const StationHeader& station,
                               const StationConstants& k) const {
  const TemperatureTerms atMax = TermsOf(r.TMAX);
  const TemperatureTerms atMin = TermsOf(r.TMIN);
  const double eMax = atMax.saturationVapourPressure;
  const double eMin = atMin.saturationVapourPressure;
  const double ea = (eMax * r.RH2 / 100 + eMin * r.RH1 / 100) / 2;  // RH1 goes with TMIN, RH2 with TMAX
  const double emissivity = 0.34 - 0.14 * std::sqrt(ea);

  const SolarGeometry g = GeometryFor(k, r.DayOfYear);
  const double rs = SolarRadiation(g.ExtraterrestrialRadiation, r.SS, g.DayLength);
  const double rso = (0.75 + 2 * station.Elevation / 100000) * g.ExtraterrestrialRadiation;
  const double sigmaT = (4.903 * atMax.fourthPower / 1e9 + 4.903 * atMin.fourthPower / 1e9) / 2;  // TMAX and TMIN in K
  const double rns = 0.77 * rs;
  const double rnl = sigmaT * emissivity * (1.35 * rs / rso - 0.35);
  const double rn = rns - rnl;

  const double eMean = TermsOf(r.Tmean).saturationVapourPressure;
  const double eSat = (eMax + eMin) / 2;
  const double slope = 4098 * eMean / ((r.Tmean + 237.3) * (r.Tmean + 237.3));  // kPa per degree C
  const double u2 = r.WS / 3.6;                                                // m s-1
  const double denominator = slope + 0.0668 * (1 + 0.34 * u2);
  const double radiationTerm = 0.408 * rn * slope / denominator;
  const double aerodynamicTerm = 0.066 * (900 / (r.Tmean + 273)) * u2 * (eSat - ea) / denominator;
  const double daily = radiationTerm + aerodynamicTerm;  // mm day-1
  return ClampAtZero(ScaleToPeriod(daily, r));
}

}  // namespace sorvane
