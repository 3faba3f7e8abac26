// What a weather file gives the methods for the air's humidity and the sunshine: which
// of its parameters are taken, chosen once per file, and the values of each record the
// methods then take (made in run/record_methods.cpp, where each mapping is explained).
#pragma once

#include "methods/weather_record.h"

namespace sorvane {

// Which parameters give the humidity and the sunshine, chosen from the parameters
// present (a column, or a value some pass fills in every record): RH1/RH2 before TDEW
// before RH, SS before RS, the first of each being the format's first ones.
enum class HumiditySource { None, Readings, DewPoint, MeanHumidity };  // RH1/RH2, TDEW, RH
enum class SunshineSource { None, Sunshine, Radiation };               // SS, RS
struct MethodInputs {
  HumiditySource humidity = HumiditySource::Readings;
  SunshineSource sunshine = SunshineSource::Sunshine;
};
MethodInputs InputsOf(ParameterSet present);

// A record's humidity and sunshine as each method takes them, whichever parameters gave
// them.
struct MethodReadings {
  double vapourPressure = 0;      // ea, kPa: Penman Montieth
  double vapourPressureMbar = 0;  // ed, mbar: Modified Penman
  double meanHumidity = 0;        // %: Christiansen, Open pan
  double afternoonHumidity = 0;   // RHmin, %: Blaney-Criddle
  double sunshineHours = 0;       // n, hours: Modified Penman, Blaney-Criddle, Christiansen
  double sunshineRadiation = 0;   // Rs from n by the Angstrom relation, MJ m-2 day-1: Modified Penman, Turc
  double solarRadiation = 0;      // Rs as Penman Montieth takes it: measured, or from n; MJ m-2 day-1
  bool sunshineClamped = false;   // the n/N that gives the measured Rs lay outside 0..1
};

}  // namespace sorvane
