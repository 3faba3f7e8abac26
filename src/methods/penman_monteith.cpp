// FAO Penman-Monteith reference evapotranspiration, daily form of FAO Irrigation and
// Drainage Paper 56 (Allen et al., 1998, eq. 6), without soil heat flux. Vapour
// pressures in kPa, radiation in MJ m-2 day-1, wind in m s-1 taken as the wind at 2 m;
// the psychrometric constant is 0.066 above the aerodynamic term and 0.0668 below both
// terms. The result in mm per record period.
#include <cmath>

#include "methods/methods.h"

namespace sorvane {

double PenmanMonteith(const WeatherRecord& r, const StationHeader& station, const StationConstants&,
                      const RowTerms& terms) {
  const double eMax = terms.atTmax.saturationVapourPressure;        // kPa, eq. 11
  const double eMin = terms.atTmin.saturationVapourPressure;        // kPa, eq. 11
  const double ea = (eMax * r.RH2 / 100 + eMin * r.RH1 / 100) / 2;  // kPa, eq. 17: RH1 goes with TMIN, RH2 with TMAX
  const double emissivity = 0.34 - 0.14 * std::sqrt(ea);

  const SolarGeometry& g = terms.day;
  const double rs = SolarRadiation(g.ExtraterrestrialRadiation, r.SS, g.DayLength);        // MJ m-2 day-1, eq. 35
  const double rso = (0.75 + 2 * station.Elevation / 100000) * g.ExtraterrestrialRadiation;  // eq. 37
  const double tMax4 = terms.atTmax.fourthPowerKelvin;                                    // K^4
  const double tMin4 = terms.atTmin.fourthPowerKelvin;                                    // K^4
  const double sigmaT = (4.903 * tMax4 / 1e9 + 4.903 * tMin4 / 1e9) / 2;                  // MJ m-2 day-1
  const double rns = 0.77 * rs;                                       // eq. 38, albedo 0.23
  const double rnl = sigmaT * emissivity * (1.35 * rs / rso - 0.35);  // eq. 39
  const double rn = rns - rnl;                                        // eq. 40

  const double eMean = terms.atTmean.saturationVapourPressure;                // kPa, eq. 11 at Tmean
  const double eSat = (eMax + eMin) / 2;                                      // kPa, eq. 12
  const double slope = 4098 * eMean / ((r.Tmean + 237.3) * (r.Tmean + 237.3));  // kPa per degree C, eq. 13
  const double u2 = r.WS / 3.6;                                              // m s-1
  const double denominator = slope + 0.0668 * (1 + 0.34 * u2);
  const double radiationTerm = 0.408 * rn * slope / denominator;
  const double aerodynamicTerm = 0.066 * (900 / (r.Tmean + 273)) * u2 * (eSat - ea) / denominator;
  const double daily = radiationTerm + aerodynamicTerm;  // mm day-1, eq. 6
  return ClampAtZero(ScaleToPeriod(daily, r));
}

}  // namespace sorvane
