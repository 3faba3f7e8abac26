// Blaney-Criddle reference evapotranspiration in the FAO-24 form (Doorenbos & Pruitt,
// 1977): a + b x p (0.46 T + 8.13), with a and b from RH2 (%), the sunshine ratio n/N
// and the wind speed in m s-1; p the day's percentage of the year's daytime hours.
// The result in mm per record period.
#include "methods/methods.h"

namespace sorvane {

double BlaneyCriddle(const WeatherRecord& r, const StationHeader&, const StationConstants& k, const RowTerms& terms) {
  const SolarGeometry& g = terms.day;
  const double p = 100 * g.DayLength / k.AnnualDayLengthTotal;  // %
  // The mean is raised by 273.16 and lowered by 273: the factor sees Tmean + 0.16.
  const double tk = (r.TMAX + r.TMIN) / 2 + 273.16;
  const double f = p * (0.46 * (tk - 273) + 8.13);              // mm day-1
  const double sunshineRatio = r.SS / g.DayLength;
  const double wind = r.WS / 3.6;                               // m s-1
  const double a = 0.0043 * r.RH2 - sunshineRatio - 1.41;
  const double b = 0.82 - 0.0041 * r.RH2 + 1.07 * sunshineRatio + 0.066 * wind -
                   0.006 * r.RH2 * sunshineRatio - 0.0006 * r.RH2 * wind;
  const double daily = a + b * f;                               // mm day-1
  return ClampAtZero(ScaleToPeriod(daily, r));
}

}  // namespace sorvane
