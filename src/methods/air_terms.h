// Quantities of the air that several methods take from the same reading: a temperature
// with its saturation vapour pressures and radiating power, the actual vapour pressure
// of FAO-56, and the wind run.
#pragma once

namespace sorvane {

// e0(T) = 0.611 exp(17.27 T / (T + 237.3)), kPa, T in degrees C (FAO-56 eq. 11, with
// 0.611 where the paper now writes 0.6108).
double SaturationVapourPressure(double celsius);

// es(T) = exp(54.88 - 5.03 ln t - 6791 / t), mbar, t = T + 273.16 K: the saturation
// curve over water in the closed form of the Clausius-Clapeyron equation integrated with
// a latent heat falling linearly with temperature (the ln t term). Its three constants
// are the ones this program's Modified Penman has used from its first release; FAO-24
// tabulates es instead of giving a formula.
double SaturationVapourPressureMbar(double celsius);

// (T + 273.16)^4, K^4, of the long-wave balances (sigma T^4).
double FourthPowerKelvin(double celsius);

// A temperature and what the formulas take of it. The driver may remember these for a
// reading it has met before: they are the very values AirTemperatureOf computes.
struct AirTemperature {
  double celsius = 0;                       // T, degrees C
  double saturationVapourPressure = 0;      // e0(T), kPa
  double saturationVapourPressureMbar = 0;  // es(T), mbar
  double fourthPowerKelvin = 0;             // (T + 273.16)^4, K^4
};
AirTemperature AirTemperatureOf(double celsius);

// ea = (e0(Tmin) RHmax / 100 + e0(Tmax) RHmin / 100) / 2, kPa (FAO-56 eq. 17): the
// morning humidity goes with the night's minimum, the afternoon one with the maximum.
inline double ActualVapourPressure(double saturationAtTmin, double saturationAtTmax, double rhMaxPercent,
                                   double rhMinPercent) {
  return (saturationAtTmin * rhMaxPercent / 100 + saturationAtTmax * rhMinPercent / 100) / 2;
}

// U = WS x 24 x 0.93, km day-1: the daily wind run of a wind speed in km/h, as Modified
// Penman's wind function and the pan coefficient of Open pan take it.
inline double WindRun(double windKmPerHour) { return windKmPerHour * 24 * 0.93; }

// WS / 3.6: km/h in m s-1. The methods take it as the wind at 2 m, with no height correction.
inline double MetresPerSecond(double windKmPerHour) { return windKmPerHour / 3.6; }

}  // namespace sorvane
