// The Gregorian calendar of the daily files' dates: leap years, month lengths, and day
// numbers for telling gaps, repeats and spans of days apart.
#pragma once

#include <array>
#include <chrono>
#include <cstddef>

namespace sorvane {

struct CalendarDate {
  int year = 0, month = 0, day = 0;
};

// Days of months 1..12 in a common year; index 0 finds no month and gives 0. The
// methods' monthly rates use it as it stands: their February always has 28 days.
inline constexpr std::array<int, 13> kMonthDays{0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// Days of the months before month m (1..12) in a common year.
inline constexpr std::array<int, 13> kDaysBeforeMonth = [] {
  std::array<int, 13> before{};
  for (std::size_t m = 2; m < before.size(); ++m) before[m] = before[m - 1] + kMonthDays[m - 1];
  return before;
}();
static_assert(kDaysBeforeMonth[3] == 59 && kDaysBeforeMonth[12] == 334);

constexpr bool IsLeapGregorian(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

// The days of `month` (1 to 12) in `year`: February has 29 in leap years.
constexpr int DaysInMonth(int year, int month) {
  return month == 2 && IsLeapGregorian(year) ? 29 : kMonthDays[static_cast<std::size_t>(month)];
}
static_assert(DaysInMonth(2000, 2) == 29 && DaysInMonth(1900, 2) == 28 && DaysInMonth(2011, 12) == 31);

// Days since 1970-01-01 (negative before it).
inline long DayNumber(int year, int month, int day) {
  using namespace std::chrono;
  const year_month_day date{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
                            std::chrono::day{static_cast<unsigned>(day)}};
  return sys_days(date).time_since_epoch().count();
}
inline long DayNumber(const CalendarDate& date) { return DayNumber(date.year, date.month, date.day); }

// The date of a day number.
inline CalendarDate DateOfDay(long dayNumber) {
  using namespace std::chrono;
  const year_month_day date{sys_days{days{dayNumber}}};
  return {static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
          static_cast<int>(static_cast<unsigned>(date.day()))};
}

}  // namespace sorvane
