// ParseDate's fast reading of mm/dd/yyyy gives what the general reading of a calendar
// date gives, for every month and day around the valid ones and random texts.
#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

#include "common/calendar.h"
#include "run/weather_file_reader.h"

namespace sorvane {
namespace {

int DigitsOrMinusOne(std::string_view text, std::size_t most, bool exact) {
  if (text.empty() || text.size() > most || (exact && text.size() != most)) return -1;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return -1;
    value = value * 10 + (c - '0');
  }
  return value;
}

// The general reading of a date: month/day/four-digit year, a day of the calendar.
std::optional<CalendarDate> ReferenceParseDate(std::string_view text) {
  const auto first = text.find('/');
  if (first == std::string_view::npos) return std::nullopt;
  const auto second = text.find('/', first + 1);
  if (second == std::string_view::npos) return std::nullopt;
  const int month = DigitsOrMinusOne(text.substr(0, first), 2, false);
  const int day = DigitsOrMinusOne(text.substr(first + 1, second - first - 1), 2, false);
  const int year = DigitsOrMinusOne(text.substr(second + 1), 4, true);
  if (month < 1 || month > 12 || day < 0 || year < 0) return std::nullopt;
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  const int days = month == 2 && leap ? 29 : kMonthDays[static_cast<std::size_t>(month)];
  if (day < 1 || day > days) return std::nullopt;
  return CalendarDate{year, month, day};
}

TEST(ParseDateFastPath, DatesReadAsTheGeneralReadingReadsThem) {
  std::vector<std::string> texts{"", "/", "//", "1/1/2000", "01/1/2000", "1/01/2000", "01/01/200", "01/01/20000",
                                 "0a/01/2000", "01/0a/2000", "01/01/2a00", "01-01-2000", "01/01/2000 ", " 01/01/2000"};
  for (int year : {0, 1, 1896, 1900, 1999, 2000, 2004, 2100, 2400, 9999})
    for (int month = 0; month <= 13; ++month)
      for (int day = 0; day <= 32; ++day) {
        char text[32];
        char* p = text;
        for (int part : {month, day}) {
          *p++ = static_cast<char>('0' + part / 10);
          *p++ = static_cast<char>('0' + part % 10);
          *p++ = '/';
        }
        for (int divisor : {1000, 100, 10, 1}) *p++ = static_cast<char>('0' + year / divisor % 10);
        texts.emplace_back(text, p);
      }
  std::mt19937_64 random(3);
  constexpr std::string_view kAlphabet = "0123456789/ x";
  for (int i = 0; i < 200000; ++i) {
    std::string text(10, ' ');
    for (char& c : text) c = kAlphabet[random() % kAlphabet.size()];
    texts.push_back(text);
  }
  for (const auto& text : texts) {
    const auto expected = ReferenceParseDate(text);
    const auto got = ParseDate(text);
    ASSERT_EQ(got.has_value(), expected.has_value()) << "'" << text << "'";
    if (got) {
      EXPECT_EQ(got->year, expected->year) << text;
      EXPECT_EQ(got->month, expected->month) << text;
      EXPECT_EQ(got->day, expected->day) << text;
    }
  }
}


}  // namespace
}  // namespace sorvane
