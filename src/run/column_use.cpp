#include "run/column_use.h"

#include <algorithm>

#include "common/text.h"
#include "run/method_table.h"

namespace sorvane {

namespace {

constexpr std::array<std::string_view, 6> kHeadWords{"TMAX", "TMIN", "RH", "WS", "SS", "EVP"};

// "A", "A and B", "A, B and C"; "A, B or C, and D" when an item holds alternatives.
std::string Listed(const std::vector<std::string>& items) {
  const bool alternatives = items.size() > 2 && std::any_of(items.begin(), items.end(), [](const std::string& item) {
                              return item.find(" or ") != item.npos;
                            });
  std::string text;
  for (std::size_t i = 0; i < items.size(); ++i)
    text += (i == 0 ? "" : i + 1 < items.size() ? ", " : alternatives ? ", and " : " and ") + items[i];
  return text;
}

}  // namespace

std::vector<std::string> UnusedParameterHeads(const WeatherFileHeader& header) {
  std::vector<std::string> heads;
  for (std::size_t column = 0; column < header.ColumnCodes.size(); ++column) {
    // Columns that no method reads yet are warned about as unknown heads are.
    const Parameter code = header.ColumnCodes[column];
    if ((code != Parameter::None && Holds(kParametersOfMethods, code)) ||
        (column < header.ColumnIgnored.size() && header.ColumnIgnored[column]))
      continue;
    const std::string normalised = NormaliseHead(header.ColumnHeads[column]);
    for (std::string_view word : kHeadWords)
      if (normalised.find(word) != std::string::npos) {
        heads.push_back(header.ColumnHeads[column]);
        break;
      }
  }
  return heads;
}

std::string UnusedHeadsNotice(const std::vector<std::string>& heads) {
  std::string text = "heads not used: ";
  for (std::size_t i = 0; i < heads.size(); ++i) text += (i == 0 ? "'" : ", '") + heads[i] + "'";
  return text + "; " + std::string(kUsedHeads);
}

std::string UnusedAlternativesText(ParameterSet columns) {
  const MethodInputs inputs = InputsOf(columns);
  std::vector<std::string> notes;
  if (inputs.humidity == HumiditySource::Readings || inputs.humidity == HumiditySource::DewPoint) {
    std::vector<std::string> unused;
    if (inputs.humidity == HumiditySource::Readings && Holds(columns, Parameter::TDEW)) unused.emplace_back("TDEW");
    if (Holds(columns, Parameter::RH)) unused.emplace_back("RH");
    if (!unused.empty())
      notes.push_back(Listed(unused) + (unused.size() == 1 ? " is" : " are") + " not used: the humidity is taken from " +
                      (inputs.humidity == HumiditySource::Readings ? "RH1/RH2" : "TDEW"));
  }
  if (inputs.sunshine == SunshineSource::Sunshine && Holds(columns, Parameter::RS))
    notes.emplace_back("RS is not used: the sunshine is taken from SS");
  std::string text;
  for (const std::string& note : notes) text += (text.empty() ? "" : "; ") + note;
  return text;
}

std::vector<AbsentParameter> AbsentParameters(ParameterSet columns, const std::vector<int>& methods) {
  const MethodInputs inputs = InputsOf(columns);
  std::vector<AbsentParameter> absent;
  for (std::size_t code = 1; code < kParameterHeads.size(); ++code) {
    const Parameter parameter = static_cast<Parameter>(code);
    if (Holds(columns, parameter)) continue;
    AbsentParameter entry{parameter, {}, false};
    if (parameter == Parameter::RH1 || parameter == Parameter::RH2)
      entry.otherReadingRecorded = Holds(columns, parameter == Parameter::RH1 ? Parameter::RH2 : Parameter::RH1);
    for (int id : methods)
      if (Holds(ParametersRead(id, inputs), parameter)) entry.methods.push_back(id);
    if (!entry.methods.empty()) absent.push_back(std::move(entry));
  }
  return absent;
}

std::string AbsentParameterText(const AbsentParameter& absent) {
  const std::string word(kParameterHeads[static_cast<std::size_t>(absent.parameter)]);
  std::vector<std::string> names;
  for (int id : absent.methods) names.emplace_back(MethodEntryFor(id).name);
  return "no " + word + " column: " + Listed(names) + (names.size() == 1 ? " runs" : " run") + " with " + word +
         " = 0" + (absent.otherReadingRecorded ? " (--estimate-missing estimates it from TMIN and TMAX instead)" : "");
}

std::string RepeatedPeriodNotice(PeriodType period, const WeatherFileReader& reader) {
  const std::string unit = period == PeriodType::Week ? "week" : "month";
  return "line " + std::to_string(reader.FirstRepeatLine()) + " repeats the year and " + unit + " of line " +
         std::to_string(reader.FirstRepeatedLine()) + "; a " + (unit == "week" ? "weekly" : "monthly") +
         " file holds one row per " + unit + " (a daily file heads its period Date, or Year,Month,Day)";
}

std::string NoMethodText(ParameterSet columns, PeriodType period) {
  std::string text = "no method can run";
  char separator = ':';
  for (const MethodEntry& method : kMethodTable) {
    const std::vector<std::string> lacking = LackedBy(static_cast<int>(method.id), columns, period);
    text += std::string(1, separator) + " " + std::string(method.name) + " needs " + Listed(lacking);
    separator = ';';
  }
  return text;
}

std::string HeldSunshineNotice(long rows, long firstLine) {
  return "RS lies beyond what 0 to N hours of sunshine give (0.25 to 0.75 of the radiation above the atmosphere) "
         "on " + std::to_string(rows) + (rows == 1 ? " row" : " rows") + ", the first on line " +
         std::to_string(firstLine) + ": the methods that take sunshine take n/N as 0 or 1 there; Penman Montieth "
         "takes RS as it is";
}

std::string EmptyFieldsNotice(const EmptyFieldTally& empty) {
  return std::to_string(empty.count) + (empty.count == 1 ? " empty field was" : " empty fields were") +
         " read as 0; the first on line " + std::to_string(empty.firstLine) + " (" +
         std::string(kParameterHeads[static_cast<std::size_t>(empty.firstParameter)]) + ")";
}

}  // namespace sorvane
