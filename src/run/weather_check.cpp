#include "run/weather_check.h"

#include <algorithm>
#include <cmath>

#include "common/calendar.h"
#include "common/field_reader.h"
#include "common/numbers.h"
#include "common/text.h"
#include "run/column_use.h"
#include "run/date_forms.h"
#include "run/heat_index_table.h"
#include "run/method_table.h"
#include "run/period_words.h"
#include "run/station_computation.h"
#include "run/row_terms_maker.h"
#include "run/station_setup.h"
#include "run/value_watch.h"

namespace sorvane {

namespace fs = std::filesystem;

long WeatherCheckReport::FindingCount() const {
  long total = 0;
  for (long count : counts) total += count;
  return total;
}

namespace {

bool IsDeclaredCode(double value, const MissingValues& missing) {
  return std::find(missing.codes.begin(), missing.codes.end(), value) != missing.codes.end();
}

// A day length to two decimals, as people read it (11.171529 h -> "11.17").
std::string HoursText(double hours) { return ShortestText(std::round(hours * 100) / 100); }

std::string HundredthsText(double value) { return ShortestText(std::round(value * 100) / 100); }

// The most PET of one day any climate gives, mm: Penman Montieth's reference grass
// stays below 20 mm a day in the hottest, driest, windiest places; the other methods,
// some of which run higher, below 25.
double HighestDailyPet(MethodId id) { return id == MethodId::PenmanMonteith ? 20 : 25; }

// "TMAX 95, TMIN 70, RH1 80" for the parameters a method reads.
std::string InputsText(const WeatherRecord& record, ParameterSet parameters) {
  static constexpr std::array<double WeatherRecord::*, kParameterHeads.size()> kFields{
      nullptr,           &WeatherRecord::TMAX, &WeatherRecord::TMIN, &WeatherRecord::RH1,
      &WeatherRecord::RH2, &WeatherRecord::WS, &WeatherRecord::SS,   &WeatherRecord::EVP,
      &WeatherRecord::RS,  &WeatherRecord::TDEW, &WeatherRecord::RH};
  std::string text;
  for (std::size_t code = 1; code < kFields.size(); ++code)
    if (Holds(parameters, static_cast<Parameter>(code)))
      text += (text.empty() ? "" : ", ") + std::string(kParameterHeads[code]) + " " +
              ShortestText(record.*kFields[code]);
  return text;
}

std::string PeriodText(const WeatherRecord& record) {
  switch (record.Period) {
    case PeriodType::Week:
    case PeriodType::Month:
      return std::string(record.PeriodKey) + " " + std::string(WordsOf(record.Period).span) + " " +
             ShortestText(record.PeriodNumber);
    case PeriodType::Date: break;
  }
  return std::string(record.PeriodKey);
}

// The checks of one file's rows, in file order.
class RowChecker {
 public:
  RowChecker(WeatherFileReader& reader, const WeatherFileHeader& header, const std::vector<int>& methods,
             const PreparedStation& station, const MissingValues& missing, FindingSink& sink,
             WeatherCheckReport& report, ParameterSet added)
      : header_(header), methods_(methods), station_(station), inputs_(InputsOf(header.RecognisedColumns() | added)),
        missing_(missing), sink_(sink), report_(report), watch_(reader, header, missing) {}

  // What the header lines leave unsaid: a station beyond the heat index table, heads not
  // used, parameters taken as 0, no method at all.
  void CheckHeader(const std::vector<int>& runMethods, ParameterSet added) {
    line_ = 3;
    if (report_.heatIndex.outsideGrid)
      Emit(FindingKind::OutsideHeatIndexGrid, "Latitude", ShortestText(header_.Station.Latitude),
           "latitude " + ShortestText(header_.Station.Latitude) + ", longitude " +
               ShortestText(header_.Station.Longitude) + ": " + OutsideGridNotice());
    line_ = 4;
    if (runMethods.empty())
      Emit(FindingKind::NoMethod, "", "", NoMethodText(header_.RecognisedColumns(), header_.Period));
    for (const std::string& head : UnusedParameterHeads(header_))
      Emit(FindingKind::IgnoredHead, head, head,
           "'" + head + "' is not used: " + std::string(kUsedHeads));
    if (const std::string unused = UnusedAlternativesText(header_.RecognisedColumns()); !unused.empty())
      Emit(FindingKind::IgnoredHead, "", "", unused);
    for (const AbsentParameter& absent : AbsentParameters(header_.RecognisedColumns() | added, runMethods))
      Emit(FindingKind::AbsentParameter, kParameterHeads[static_cast<std::size_t>(absent.parameter)], "",
           AbsentParameterText(absent));
  }

  void Check(const WeatherRecord& record, const std::vector<ParsedNumber>& values, ParameterSet noReading,
             long line) {
    line_ = line;
    watch_.NoteLastRecord();
    const RowTerms terms = terms_.For(record, station_.days, inputs_);
    const auto plain = CheckFields(values);
    CheckPairs(plain);
    CheckSunshine(terms.day, plain);
    if (record.Period == PeriodType::Date) CheckDateOrder(record);
    if (slashedUndecided_) reversedOrder_.Note(record.PeriodKey, line);
    CheckPetValues(record, terms, noReading, PlainParameters(plain));
  }

  void WatchDateOrder(bool slashedUndecided) { slashedUndecided_ = slashedUndecided; }

  // What only the whole file shows: columns whose values betray another unit, dates
  // that betray the other order.
  void CheckWholeFile() {
    if (const std::string reversed = reversedOrder_.Finding(); !reversed.empty()) {
      line_ = reversedOrder_.FirstLine();
      Emit(FindingKind::DateOrderReversed, "Date", "", reversed);
    }
    if (watch_.HotTemperatures().count > 0) {
      const WatchedValues& hot = watch_.HotTemperatures();
      line_ = hot.firstLine;
      Emit(FindingKind::OtherUnit, kParameterHeads[static_cast<std::size_t>(hot.firstParameter)],
           ShortestText(hot.firstValue), HotTemperatureText(hot));
    }
    line_ = 4;
    for (Parameter humidity : watch_.FractionHumidities())
      Emit(FindingKind::OtherUnit, kParameterHeads[static_cast<std::size_t>(humidity)], "",
           FractionHumidityText(humidity));
  }

  void CheckRepeat(const WeatherRecord& record, long earlierLine) {
    const std::string text = PeriodText(record);
    Emit(FindingKind::PeriodRepeated, record.Period == PeriodType::Week ? "Week" : "Month", text,
         text + " repeats line " + std::to_string(earlierLine));
  }

 private:
  // Per parameter, the value the record holds when it is a plain reading: not empty and
  // not already reported, so that a -99 is not reported a second time as TMAX below TMIN.
  using PlainValues = std::array<std::optional<double>, kParameterHeads.size()>;

  void Emit(FindingKind kind, std::string_view field, std::string value, std::string detail) {
    ++report_.counts[static_cast<std::size_t>(kind)];
    sink_.Add(Finding{line_, kind, std::string(field), std::move(value), std::move(detail)});
  }

  // Codes and ranges of single fields. A later column with the same head replaces an
  // earlier one, as it does in the record.
  PlainValues CheckFields(const std::vector<ParsedNumber>& values) {
    PlainValues plain;
    for (std::size_t column = 0; column < header_.ColumnCodes.size(); ++column) {
      const Parameter code = header_.ColumnCodes[column];
      if (code == Parameter::None) continue;
      auto& slot = plain[static_cast<std::size_t>(code)];
      slot.reset();
      const ParsedNumber& number = values[column];
      if (number.status == NumberStatus::Empty) {
        const std::string_view word = kParameterHeads[static_cast<std::size_t>(code)];
        Emit(FindingKind::EmptyField, word, "",
             std::string(word) + (missing_.emptyIsMissing ? " is empty: no reading" : " is empty and read as 0"));
      }
      if (number.status != NumberStatus::Value) continue;
      if (ReportedAsOddReading(code, number.value)) continue;
      slot = number.value;
    }
    return plain;
  }

  // A missing-value code, a humidity outside 0..100 % or a negative WS, SS or EVP: reported
  // here, and true so that it is not compared again.
  bool ReportedAsOddReading(Parameter code, double value) {
    auto report = [&](FindingKind kind, std::string_view what) {
      const std::string_view word = kParameterHeads[static_cast<std::size_t>(code)];
      const std::string text = ShortestText(value);
      Emit(kind, word, text, std::string(word) + " " + text + std::string(what));
      return true;
    };
    if (IsDeclaredCode(value, missing_))
      return report(FindingKind::MissingValueCode, " is a declared missing-value code");
    if (IsMissingValueCode(value)) return report(FindingKind::MissingValueCode, " looks like a missing-value code");
    const bool humidity = code == Parameter::RH1 || code == Parameter::RH2 || code == Parameter::RH;
    if (humidity && !(value >= 0 && value <= 100))  // %
      return report(FindingKind::HumidityOutOfRange, value < 0 ? " is below 0" : " is above 100");
    const bool neverNegative =
        code == Parameter::WS || code == Parameter::SS || code == Parameter::EVP || code == Parameter::RS;
    if (neverNegative && value < 0) return report(FindingKind::BelowZero, " is below 0");
    return false;
  }

  static const std::optional<double>& Of(const PlainValues& plain, Parameter code) {
    return plain[static_cast<std::size_t>(code)];
  }

  void CheckPairs(const PlainValues& plain) {
    const auto& tmax = Of(plain, Parameter::TMAX);
    const auto& tmin = Of(plain, Parameter::TMIN);
    if (tmax && tmin && *tmax < *tmin)
      Emit(FindingKind::TmaxBelowTmin, "TMAX", ShortestText(*tmax),
           "TMAX " + ShortestText(*tmax) + " is below TMIN " + ShortestText(*tmin));
    const auto& rh1 = Of(plain, Parameter::RH1);
    const auto& rh2 = Of(plain, Parameter::RH2);
    if (rh1 && rh2 && *rh2 > *rh1)
      Emit(FindingKind::Rh2AboveRh1, "RH2", ShortestText(*rh2),
           "RH2 " + ShortestText(*rh2) + " is above RH1 " + ShortestText(*rh1));
  }

  // Sunshine hours against the day length N of the record's day at the station (the
  // same day the methods take: the date, the week's fourth day, the month's sixteenth).
  void CheckSunshine(const SolarGeometry& day, const PlainValues& plain) {
    const auto& sunshine = Of(plain, Parameter::SS);  // hours
    if (!sunshine) return;
    const double dayLength = day.DayLength;  // hours
    if (*sunshine > dayLength)
      Emit(FindingKind::SunshineLongerThanDay, "SS", ShortestText(*sunshine),
           "SS " + ShortestText(*sunshine) + " h is longer than the day (N = " + HoursText(dayLength) + " h)");
  }

  // Each date against the latest one above it: a date after a later one is out of order
  // (and does not move the latest), so one mistyped year is reported once, not twice.
  void CheckDateOrder(const WeatherRecord& record) {
    const auto date = ParseDate(record.PeriodKey);  // the reader let only real dates through
    if (!date) return;
    const long day = DayNumber(*date);
    const std::string text(record.PeriodKey);
    if (latestLine_ > 0) {
      const std::string latest = latestDate_ + " (line " + std::to_string(latestLine_) + ")";
      if (day < latestDay_) {
        Emit(FindingKind::DateOutOfOrder, "Date", text, text + " comes after " + latest);
      } else if (day == latestDay_) {
        Emit(FindingKind::DateRepeated, "Date", text, text + " repeats line " + std::to_string(latestLine_));
      } else if (day > latestDay_ + 1) {
        const long missing = day - latestDay_ - 1;
        Emit(FindingKind::DaysMissing, "Date", text,
             std::to_string(missing) + (missing == 1 ? " day" : " days") + " missing between " + latest + " and " +
                 text);
      }
      if (day <= latestDay_) return;
    }
    latestDay_ = day;
    latestDate_ = text;
    latestLine_ = line_;
  }

  // The parameters with a column whose reading is plain (not reported already).
  ParameterSet PlainParameters(const PlainValues& plain) const {
    ParameterSet set = 0;
    for (std::size_t code = 1; code < plain.size(); ++code)
      if (plain[code]) set |= Bit(static_cast<Parameter>(code));
    return set | ~header_.RecognisedColumns();
  }

  // A value from readings already reported (a -99, a negative wind) is not implausible
  // a second time.
  void CheckPetValues(const WeatherRecord& record, const RowTerms& terms, ParameterSet noReading,
                      ParameterSet plainReadings) {
    for (int id : methods_) {
      const MethodEntry& method = MethodEntryFor(id);
      const ParameterSet read = ParametersRead(id, inputs_);
      const double value = (noReading & read) == 0
                               ? method.compute(record, header_.Station, station_.constants, terms)
                               : kNotComputable;
      const std::string_view name = method.name;
      if (!std::isfinite(value)) {
        Emit(FindingKind::EmptyPetValue, name, "", std::string(name) + " would be empty");
      } else if (const double limit = ScaleToPeriod(HighestDailyPet(method.id), record);
                 value > limit && (read & ~plainReadings) == 0) {
        Emit(FindingKind::ImplausiblePet, name, HundredthsText(value),
             std::string(name) + " " + HundredthsText(value) + " mm is above " + ShortestText(limit) +
                 " mm, more than any climate gives, from " + InputsText(record, read));
      }
    }
  }

  const WeatherFileHeader& header_;
  const std::vector<int>& methods_;
  const PreparedStation& station_;
  MethodInputs inputs_;
  RowTermsMaker terms_;
  const MissingValues& missing_;
  FindingSink& sink_;
  WeatherCheckReport& report_;
  ValueWatch watch_;
  long line_ = 0;
  long latestDay_ = 0;
  std::string latestDate_;
  long latestLine_ = 0;  // 0 before the first date
  bool slashedUndecided_ = false;
  ReversedOrderWatch reversedOrder_;
};

Notice NotProcessed(const std::string& shown, const Problem& problem) {
  return Refusal(Located(shown, problem.line, problem.message) + std::string(kFileNotProcessed));
}

}  // namespace

WeatherCheckReport CheckWeatherFile(const ListedName& entry, const AppFolder& folder, FindingSink& sink,
                                    const ReadingRules& rules, HeatIndexSource heatIndex) {
  const MissingValues& missing = rules.missing;
  WeatherCheckReport report;
  report.file = entry.name;
  if (!entry.problem.empty()) {
    report.refusal = Refusal(ListedNameRefusal(entry));
    return report;
  }
  const fs::path path = FileOf(entry, folder.PetData());
  const std::string shown = EscapedText(folder.Display(path));  // a file name may hold any byte
  report.file = shown;
  auto fields = FieldReader::Open(path);
  if (!fields) {
    report.refusal =
        Refusal(shown + ": cannot be opened (" + fields.error().message + ")" + std::string(kFileNotProcessed));
    return report;
  }
  WeatherFileReader reader(std::move(*fields));
  reader.SetRules(rules);
  auto read = reader.ReadHeader();
  if (!read) {
    report.refusal = NotProcessed(shown, read.error());
    return report;
  }
  report.header = std::move(*read);
  const WeatherFileHeader& header = *report.header;
  std::optional<MissingInputEstimator> estimator;
  if (rules.estimates) {
    estimator.emplace(*rules.estimates, header.RecognisedColumns());
    report.estimates.emplace();
  }
  const ParameterSet added = estimator ? estimator->Added() : 0;
  report.methods = AvailableMethods(header.RecognisedColumns() | added, header.Period);

  // The methods computed here: all the run computes, less Thornthwaite when the run
  // would refuse the file for want of a heat index (its rows are still worth checking).
  std::vector<int> computed = report.methods;
  if (auto use = HeatIndexForMethods(computed, folder, header.Station, shown, {heatIndex, path, rules})) {
    report.heatIndex = *use;
  } else {
    report.heatIndex = HeatIndexUse{{}, heatIndex};  // none found
    report.refusal = Refusal(use.error().message + std::string(kFileNotProcessed));
    std::erase(computed, kThornthwaiteId);
  }
  const PreparedStation station = PrepareStation(header.Station, report.heatIndex.value);

  RowChecker checker(reader, header, computed, station, missing, sink, report, added);
  checker.CheckHeader(report.methods, added);
  checker.WatchDateOrder(reader.SlashedOrderUndecided());
  WeatherRecord record;
  Expected<WeatherFileReader::Step> step = WeatherFileReader::Step::End;
  while ((step = reader.NextRecord(record)) && *step == WeatherFileReader::Step::Record) {
    if (report.rows++ == 0) report.firstPeriod = PeriodText(record);
    report.lastPeriod = PeriodText(record);
    ParameterSet noReading = reader.MissingInLastRecord();
    if (estimator)
      report.estimates->Note(estimator->Fill(record, noReading, station.days.At(record.DayOfYear)));
    checker.Check(record, reader.LastRowValues(), noReading, reader.LineOfLastRecord());
    if (reader.RepeatOfLastRecord() > 0) checker.CheckRepeat(record, reader.RepeatOfLastRecord());
  }
  if (step) checker.CheckWholeFile();
  if (!step && !report.refusal) report.refusal = NotProcessed(shown, step.error());
  return report;
}

}  // namespace sorvane
