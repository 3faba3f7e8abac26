// RowTermsMaker: the RowTerms of each record, made once per record for all its methods.
//
// Stations write their temperatures and winds with one decimal, so a long file holds a
// few hundred distinct values of each, and the exp, log and pow of a temperature or a
// wind are mostly looked up instead of computed again. A remembered term is the one
// computed for that very reading: the terms are those of RowTermsOf, bit for bit.
#pragma once

#include "methods/row_terms.h"
#include "methods/solar_geometry.h"
#include "run/exact_argument_memo.h"

namespace sorvane {

// One per thread, kept from file to file (about 150 KB): what it remembers holds for
// every station.
class RowTermsMaker {
 public:
  // The terms of `record`, its day's geometry taken from the station's table.
  RowTerms For(const WeatherRecord& record, const SolarGeometryTable& days);

 private:
  ExactArgumentMemo<TemperatureTerms, 4096> temperatures_;  // by degrees C
  ExactArgumentMemo<double, 1024> logWindRuns_;             // by WS, km/h
};

}  // namespace sorvane
