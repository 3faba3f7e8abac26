#include "run/station_computation.h"

#include <algorithm>

#include "run/heat_index_table.h"
#include "run/method_table.h"

namespace sorvane {

StationComputation::StationComputation(WeatherFileReader reader, WeatherFileHeader header, ParameterSet present,
                                       std::vector<int> methods, PreparedStation station, HeatIndexUse heatIndex,
                                       std::optional<MissingInputEstimator> estimator)
    : reader_(std::move(reader)), header_(std::move(header)), methods_(std::move(methods)),
      station_(std::move(station)), heatIndex_(heatIndex), present_(present), inputs_(InputsOf(present)),
      estimator_(std::move(estimator)) {
  for (int id : methods_) {
    const MethodEntry& method = MethodEntryFor(id);
    calls_.push_back({method.compute, ParametersRead(id, inputs_)});
    if (method.sunshine && method.id != MethodId::PenmanMonteith &&
        inputs_.sunshine == SunshineSource::Radiation)
      sunshineFromRadiation_ = true;
  }
}

Expected<StationComputation> StationComputation::Open(const std::filesystem::path& path, const std::string& shown,
                                                      const AppFolder& app, const ReadingRules& rules,
                                                      HeatIndexSource heatIndex, ParameterSet supplied) {
  auto fields = FieldReader::Open(path);
  if (!fields) return Fail(shown + ": cannot be opened (" + fields.error().message + ")");
  WeatherFileReader reader(std::move(*fields));
  reader.SetRules(rules);
  auto header = reader.ReadHeader();
  if (!header) return Fail(Located(shown, header.error()));
  std::optional<MissingInputEstimator> estimator;
  if (rules.estimates) estimator.emplace(*rules.estimates, header->RecognisedColumns());
  const ParameterSet present = header->RecognisedColumns() | supplied | (estimator ? estimator->Added() : 0);
  std::vector<int> methods = AvailableMethods(present, header->Period);
  const auto use = HeatIndexForMethods(methods, app, header->Station, shown, {heatIndex, path, rules});
  if (!use) return Fail(use.error());
  PreparedStation station = PrepareStation(header->Station, use->value);
  return StationComputation(std::move(reader), std::move(*header), present, std::move(methods), std::move(station),
                            *use, std::move(estimator));
}

Expected<WeatherFileReader::Step> StationComputation::Next(RowTermsMaker& terms, WeatherRecord& record,
                                                           std::vector<double>& values) {
  if (auto step = reader_.NextRecord(record); step != WeatherFileReader::Step::Record) return step;
  ParameterSet missing = reader_.MissingInLastRecord();
  if (estimator_) estimated_ = estimator_->Fill(record, missing, station_.days.At(record.DayOfYear));
  terms.Fill(record, station_.days, inputs_, rowTerms_);
  const RowTerms& rowTerms = rowTerms_;
  if (sunshineFromRadiation_ && rowTerms.readings.sunshineClamped && !Holds(missing | estimated_, Parameter::RS) &&
      sunshineHeld_++ == 0)
    firstSunshineHeldLine_ = reader_.LineOfLastRecord();
  // A method whose parameter holds no reading in this row leaves its value empty, as
  // one that cannot compute it does.
  values.resize(calls_.size());
  double* value = values.data();
  for (const MethodCall& call : calls_)
    *value++ = (missing & call.reads) != 0 ? kNotComputable
                                           : call.compute(record, header_.Station, station_.constants, rowTerms);
  return WeatherFileReader::Step::Record;
}

}  // namespace sorvane
