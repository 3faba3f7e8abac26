// StationComputation: a weather file opened for computing, the same for a run and for any
// other job that needs its PET values: the header read, the methods it allows chosen,
// the station prepared; then each record with the value of every method, at full
// precision, row by row.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/app_folder.h"
#include "run/heat_index_table.h"
#include "run/method_table.h"
#include "run/row_terms_maker.h"
#include "run/station_setup.h"
#include "run/weather_file_reader.h"

namespace sorvane {

// How a refusal of a weather file ends, in a run and in a check alike.
inline constexpr std::string_view kFileNotProcessed = "; the file is not processed";

class StationComputation {
 public:
  // Opens `path` (shown in notices as `shown`) and reads its header. A problem whose
  // message is the whole refusal (without its closing "; the file is not processed")
  // when the file cannot be opened or its header read, or its Thornthwaite column finds
  // no heat index (from the table, or from the file's own months by `heatIndex`).
  // `supplied`: parameters without a column that a pass fills into every record before
  // the methods see it; the methods and their inputs are chosen from the columns and
  // these together (Present()).
  static Expected<StationComputation> Open(const std::filesystem::path& path, const std::string& shown,
                                           const AppFolder& app, const ReadingRules& rules,
                                           HeatIndexSource heatIndex = HeatIndexSource::Table,
                                           ParameterSet supplied = 0);

  const WeatherFileHeader& Header() const { return header_; }
  const std::vector<int>& Methods() const { return methods_; }  // MethodIds, ascending
  const WeatherFileReader& Reader() const { return reader_; }
  WeatherFileReader& Reader() { return reader_; }
  const HeatIndexUse& HeatIndex() const { return heatIndex_; }
  ParameterSet Present() const { return present_; }
  const MethodInputs& Inputs() const { return inputs_; }

  // The rows so far whose measured RS gave the sunshine methods an n/N outside 0..1,
  // held at 0 or 1, and the line of the first; 0 when no such method runs.
  long SunshineHeldRows() const { return sunshineHeld_; }
  long FirstSunshineHeldLine() const { return firstSunshineHeldLine_; }
  // Whether missing readings are estimated (--estimate-missing), and then the parameters
  // the rows hold though the file has no column for them.
  bool Estimates() const { return estimator_.has_value(); }
  ParameterSet AddedByEstimates() const { return estimator_ ? estimator_->Added() : 0; }
  // The parameters estimated in the last record.
  ParameterSet EstimatedInLastRecord() const { return estimated_; }

  // The next record into `record` and the value of each method of Methods() into
  // `values` (kNotComputable where a method cannot compute it, or a parameter it reads
  // holds no reading); End or the problem as the reader says.
  Expected<WeatherFileReader::Step> Next(RowTermsMaker& terms, WeatherRecord& record, std::vector<double>& values);

 private:
  StationComputation(WeatherFileReader reader, WeatherFileHeader header, ParameterSet present,
                     std::vector<int> methods, PreparedStation station, HeatIndexUse heatIndex,
                     std::optional<MissingInputEstimator> estimator);

  WeatherFileReader reader_;
  WeatherFileHeader header_;
  std::vector<int> methods_;
  PreparedStation station_;
  HeatIndexUse heatIndex_;
  // Per method of methods_: its formula, and the parameters the formula reads.
  struct MethodCall {
    RecordMethod* compute;
    ParameterSet reads;
  };
  std::vector<MethodCall> calls_;
  ParameterSet present_ = 0;
  MethodInputs inputs_;
  bool sunshineFromRadiation_ = false;  // some method takes an n/N made from RS
  long sunshineHeld_ = 0;
  long firstSunshineHeldLine_ = 0;
  std::optional<MissingInputEstimator> estimator_;
  ParameterSet estimated_ = 0;
  RowTerms rowTerms_;  // the last record's, filled anew for each
};

}  // namespace sorvane
