#include "run/value_watch.h"

#include <algorithm>

#include "common/text.h"

namespace sorvane {

namespace {

std::string_view Head(Parameter parameter) { return kParameterHeads[static_cast<std::size_t>(parameter)]; }

bool IsTemperature(Parameter p) { return p == Parameter::TMAX || p == Parameter::TMIN; }
bool IsHumidity(Parameter p) { return p == Parameter::RH1 || p == Parameter::RH2; }

}  // namespace

static_assert(std::all_of(kMissingValueCodes.begin(), kMissingValueCodes.end(),
                          [](double code) { return code <= kHighestNegativeCode || code >= kLowestPositiveCode; }),
              "no missing-value code lies between kHighestNegativeCode and kLowestPositiveCode");
static_assert(kHighestCelsius <= kLowestPositiveCode, "a temperature below kHighestCelsius is no code");

bool IsMissingValueCode(double value) {
  return std::find(kMissingValueCodes.begin(), kMissingValueCodes.end(), value) != kMissingValueCodes.end();
}

void WatchedValues::Note(long line, Parameter parameter, double value) {
  if (count++ > 0) return;
  firstLine = line;
  firstParameter = parameter;
  firstValue = value;
}

ValueWatch::ValueWatch(WeatherFileReader& reader, const WeatherFileHeader& header, const MissingValues& missing)
    : reader_(reader), header_(header), missing_(missing) {
  for (std::size_t column = 0; column < header_.ColumnCodes.size(); ++column) {
    const Parameter code = header_.ColumnCodes[column];
    if (code == Parameter::None) continue;
    WatchedColumn watched{column, code};
    // Declared codes may be any number, and every humidity reading counts until one
    // lies beyond the fractions: those columns start with no plain range.
    reader_.SetPlainRange(column, {0, 0});
    if (missing_.codes.empty() && !IsHumidity(code)) OpenPlainRange(watched);
    watched_.push_back(watched);
  }
}

void ValueWatch::OpenPlainRange(WatchedColumn& watched) {
  watched.plainAbove = kHighestNegativeCode;
  watched.plainBelow = IsTemperature(watched.code) ? kHighestCelsius : kLowestPositiveCode;
  reader_.SetPlainRange(watched.column, {watched.plainAbove, watched.plainBelow});
}

void ValueWatch::Note(const std::vector<ParsedNumber>& values, long line) {
  // Only rows with a reading outside its plain range come here, and only such readings
  // go through NoteValue. An empty field's 0 lies in every plain range, so the status
  // need only be asked of the rest.
  for (WatchedColumn& watched : watched_) {
    const ParsedNumber& number = values[watched.column];
    if (!(number.value > watched.plainAbove && number.value < watched.plainBelow) &&
        number.status == NumberStatus::Value)
      NoteValue(watched, number.value, line);
  }
}

void ValueWatch::NoteValue(WatchedColumn& watched, double value, long line) {
  const Parameter code = watched.code;
  if (std::find(missing_.codes.begin(), missing_.codes.end(), value) != missing_.codes.end()) return;
  if (IsMissingValueCode(value)) {
    codes_.Note(line, code, value);
    return;
  }
  if (IsTemperature(code) && value > kHighestCelsius) hot_.Note(line, code, value);
  if (IsHumidity(code)) {
    NoteHumidity(code, value);
    // Once a reading lies beyond the fractions the column holds per cent, whatever
    // follows: only codes are left to watch in it.
    if (beyondFraction_[static_cast<std::size_t>(code)] && missing_.codes.empty()) OpenPlainRange(watched);
  }
}

void ValueWatch::NoteHumidity(Parameter code, double value) {
  const auto slot = static_cast<std::size_t>(code);
  ++humidityReadings_[slot];
  if (value < 0 || value > kHighestFraction) beyondFraction_[slot] = true;
  if (value > 0) aboveZero_[slot] = true;
}

std::vector<Parameter> ValueWatch::FractionHumidities() const {
  std::vector<Parameter> fractions;
  for (Parameter p : {Parameter::RH1, Parameter::RH2}) {
    const auto slot = static_cast<std::size_t>(p);
    if (humidityReadings_[slot] > 0 && !beyondFraction_[slot] && aboveZero_[slot]) fractions.push_back(p);
  }
  return fractions;
}

std::string HotTemperatureText(const WatchedValues& hot) {
  return std::string(Head(hot.firstParameter)) + " " + ShortestText(hot.firstValue) + " (line " +
         std::to_string(hot.firstLine) + ", " + std::to_string(hot.count) +
         (hot.count == 1 ? " value" : " values") +
         " above 60) is no temperature in degrees C: the column looks like degrees F read as degrees C";
}

std::string FractionHumidityText(Parameter humidity) {
  return std::string(Head(humidity)) + " holds every reading between 0 and 1.5: fractions read as per cent";
}

std::vector<std::string> ValueWatch::Warnings(bool withCodes) const {
  std::vector<std::string> warnings;
  if (withCodes && codes_.count > 0)
    warnings.push_back(std::to_string(codes_.count) +
                       (codes_.count == 1 ? " value looks like a missing-value code" : " values look like missing-value codes") +
                       " that no --missing-code declared, read as " + (codes_.count == 1 ? "a reading" : "readings") +
                       "; the first on line " +
                       std::to_string(codes_.firstLine) + " (" + std::string(Head(codes_.firstParameter)) + " " +
                       ShortestText(codes_.firstValue) + ")");
  if (hot_.count > 0) warnings.push_back(HotTemperatureText(hot_));
  for (Parameter p : FractionHumidities()) warnings.push_back(FractionHumidityText(p));
  return warnings;
}

}  // namespace sorvane
