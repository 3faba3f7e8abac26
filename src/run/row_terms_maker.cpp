#include "run/row_terms_maker.h"

#include <cmath>

#include "run/record_methods.h"

namespace sorvane {

namespace {

double LogWindRun(double windKmPerHour) { return std::log(WindRun(windKmPerHour)); }

}  // namespace

RowTerms RowTermsOf(const WeatherRecord& record, const SolarGeometry& day, const MethodInputs& inputs) {
  RowTerms terms{day, AirTemperatureOf(record.TMAX), AirTemperatureOf(record.TMIN), AirTemperatureOf(record.Tmean),
                 {}, LogWindRun(record.WS), PeriodDays(record), {}};
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

AirTemperature RowTermsMaker::TermsOf(double celsius) {
  const SaturationTerms remembered = temperatures_.Get(celsius, [](double c) {
    const AirTemperature computed = AirTemperatureOf(c);
    return SaturationTerms{computed.saturationVapourPressure, computed.saturationVapourPressureMbar,
                           computed.fourthPowerKelvin};
  });
  return {celsius, remembered.saturationVapourPressure, remembered.saturationVapourPressureMbar,
          remembered.fourthPowerKelvin};
}

void RowTermsMaker::Fill(const WeatherRecord& record, const SolarGeometryTable& days, const MethodInputs& inputs,
                         RowTerms& terms) {
  terms.day = days.At(record.DayOfYear);
  terms.atTmax = TermsOf(record.TMAX);
  terms.atTmin = TermsOf(record.TMIN);
  terms.atTmean = TermsOf(record.Tmean);
  if (inputs.humidity == HumiditySource::DewPoint) terms.atTdew = TermsOf(record.TDEW);
  terms.logWindRun = logWindRuns_.Get(record.WS, LogWindRun);
  terms.periodDays = PeriodDays(record);
  FillReadings(record, terms, inputs, terms.readings);
}

}  // namespace sorvane
