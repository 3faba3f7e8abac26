// Christiansen (1968) pan formula: 0.755 x EVP times four coefficients for temperature
// (reference 20 degrees C), wind (6.7 km/h), mean humidity (0.60) and sunshine ratio
// (0.80). EVP already holds the period's total, so the result (mm per record period)
// is not scaled.
#include "methods/methods.h"

namespace sorvane {

double Christiansen(const WeatherRecord& r, const StationHeader&, const StationConstants&, const RowTerms& terms) {
  const double meanHumidity = (r.RH1 + r.RH2) / 2;  // %
  const double ct = 0.862 + 0.179 * (r.Tmean / 20) - 0.041 * ((r.Tmean / 20) * (r.Tmean / 20));
  const double cw = 1.189 - 0.24 * (r.WS / 6.7) + 0.051 * ((r.WS / 6.7) * (r.WS / 6.7));
  const double h = (meanHumidity / 100) / 0.6;
  const double ch = 0.499 + 0.62 * h - 0.119 * (h * h);
  const double s = r.SS / terms.day.DayLength;
  const double cs = 0.904 + 0.008 * (s / 0.8) + 0.088 * ((s / 0.8) * (s / 0.8));
  return ClampAtZero(0.755 * r.EVP * ct * cw * ch * cs);  // mm per period
}

}  // namespace sorvane
