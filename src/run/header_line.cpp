#include "run/header_line.h"

#include <algorithm>

#include "common/notices.h"
#include "common/numbers.h"
#include "common/text.h"
#include "run/period_words.h"

namespace sorvane {

namespace {

std::string PeriodHeadsOf(PeriodType period) {
  return "a " + std::string(WordsOf(period).adjective) + " file begins " + std::string(WordsOf(period).heads);
}

Parameter ParameterOfWord(std::string_view word) {
  const auto code = std::find(kParameterHeads.begin() + 1, kParameterHeads.end(), word);
  return code == kParameterHeads.end() ? Parameter::None : static_cast<Parameter>(code - kParameterHeads.begin());
}

// A first head that may name the period ("Date", "Year", "Fecha/Date", "Day of year"):
// the period heads then stand first, as the format has them.
bool MayNamePeriod(std::string_view word) {
  for (std::string_view part : {"DATE", "YEAR", "WEEK", "MONTH", "DAY", "TIME", "PERIOD"})
    if (word.find(part) != std::string_view::npos) return true;
  return false;
}

// The parenthesised part of a head with the spaces before it ("MX (°F)" -> " (°F)").
std::string_view UnitPart(std::string_view head) {
  const std::size_t open = FindEither(head, '(', '[');
  return open == std::string_view::npos ? std::string_view{} : head.substr(open);
}

std::string Listed(const std::vector<std::string>& heads) {
  std::string text;
  for (const std::string& head : heads) text += (text.empty() ? "'" : ", '") + EscapedText(TrimSpaces(head)) + "'";
  return text;
}

// The heads with the user's namings applied; `ignored` marks the columns named to
// nothing. Empty, with `problem` set, when a naming finds no head.
std::vector<std::string> NamedHeads(const std::vector<std::string>& heads, const std::vector<ColumnNaming>& namings,
                                    std::vector<bool>& ignored, std::string& problem) {
  std::vector<std::string> named = heads;
  ignored.assign(heads.size(), false);
  for (const ColumnNaming& naming : namings) {
    const std::string wanted = NormaliseHead(naming.head);
    bool found = false;
    for (std::size_t i = 0; i < heads.size(); ++i) {
      if (NormaliseHead(heads[i]) != wanted && SplitHeadText(heads[i]).word != wanted) continue;
      found = true;
      const SplitHead word = SplitHeadText(naming.word);
      if (TrimSpaces(naming.word).empty()) {
        ignored[i] = true;
      } else {
        const bool saysUnit = !word.unitText.empty() || word.windHeight || !word.problem.empty();
        named[i] = saysUnit ? naming.word : naming.word + std::string(UnitPart(heads[i]));
      }
    }
    if (!found) {
      problem = "--column " + EscapedText(naming.head) + "=" + EscapedText(naming.word) +
                ": the header line has no head " + EscapedText(naming.head) + "; its heads are " + Listed(heads);
      return {};
    }
  }
  return named;
}

struct PeriodPlace {
  PeriodType period;
  PeriodFields fields;
  int start;
};

std::optional<PeriodPlace> FindPeriod(const std::vector<std::string>& words, std::string_view upperLine) {
  for (std::size_t i = 0; i + 2 < words.size(); ++i)
    if (words[i] == "YEAR" && words[i + 1] == "MONTH" && words[i + 2] == "DAY")
      return PeriodPlace{PeriodType::Date, PeriodFields::YearMonthDay, static_cast<int>(i)};
  std::optional<PeriodType> period;  // the last matching word wins
  if (upperLine.find("DATE") != std::string_view::npos) period = PeriodType::Date;
  if (upperLine.find("WEEK") != std::string_view::npos) period = PeriodType::Week;
  if (upperLine.find("MONTH") != std::string_view::npos) period = PeriodType::Month;
  if (!period) return std::nullopt;
  const PeriodFields fields = *period == PeriodType::Date   ? PeriodFields::Date
                              : *period == PeriodType::Week ? PeriodFields::YearWeek
                                                            : PeriodFields::YearMonth;
  int start = 0;
  if (!words.empty() && !MayNamePeriod(words[0])) {
    for (std::size_t i = 1; i < words.size() && start == 0; ++i) {
      const bool periodHead = *period == PeriodType::Date ? words[i].find("DATE") != std::string::npos
                                                          : words[i] == "YEAR";
      if (periodHead) start = static_cast<int>(i);
    }
  }
  return PeriodPlace{*period, fields, start};
}

int PeriodHeadCount(PeriodFields fields) {
  switch (fields) {
    case PeriodFields::Date: return 1;
    case PeriodFields::YearWeek:
    case PeriodFields::YearMonth: return 2;
    case PeriodFields::YearMonthDay: return 3;
  }
  return 1;
}

std::string HeadAt(std::size_t index, const std::string& head) {
  return "head " + std::to_string(index + 1) + " " + QuotedField(TrimSpaces(head));
}

// The unit and wind height of parameter column `i`; false with `problem` set when the
// head names a unit or height that cannot be read.
bool ReadUnit(std::size_t i, const std::string& head, const SplitHead& split, Parameter code,
              std::optional<double> windHeight, HeaderLayout& layout, std::string& problem) {
  const auto unit = UnitFor(code, split.unitText);
  if (!unit) {
    problem = HeadAt(i, head) + ": '" + EscapedText(split.unitText) + "' is no unit known for " +
              std::string(kParameterHeads[static_cast<std::size_t>(code)]) + " (" + KnownUnitsText(code) + ")";
    return false;
  }
  if (!split.problem.empty()) {
    problem = HeadAt(i, head) + ": " + split.problem;
    return false;
  }
  if (split.windHeight && code != Parameter::WS) {
    problem = HeadAt(i, head) + ": only the wind (WS) takes the height it was measured at";
    return false;
  }
  double height = 0;  // metres; 0: taken as measured at 2 m
  if (split.windHeight) {
    height = *split.windHeight;
  } else if (code == Parameter::WS && windHeight) {
    height = *windHeight;
  }
  const bool given = split.windHeight || (code == Parameter::WS && windHeight);
  if (given && !(height >= kLowestWindHeight && height <= kHighestWindHeight)) {
    problem = HeadAt(i, head) + ": the wind height " + ShortestText(height) + " m is not from " +
              ShortestText(kLowestWindHeight) + " to " + ShortestText(kHighestWindHeight) + " m";
    return false;
  }
  layout.units.push_back(*unit);
  layout.windHeights.push_back(height == 2 ? 0 : height);  // at 2 m already
  return true;
}

}  // namespace

std::optional<HeaderLayout> LayOutHeader(std::string_view line, const std::vector<std::string>& heads,
                                         const std::vector<ColumnNaming>& namings, std::optional<double> windHeight,
                                         std::string& problem) {
  std::vector<bool> ignored;
  const std::vector<std::string> named = NamedHeads(heads, namings, ignored, problem);
  if (!problem.empty()) return std::nullopt;
  std::vector<SplitHead> split;
  std::vector<std::string> words;
  split.reserve(named.size());
  words.reserve(named.size());
  for (std::size_t i = 0; i < named.size(); ++i) {
    split.push_back(SplitHeadText(named[i]));
    words.push_back(ignored[i] ? std::string() : split.back().word);
  }
  HeaderLayout layout;
  if (namings.empty()) {
    layout.upperLine = ToUpperAscii(line);
  } else {
    for (std::size_t i = 0; i < named.size(); ++i)
      layout.upperLine += (i == 0 ? "" : ",") + (ignored[i] ? std::string() : ToUpperAscii(named[i]));
  }
  const auto place = FindPeriod(words, layout.upperLine);
  if (!place) {
    problem = "the header line names no period (a head with Date, Week or Month)";
    return std::nullopt;
  }
  layout.period = place->period;
  layout.periodFields = place->fields;
  layout.leadingColumns = place->start;
  layout.periodHeads = PeriodHeadCount(place->fields);
  if (static_cast<int>(heads.size()) < layout.leadingColumns + layout.periodHeads) {
    problem = "the header line has no head for the period number (Year,Week or Year,Month)";
    return std::nullopt;
  }
  const std::size_t firstParameter = static_cast<std::size_t>(layout.leadingColumns + layout.periodHeads);
  const std::size_t parameterColumns = heads.size() - firstParameter;
  layout.heads.reserve(parameterColumns);
  layout.codes.reserve(parameterColumns);
  layout.units.reserve(parameterColumns);
  layout.windHeights.reserve(parameterColumns);
  layout.ignored.reserve(parameterColumns);
  for (std::size_t i = 0; i < heads.size(); ++i) {
    const std::string normalised = NormaliseHead(named[i]);
    const Parameter code = ignored[i] ? Parameter::None : ParameterOfWord(words[i]);
    if (i < static_cast<std::size_t>(layout.leadingColumns)) {
      if (code == Parameter::None) continue;
      problem = HeadAt(i, heads[i]) + " stands before the period heads; " + PeriodHeadsOf(layout.period);
      return std::nullopt;
    }
    if (i < firstParameter) {
      // A parameter word where a period head belongs (Week,TMAX,TMIN: a weekly file
      // without its year) would make the first parameter the period number of every row.
      if (ParameterOfWord(normalised) == Parameter::None) continue;
      problem = "head " + std::to_string(i + 1) + " '" + normalised + "' stands where the period heads belong; " +
                PeriodHeadsOf(layout.period);
      return std::nullopt;
    }
    layout.heads.push_back(EscapedText(TrimSpaces(heads[i])));
    layout.codes.push_back(code);
    layout.ignored.push_back(ignored[i]);
    if (code == Parameter::None) {
      layout.units.push_back({});
      layout.windHeights.push_back(0);
    } else if (!ReadUnit(i, heads[i], split[i], code, windHeight, layout, problem)) {
      return std::nullopt;
    }
  }
  return layout;
}

std::string ColumnUnitText(const HeaderLayout& layout, std::size_t column) {
  const Parameter code = layout.codes[column];
  std::string text = layout.heads[column] + ": ";
  if (code == Parameter::None) return text + "not used";
  const HeadUnit& unit = layout.units[column];
  text += std::string(kParameterHeads[static_cast<std::size_t>(code)]) + " in " + std::string(unit.name);
  text += unit.convert ? ", converted to " + std::string(ProgramUnit(code)) + " " + std::string(unit.conversion)
                       : std::string(" (the program's unit)");
  if (layout.windHeights[column] > 0)
    text += ", measured at " + ShortestText(layout.windHeights[column]) + " m and brought to 2 m (FAO-56 eq. 47)";
  return text;
}

}  // namespace sorvane
