// RowTerms: what several methods take from the same readings of one record, made once
// per record by the driver and mapped onto the formulas' arguments; RowTermsMaker makes
// them, remembering what it has computed.
//
// Stations write their temperatures and winds with one decimal, so a long file holds a
// few hundred distinct values of each, and the exp, log and pow of a temperature or a
// wind are mostly looked up instead of computed again. A remembered term is the one
// computed for that very reading: the terms are those of RowTermsOf, bit for bit.
#pragma once

#include "methods/air_terms.h"
#include "methods/solar_geometry.h"
#include "methods/weather_record.h"
#include "run/exact_argument_memo.h"
#include "run/method_inputs.h"

namespace sorvane {

struct RowTerms {
  SolarGeometry day;       // the geometry of the record's day at the station
  AirTemperature atTmax;   // TMAX
  AirTemperature atTmin;   // TMIN
  AirTemperature atTmean;  // Tmean
  AirTemperature atTdew;   // TDEW, when the file's humidity is its dew point
  double logWindRun = 0;   // ln U, U the wind run in km day-1
  double periodDays = 1;   // the days of the record's period (PeriodDays)
  MethodReadings readings; // the humidity and sunshine each method takes
};

// Every term of `record`, computed directly, with `day` the geometry of its day.
RowTerms RowTermsOf(const WeatherRecord& record, const SolarGeometry& day, const MethodInputs& inputs = {});

// One per thread, kept from file to file (about 150 KB): what it remembers holds for
// every station.
class RowTermsMaker {
 public:
  // The terms of `record`, its day's geometry taken from the station's table.
  RowTerms For(const WeatherRecord& record, const SolarGeometryTable& days, const MethodInputs& inputs = {});
  // The same into `terms`, every term that `inputs` uses overwritten: a run fills one
  // RowTerms row after row instead of making and copying one per row.
  void Fill(const WeatherRecord& record, const SolarGeometryTable& days, const MethodInputs& inputs,
            RowTerms& terms);

 private:
  // A temperature's terms without the temperature, which is the memo's argument: an
  // entry of 32 bytes, two to a cache line, where the whole AirTemperature makes 40 and
  // many an entry straddles two lines.
  struct SaturationTerms {
    double saturationVapourPressure, saturationVapourPressureMbar, fourthPowerKelvin;
  };
  AirTemperature TermsOf(double celsius);

  ExactArgumentMemo<SaturationTerms, 4096> temperatures_;  // by degrees C
  ExactArgumentMemo<double, 1024> logWindRuns_;            // by WS, km/h
};

}  // namespace sorvane
