// RowTerms: what several methods compute from the same readings of one record, computed
// once per record by the driver and read by the formulas. Each term is the very
// expression a formula would write in its place, so a method gives the same bits with
// the terms as it would computing them itself.
#pragma once

#include "methods/solar_geometry.h"
#include "methods/weather_record.h"

namespace sorvane {

// e0(T) = 0.611 exp(17.27 T / (T + 237.3)), kPa, T in degrees C (FAO-56 eq. 11).
double SaturationVapourPressure(double celsius);

// The saturation vapour pressure of the Modified Penman method: exp(54.88 - 5.03 ln t -
// 6791 / t), mbar, with t = T + 273.16 K.
double SaturationVapourPressureMbar(double celsius);

// (T + 273.16)^4, K^4, of the long-wave balances (sigma T^4).
double FourthPowerKelvin(double celsius);

// U = WS x 24 x 0.93, the wind run in km day-1 of a wind speed in km/h.
inline double WindRun(double windKmPerHour) { return windKmPerHour * 24 * 0.93; }

// The terms of one temperature alone.
struct TemperatureTerms {
  double saturationVapourPressure = 0;      // e0(T), kPa
  double saturationVapourPressureMbar = 0;  // Modified Penman's es(T), mbar
  double fourthPowerKelvin = 0;             // (T + 273.16)^4, K^4
};
TemperatureTerms TemperatureTermsOf(double celsius);

struct RowTerms {
  SolarGeometry day;           // the geometry of the record's day at the station
  TemperatureTerms atTmax;     // TMAX
  TemperatureTerms atTmin;     // TMIN
  TemperatureTerms atTmean;    // Tmean
  double logWindRun = 0;       // ln U, U the wind run in km day-1
};

// Every term of `record`, computed directly, with `day` the geometry of its day.
RowTerms RowTermsOf(const WeatherRecord& record, const SolarGeometry& day);

}  // namespace sorvane
