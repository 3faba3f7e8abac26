// Estimates in place of readings a station did not make (--estimate-missing): per row,
// each parameter a method reads whose field holds no reading, or for which the file has
// no column, is estimated from the row's temperatures as FAO-56 chapter 3 does it, and
// named, so that a result can say which of its rows rest on estimates.
//
// - radiation: Rs = kRs sqrt(Tmax - Tmin) Ra (eq. 50), taken as a measured RS is; a file
//   that records sunshine gets the hours n that give that Rs by this program's Angstrom
//   relation;
// - humidity: ea = e0(Tmin - offset) (eq. 48), as the dew point TDEW, or as the readings
//   the file records: RH1 = 100 ea / e0(Tmin), RH2 = 100 ea / e0(Tmax), RH = 100 ea / es;
// - wind: the station's mean wind at 2 m, by default FAO-56's world average of 2 m/s.
// A temperature is never estimated: a row without one keeps its estimates missing too.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "methods/missing_data.h"
#include "methods/solar_geometry.h"
#include "methods/weather_record.h"

namespace sorvane {

// What the user sets for the estimates.
struct MissingEstimates {
  double radiationCoefficient = kInteriorRadiationCoefficient;  // kRs, degrees C^-0.5
  double dewPointOffset = 0;                                    // Tmin - Tdew, K
  double windAt2m = kWorldAverageWind;                          // m s-1
};

// The estimates of one file, whose recognised columns are `columns`.
class MissingInputEstimator {
 public:
  MissingInputEstimator(const MissingEstimates& estimates, ParameterSet columns);

  // The parameters a row can be given though the file has no column for them.
  ParameterSet Added() const { return targets_ & ~columns_; }

  // Estimates the parameters of `record` that hold no reading (`missing`, as the reader
  // found them) or have no column. Removes from `missing` what it estimated, adds what it
  // could not (a parameter without a column, in a row without the temperatures it needs),
  // and returns the parameters estimated.
  ParameterSet Fill(WeatherRecord& record, ParameterSet& missing, const SolarGeometry& day) const;

 private:
  MissingEstimates estimates_;
  ParameterSet columns_;
  ParameterSet targets_;  // what the file's rows hold or are given
};

// The last column of a result whose run estimated missing readings: per row, the
// parameters estimated in it.
inline constexpr std::string_view kEstimatedHead = "Estimated";

// "RS TDEW WS": the heads of `estimated`, in ParameterCode order, between spaces.
std::string EstimatedText(ParameterSet estimated);

// The rows of a file that hold estimates, and per parameter how many.
struct EstimateTally {
  long rows = 0;
  std::array<long, kParameterHeads.size()> perParameter{};

  // Called for every row: the usual row, with no estimate, costs one test.
  void Note(ParameterSet estimated) {
    if (estimated != 0) NoteEstimated(estimated);
  }
  void NoteEstimated(ParameterSet estimated);
};

// "RS 365, TDEW 365, WS 365": per parameter estimated, its rows.
std::string EstimateCounts(const EstimateTally& tally);

}  // namespace sorvane
