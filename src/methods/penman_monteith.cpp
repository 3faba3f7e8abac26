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

static double SaturationVapourPressureOf(double celsius) {  // kPa
  return 0.611 * std::exp(17.27 * celsius / (celsius + 237.3));
}

// TMAX, TMIN and their mean repeat from row to row: their exp and pow are remembered.
static double SaturationVapourPressure(double celsius) {  // kPa
  thread_local ExactArgumentMemo<double, 4096> recent;
  return recent.Get(celsius, SaturationVapourPressureOf);
}

static double FourthPower(double kelvin) {  // K^4
  thread_local ExactArgumentMemo<double, 2048> recent;
  return recent.Get(kelvin, [](double k) { return std::pow(k, 4); });
}

double PenmanMonteith::Compute(const WeatherRecord& r, const StationHeader& station,
                               const StationConstants& k) const {
  const double eMax = SaturationVapourPressure(r.TMAX);
  const double eMin = SaturationVapourPressure(r.TMIN);
  const double ea = (eMax * r.RH2 / 100 + eMin * r.RH1 / 100) / 2;  // RH1 goes with TMIN, RH2 with TMAX
  const double emissivity = 0.34 - 0.14 * std::sqrt(ea);

  const SolarGeometry g = GeometryFor(k, r.DayOfYear);
  const double rs = SolarRadiation(g.ExtraterrestrialRadiation, r.SS, g.DayLength);
  const double rso = (0.75 + 2 * station.Elevation / 100000) * g.ExtraterrestrialRadiation;
  const double tMaxK = r.TMAX + 273.16;
  const double tMinK = r.TMIN + 273.16;
  const double sigmaT = (4.903 * FourthPower(tMaxK) / 1e9 + 4.903 * FourthPower(tMinK) / 1e9) / 2;
  const double rns = 0.77 * rs;
  const double rnl = sigmaT * emissivity * (1.35 * rs / rso - 0.35);
  const double rn = rns - rnl;

  const double eMean = SaturationVapourPressure(r.Tmean);
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
