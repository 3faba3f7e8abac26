#include "run/row_terms_maker.h"

#include <cmath>

namespace sorvane {

namespace {

double LogWindRun(double windKmPerHour) { return std::log(WindRun(windKmPerHour)); }

}  // namespace

RowTerms RowTermsOf(const WeatherRecord& record, const SolarGeometry& day) {
  return {day, AirTemperatureOf(record.TMAX), AirTemperatureOf(record.TMIN), AirTemperatureOf(record.Tmean),
          LogWindRun(record.WS)};
}

RowTerms RowTermsMaker::For(const WeatherRecord& record, const SolarGeometryTable& days) {
  RowTerms terms;
  terms.day = days.At(record.DayOfYear);
  terms.atTmax = temperatures_.Get(record.TMAX, AirTemperatureOf);
  terms.atTmin = temperatures_.Get(record.TMIN, AirTemperatureOf);
  terms.atTmean = temperatures_.Get(record.Tmean, AirTemperatureOf);
  terms.logWindRun = logWindRuns_.Get(record.WS, LogWindRun);
  return terms;
}

}  // namespace sorvane
