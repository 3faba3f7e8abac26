// The header line of a weather file (line 4) laid out: where its period heads stand,
// which parameter each later column holds, in which unit, and for the wind at which
// height. The user may name columns whose heads are not ours (--column HEAD=WORD).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "methods/weather_record.h"
#include "run/head_units.h"

namespace sorvane {

// --column HEAD=WORD: the file's column HEAD is the parameter or period WORD (with an
// optional unit, "WS (m/s)"); an empty WORD leaves the column unused.
struct ColumnNaming {
  std::string head;
  std::string word;

  bool operator==(const ColumnNaming&) const = default;
};

// How a row gives its period.
enum class PeriodFields { Date, YearWeek, YearMonth, YearMonthDay };

struct HeaderLayout {
  PeriodType period = PeriodType::Date;
  PeriodFields periodFields = PeriodFields::Date;
  int leadingColumns = 0;  // other columns before the period heads ("Station,Date,...")
  int periodHeads = 1;
  std::string upperLine;  // the header line as its heads are taken, upper-cased
  // One per parameter column, after the period heads.
  std::vector<std::string> heads;  // as written (bytes that are no text escaped)
  std::vector<Parameter> codes;    // None for heads that are no parameter
  std::vector<HeadUnit> units;     // the program's unit where the head names none
  std::vector<double> windHeights;  // metres; 0 where the value is taken as at 2 m
  std::vector<bool> ignored;        // named to nothing by the user (--column "RH=")
};

// Lays out the header line `line` whose heads are `heads` (as the field reader split
// them). `windHeight` (metres) is the height of a wind column whose head says none.
// nullopt, with the reason in `problem`, when the file cannot be read by it.
std::optional<HeaderLayout> LayOutHeader(std::string_view line, const std::vector<std::string>& heads,
                                         const std::vector<ColumnNaming>& namings, std::optional<double> windHeight,
                                         std::string& problem);

// "TMAX (°F), converted (F - 32) x 5 / 9" or "WS (m/s), converted x 3.6, from 10 m to 2 m
// by FAO-56 eq. 47": what the check says of each parameter column.
std::string ColumnUnitText(const HeaderLayout& layout, std::size_t column);

}  // namespace sorvane
