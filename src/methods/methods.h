// The eight PET methods, one file each, in the order of the method table. Each is a
// formula of physical quantities in the units its paper writes; what a station file
// holds is mapped onto them by the run layer, which also scales a daily rate to the
// record's period and clamps the result at zero.
#pragma once

#include "methods/air_terms.h"

namespace sorvane {

// FAO-24 Modified Penman, mm day-1. Tmean with its es (mbar) and (T + 273.16)^4; ed the
// actual vapour pressure in mbar; U in km day-1; Rs in MJ m-2 day-1; n and N in hours;
// z in m.
double ModifiedPenman(const AirTemperature& tMean, double actualVapourPressureMbar, double windRunKmPerDay,
                      double solarRadiation, double sunshineHours, double dayLengthHours, double elevationMetres);

// Hargreaves, mm day-1. Tmax and Tmin in degrees C, Ra in MJ m-2 day-1.
double Hargreaves(double tMaxCelsius, double tMinCelsius, double extraterrestrialRadiation);

// Turc, mm day-1. Tmean in degrees C, Rs in MJ m-2 day-1.
double Turc(double tMeanCelsius, double solarRadiation);

// Thornthwaite, mm month-1. Tmean in degrees C, N in hours, I and a dimensionless.
double Thornthwaite(double tMeanCelsius, double dayLengthHours, double heatIndex, double exponent);

// FAO-24 Blaney-Criddle, mm day-1. Tmean in degrees C, RHmin in %, n/N, Uday in m s-1,
// p in % of the year's daytime hours.
double BlaneyCriddle(double tMeanCelsius, double rhMinPercent, double sunshineRatio, double windMetresPerSecond,
                     double daytimePercentage);

// Christiansen, mm over the period of the pan's evaporation. EVP in mm, Tmean in degrees
// C, wind in km/h, the mean humidity in %, n/N.
double Christiansen(double panEvaporation, double tMeanCelsius, double windKmPerHour, double meanHumidityPercent,
                    double sunshineRatio);

// FAO-24 Open pan, mm over the period of the pan's evaporation. EVP in mm, the mean
// humidity in %, U in km day-1 with its natural logarithm.
double OpenPan(double panEvaporation, double meanHumidityPercent, double windRunKmPerDay, double logWindRun);

// FAO-56 Penman-Monteith, mm day-1. Tmax, Tmin, Tmean with their e0 (kPa) and
// (T + 273.16)^4; ea in kPa; Rs and Ra in MJ m-2 day-1; z in m; u2 in m s-1.
double PenmanMonteith(const AirTemperature& tMax, const AirTemperature& tMin, const AirTemperature& tMean,
                      double actualVapourPressure, double solarRadiation, double extraterrestrialRadiation,
                      double elevationMetres, double windMetresPerSecond);

}  // namespace sorvane
