// Hargreaves & Samani (1985) temperature method (FAO-56 eq. 52). Ra enters as evaporation equivalent:
// MJ m-2 day-1 times 0.4081632 gives mm day-1; the result in mm per record period.
#include <cmath>

#include "methods/methods.h"

namespace sorvane {

double Hargreaves(const WeatherRecord& r, const StationHeader&, const StationConstants&, const RowTerms& terms) {
  const SolarGeometry& g = terms.day;
  const double daily = 0.0023 * (g.ExtraterrestrialRadiation * 0.4081632) * std::sqrt(r.TMAX - r.TMIN) *
                       ((r.TMAX + r.TMIN) / 2 + 17.8);  // mm day-1
  return ClampAtZero(ScaleToPeriod(daily, r));
}

}  // namespace sorvane
