#include "coefficients/calibration.h"

#include <algorithm>
#include <cmath>

#include "common/text.h"
#include "run/method_table.h"
#include "run/period_words.h"
#include "run/station_computation.h"

namespace sorvane {

namespace fs = std::filesystem;

void PairMoments::Add(double x, double y) {
  ++pairs;
  const double n = static_cast<double>(pairs);
  const double dx = x - meanX;
  const double dy = y - meanY;
  meanX += dx / n;
  meanY += dy / n;
  sxx += dx * (x - meanX);
  syy += dy * (y - meanY);
  sxy += dx * (y - meanY);
}

LineFit FitLine(const PairMoments& moments) {
  const double slope = moments.sxy / moments.sxx;
  return {moments.meanY - slope * moments.meanX, slope};
}

double RSquared(const PairMoments& moments) {
  if (!(moments.syy > 0) || !(moments.sxx > 0)) return std::nan("");
  return moments.sxy * moments.sxy / (moments.sxx * moments.syy);
}

Residuals ResidualsOf(const PairMoments& moments, const LineFit& line) {
  const double n = static_cast<double>(moments.pairs);
  const double bias = line.intercept + line.slope * moments.meanX - moments.meanY;
  const double squares = n * bias * bias + line.slope * line.slope * moments.sxx -
                         2 * line.slope * moments.sxy + moments.syy;
  return {std::sqrt(std::max(0.0, squares) / n), bias};
}

std::string WhyNotFitted(const MethodCalibration& calibration) {
  const PairMoments& m = calibration.moments;
  if (m.pairs < kFewestPairs)
    return std::to_string(m.pairs) + (m.pairs == 1 ? " pair" : " pairs") + " with the reference, fewer than " +
           std::to_string(kFewestPairs);
  if (!(m.sxx > 0)) return "its value never varies";
  return {};
}

const MethodCalibration* FindMethod(const StationCalibration& station, int method) {
  for (const MethodCalibration& calibration : station.methods)
    if (calibration.method == method) return &calibration;
  return nullptr;
}

namespace {

// Where the reference of each row comes from in a file: the position of its method among
// the file's methods, or its column.
struct ReferenceSource {
  int methodIndex = -1;
  int column = -1;
};

std::optional<ReferenceSource> FindReference(const StationComputation& computation,
                                             const CalibrationReference& reference, std::string& why) {
  ReferenceSource source;
  if (reference.method != 0) {
    const auto& methods = computation.Methods();
    const auto at = std::find(methods.begin(), methods.end(), reference.method);
    if (at == methods.end()) {
      why = "the reference method '" + std::string(MethodEntryFor(reference.method).name) +
            "' cannot be computed from its columns";
      return std::nullopt;
    }
    source.methodIndex = static_cast<int>(at - methods.begin());
    return source;
  }
  const auto& heads = computation.Header().ColumnHeads;
  for (std::size_t column = 0; column < heads.size(); ++column)
    if (NormaliseHead(heads[column]) == reference.observedHead) source.column = static_cast<int>(column);
  if (source.column < 0) {
    why = "it has no column '" + reference.observedHead + "' of observed ET";
    return std::nullopt;
  }
  return source;
}

std::string_view PeriodAdjective(PeriodType period) { return WordsOf(period).adjective; }

// The pairs of one file, or the problem whose message is the refusal that leaves it
// out. A table holds coefficients of one period: `period` is that of the files before it.
Expected<StationCalibration> CalibrateFile(const ListedName& entry, const AppFolder& folder,
                                           const CalibrationReference& reference, const ReadingRules& rules,
                                           const CalibrationRules& calibrationRules, std::optional<PeriodType> period,
                                           RowTermsMaker& terms) {
  if (!entry.problem.empty()) return Fail(ListedNameRefusal(entry));
  const fs::path path = FileOf(entry, folder.PetData());
  const std::string shown = EscapedText(folder.Display(path));
  auto computation = StationComputation::Open(path, shown, folder, rules, calibrationRules.heatIndex);
  const MissingValues& missing = rules.missing;
  if (!computation) return Fail(computation.error().message + std::string(kFileNotProcessed));
  std::string why;
  const auto source = FindReference(*computation, reference, why);
  StationCalibration station{ResultFileName(entry.name, ""), computation->Header().Station.Latitude,
                             computation->Header().Station.Longitude, computation->Header().Period, {}};
  if (station.name.find(',') != std::string::npos) why = "its station name holds a comma, which a table cannot hold";
  if (period && station.period != *period)
    why = "a " + std::string(PeriodAdjective(station.period)) + " file among " +
          std::string(PeriodAdjective(*period)) + " ones (the coefficients of a table hold for one period)";
  if (!why.empty()) return Fail(shown + ": " + why + std::string(kFileNotProcessed));
  const std::vector<int>& methods = computation->Methods();
  for (int id : methods)
    if (id != reference.method) station.methods.push_back({id, {}});

  WeatherRecord record;
  std::vector<double> values;
  Expected<WeatherFileReader::Step> step = WeatherFileReader::Step::End;
  while ((step = computation->Next(terms, record, values)) && *step == WeatherFileReader::Step::Record) {
    if (calibrationRules.leaveOutEstimated && computation->EstimatedInLastRecord() != 0) continue;
    double y = kNotComputable;
    if (source->methodIndex >= 0) {
      y = values[static_cast<std::size_t>(source->methodIndex)];
    } else {
      const ParsedNumber& observed = computation->Reader().LastRowValues()[static_cast<std::size_t>(source->column)];
      // The observed column keeps the run's rule of which numbers hold no reading.
      const bool noReading =
          std::find(missing.codes.begin(), missing.codes.end(), observed.value) != missing.codes.end();
      if (observed.status == NumberStatus::Value && !noReading) y = observed.value;
    }
    if (!std::isfinite(y)) continue;
    std::size_t k = 0;
    for (std::size_t m = 0; m < methods.size(); ++m) {
      if (methods[m] == reference.method) continue;
      if (std::isfinite(values[m])) station.methods[k].moments.Add(values[m], y);
      ++k;
    }
  }
  if (!step) {
    const Problem& problem = step.error();
    return Fail(Located(shown, problem.line, problem.message) + std::string(kFileNotProcessed));
  }
  return station;
}

// The methods every station can be fitted by; a notice for each station that cannot fit
// a method another station computes. A method no file computes is no news.
std::vector<int> TableMethods(const std::vector<StationCalibration>& stations, int referenceMethod,
                              Notices& notices) {
  std::vector<int> fitted;
  for (const MethodEntry& entry : kMethodTable) {
    const int id = static_cast<int>(entry.id);
    if (id == referenceMethod) continue;
    std::vector<std::string> why;  // per station
    bool computed = false;
    for (const StationCalibration& station : stations) {
      const MethodCalibration* calibration = FindMethod(station, id);
      computed = computed || calibration != nullptr;
      why.push_back(calibration ? WhyNotFitted(*calibration) : "not computed from its columns");
    }
    if (!computed) continue;
    bool everywhere = true;
    for (std::size_t s = 0; s < stations.size(); ++s) {
      if (why[s].empty()) continue;
      everywhere = false;
      notices.Show(Information(stations[s].name + ": " + std::string(entry.name) + " is left out of the table (" +
                               why[s] + ")"));
    }
    if (everywhere) fitted.push_back(id);
  }
  return fitted;
}

}  // namespace

Calibration Calibrate(const std::vector<ListedName>& names, const AppFolder& folder,
                      const CalibrationReference& reference, const ReadingRules& rules, Notices& notices,
                      const CalibrationRules& calibrationRules) {
  Calibration calibration;
  RowTermsMaker terms;
  for (std::size_t index = 0; index < names.size(); ++index) {
    notices.Progress(index, names.size(), names[index].name);
    std::optional<PeriodType> period;
    if (!calibration.stations.empty()) period = calibration.stations.front().period;
    auto station = CalibrateFile(names[index], folder, reference, rules, calibrationRules, period, terms);
    if (station) {
      calibration.stations.push_back(std::move(*station));
    } else {
      notices.Show(Refusal(station.error().message));
      ++calibration.refused;
    }
  }
  calibration.tableMethods = TableMethods(calibration.stations, reference.method, notices);
  return calibration;
}

}  // namespace sorvane
