// What FAO-56 (chapter 3, "Estimating missing climatic data") puts in place of a reading
// a station did not make, each estimate from the temperatures the station did record.
#pragma once

namespace sorvane {

// kRs of FAO-56 eq. 50, degrees C^-0.5: 0.16 for interior stations, 0.19 for coastal ones.
inline constexpr double kInteriorRadiationCoefficient = 0.16;

// Rs = kRs sqrt(Tmax - Tmin) Ra, MJ m-2 day-1 (FAO-56 eq. 50, Hargreaves' radiation
// formula). Tmax and Tmin in degrees C, Ra in MJ m-2 day-1. NaN when Tmin exceeds Tmax:
// such a row holds no range to estimate from.
double SolarRadiationFromTemperatures(double radiationCoefficient, double tMaxCelsius, double tMinCelsius,
                                      double extraterrestrialRadiation);

// Tdew = Tmin - offset, degrees C: FAO-56 eq. 48 takes ea = e0(Tmin), the air being near
// saturation at the night's minimum; at arid stations it is not, and FAO-56 lowers the
// dew point by 2 to 3 degrees C there.
inline double DewPointFromMinimum(double tMinCelsius, double offsetKelvin) { return tMinCelsius - offsetKelvin; }

// RH = 100 ea / e0(T), %: the relative humidity at temperature T of air whose vapour
// pressure is ea (FAO-56 eq. 10 turned around). Both pressures in the same unit.
inline double RelativeHumidityOf(double actualVapourPressure, double saturationVapourPressure) {
  return 100 * actualVapourPressure / saturationVapourPressure;
}

// The world average of FAO-56 for a missing wind, "as a temporary measure", m s-1 at 2 m.
inline constexpr double kWorldAverageWind = 2;

}  // namespace sorvane
