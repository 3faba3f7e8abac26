// Turc (1961) radiation method without humidity correction:
// 0.013 x T / (T + 15) x (Rs + 50), Rs in cal cm-2 day-1 (MJ m-2 day-1 x 23.9),
// T the mean temperature in degrees C; the result in mm per record period.
#include "methods/methods.h"

namespace sorvane {

double Turc(const WeatherRecord& r, const StationHeader&, const StationConstants&, const RowTerms& terms) {
  const SolarGeometry& g = terms.day;
  const double rs = SolarRadiation(g.ExtraterrestrialRadiation, r.SS, g.DayLength);  // MJ m-2 day-1
  const double rsCalories = 23.9 * rs;                                              // cal cm-2 day-1
  const double daily = 0.013 * (r.Tmean / (r.Tmean + 15)) * (rsCalories + 50);     // mm day-1
  return ClampAtZero(ScaleToPeriod(daily, r));
}

}  // namespace sorvane
