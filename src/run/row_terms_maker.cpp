#include "run/row_terms_maker.h"

#include <cmath>

#include "run/record_methods.h"

namespace sorvane {

namespace {

double LogWindRun(double windKmPerHour) { return std::log(WindRun(windKmPerHour)); }

}  // namespace

RowTerms RowTermsOf(const WeatherRecord& record, const SolarGeometry& day, const MethodInputs& inputs) {
  RowTerms terms{day, AirTemperatureOf(record.TMAX), AirTemperatureOf(record.TMIN), AirTemperatureOf(record.Tmean),
                 {}, LogWindRun(record.WS), {}};
  if (inputs.humidity == HumiditySource::DewPoint) terms.atTdew = AirTemperatureOf(record.TDEW);
  terms.readings = ReadingsOf(record, terms, inputs);
  return terms;
}

RowTerms RowTermsMaker::For(const WeatherRecord& record, const SolarGeometryTable& days,
                            const MethodInputs& inputs) {
  RowTerms terms;
  Fill(record, days, inputs, terms);
  return terms;
}

void RowTermsMaker::Fill(const WeatherRecord& record, const SolarGeometryTable& days, const MethodInputs& inputs,
                         RowTerms& terms) {
  terms.day = days.At(record.DayOfYear);
  terms.atTmax = temperatures_.Get(record.TMAX, AirTemperatureOf);
  terms.atTmin = temperatures_.Get(record.TMIN, AirTemperatureOf);
  terms.atTmean = temperatures_.Get(record.Tmean, AirTemperatureOf);
  if (inputs.humidity == HumiditySource::DewPoint) terms.atTdew = temperatures_.Get(record.TDEW, AirTemperatureOf);
  terms.logWindRun = logWindRuns_.Get(record.WS, LogWindRun);
  FillReadings(record, terms, inputs, terms.readings);
}

}  // namespace sorvane
