// Thornthwaite (1948) monthly potential evapotranspiration:
// 16 x (N / 12) x (10 T / I)^a in mm per month, T the month's mean temperature in
// degrees C, N the day length in hours of its representative day, I the station's heat
// index (interpolated from the heat index table when the file is set up) and a its cubic
// exponent (methods/heat_index.h). No factor for the month's days.
#include <cmath>

#include "methods/methods.h"

namespace sorvane {

double Thornthwaite(const WeatherRecord& r, const StationHeader&, const StationConstants& k, const RowTerms& terms) {
  // The published method sets months below freezing to zero; a negative base has no
  // real fractional power.
  if (r.Tmean < 0) return 0;
  const double monthly = 16 * (terms.day.DayLength / 12) * std::pow((10 * r.Tmean) / k.HeatIndex, k.ThornthwaiteExponent);
  return ClampAtZero(monthly);
}

}  // namespace sorvane
