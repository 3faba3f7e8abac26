#include "run/row_terms_maker.h"

#include <cmath>

namespace sorvane {

RowTerms RowTermsMaker::For(const WeatherRecord& record, const SolarGeometryTable& days) {
  RowTerms terms;
  terms.day = days.At(record.DayOfYear);
  terms.atTmax = temperatures_.Get(record.TMAX, TemperatureTermsOf);
  terms.atTmin = temperatures_.Get(record.TMIN, TemperatureTermsOf);
  terms.atTmean = temperatures_.Get(record.Tmean, TemperatureTermsOf);
  terms.logWindRun = logWindRuns_.Get(record.WS, [](double ws) { return std::log(WindRun(ws)); });
  return terms;
}

}  // namespace sorvane
