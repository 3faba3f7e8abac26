// How each period of a file is written, wherever a file, a message or a chart names it.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "methods/weather_record.h"

namespace sorvane {

struct PeriodWords {
  std::string_view headerWord;  // "DATE", "WEEK", "MONTH": the word that names it in a weather file's header
  std::string_view heads;       // "Date", "Year,Week", "Year,Month": the heads of a row's period fields
  std::string_view numberHead;  // "Week", "Month": the head of the period's number; "" for dates
  std::string_view span;        // "day", "week", "month": what one row covers
  std::string_view adjective;   // "daily", "weekly", "monthly"
};

inline constexpr std::array<PeriodWords, 3> kPeriodWords{{
    {"DATE", "Date", "", "day", "daily"},
    {"WEEK", "Year,Week", "Week", "week", "weekly"},
    {"MONTH", "Year,Month", "Month", "month", "monthly"},
}};

constexpr const PeriodWords& WordsOf(PeriodType period) { return kPeriodWords[static_cast<std::size_t>(period)]; }
static_assert(WordsOf(PeriodType::Week).numberHead == "Week" && WordsOf(PeriodType::Month).span == "month");

}  // namespace sorvane
