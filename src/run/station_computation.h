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
  static Expected<StationComputation> Open(const std::filesystem::path& path, const std::string& shown,
                                           const AppFolder& app, const ReadingRules& rules,
                                           HeatIndexSource heatIndex = HeatIndexSource::Table);

  const WeatherFileHeader& Header() const { return header_; }
  const std::vector<int>& Methods() const { return methods_; }  // MethodIds, ascending
  const WeatherFileReader& Reader() const { return reader_; }
  const HeatIndexUse& HeatIndex() const { return heatIndex_; }
  // Whether missing readings are estimated (--estimate-missing), and then the parameters
  // the rows hold though the file has no column for them.
  bool Estimates() const { return estimator_.has_value(); }
  ParameterSet AddedByEstimates() const { return estimator_ ? estimator_->Added() : 0; }
  // The parameters estimated in the last record.
  ParameterSet EstimatedInLastRecord() const { return estimated_; }

  // The next record into `record` and the value of each method of Methods() into
  // `values` (kNotComputable where a method cannot compute it, or a parameter it reads
  // holds no reading); End or Problem as the reader says.
  WeatherFileReader::Step Next(RowTermsMaker& terms, WeatherRecord& record, std::vector<double>& values);

 private:
  StationComputation(WeatherFileReader reader, WeatherFileHeader header, std::vector<int> methods,
                     PreparedStation station, HeatIndexUse heatIndex, std::optional<MissingInputEstimator> estimator);

  WeatherFileReader reader_;
  WeatherFileHeader header_;
  std::vector<int> methods_;
  PreparedStation station_;
  HeatIndexUse heatIndex_;
  std::vector<RecordMethod*> computing_;
  std::vector<ParameterSet> reading_;  // per method, the parameters its formula reads
  std::optional<MissingInputEstimator> estimator_;
  ParameterSet estimated_ = 0;
};

}  // namespace sorvane
