// The dates of daily weather files: month/day/four-digit-year texts of the calendar, and
// the day of the year the solar geometry is taken for.
#include <algorithm>
#include <charconv>

#include "common/calendar.h"
#include "common/notices.h"
#include "run/weather_file_reader.h"

namespace sorvane {

namespace {

// A run of 1..maxDigits ASCII digits (exactly `maxDigits` when `exact`).
std::optional<int> Digits(std::string_view text, std::size_t maxDigits, bool exact) {
  if (text.empty() || text.size() > maxDigits || (exact && text.size() != maxDigits)) return std::nullopt;
  if (!std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) return std::nullopt;
  int value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

// A date of the calendar, or nullopt.
std::optional<CalendarDate> CheckedDate(int year, int month, int day) {
  if (month < 1 || month > 12) return std::nullopt;
  if (day < 1 || day > DaysInMonth(year, month)) return std::nullopt;
  return CalendarDate{year, month, day};
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
int DigitValue(char c) { return c - '0'; }

}  // namespace

std::string NotACalendarDate(std::string_view text) {
  return "field 1 (Date) " + QuotedField(text) + " is not a date of the calendar written month/day/year";
}

std::optional<CalendarDate> ParseDate(std::string_view text) {
  // The form almost every station writes, "mm/dd/yyyy", is read in one go.
  if (text.size() == 10 && text[2] == '/' && text[5] == '/' && IsDigit(text[0]) && IsDigit(text[1]) &&
      IsDigit(text[3]) && IsDigit(text[4]) && IsDigit(text[6]) && IsDigit(text[7]) && IsDigit(text[8]) &&
      IsDigit(text[9])) {
    const int month = DigitValue(text[0]) * 10 + DigitValue(text[1]);
    const int day = DigitValue(text[3]) * 10 + DigitValue(text[4]);
    const int year = ((DigitValue(text[6]) * 10 + DigitValue(text[7])) * 10 + DigitValue(text[8])) * 10 +
                     DigitValue(text[9]);
    if (day >= 1 && day <= 28 && month >= 1 && month <= 12) return CalendarDate{year, month, day};  // in every month
    return CheckedDate(year, month, day);
  }
  const auto firstSlash = text.find('/');
  const auto secondSlash = firstSlash == std::string_view::npos ? firstSlash : text.find('/', firstSlash + 1);
  if (secondSlash == std::string_view::npos) return std::nullopt;
  const auto month = Digits(text.substr(0, firstSlash), 2, false);
  const auto day = Digits(text.substr(firstSlash + 1, secondSlash - firstSlash - 1), 2, false);
  const auto year = Digits(text.substr(secondSlash + 1), 4, true);
  if (!month || !day || !year) return std::nullopt;
  return CheckedDate(*year, *month, *day);
}

int DayOfYear(const CalendarDate& date) {
  const int leapDay = (date.month >= 3 && date.year % 4 == 0) ? 1 : 0;
  return date.day + kDaysBeforeMonth[static_cast<std::size_t>(date.month)] + leapDay;
}

}  // namespace sorvane
