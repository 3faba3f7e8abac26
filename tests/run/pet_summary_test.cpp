// Period totals of PET result files: completeness of months and years, leap years, and
// sums of the values as the file writes them.
#include "run/pet_summary.h"

#include <gtest/gtest.h>

#include <functional>

#include "common/calendar.h"
#include "support/temp_app_folder.h"

namespace sorvane {
namespace {

using testing::Lines;

// A daily result "Date,A,B" with a row for every day from `first` to `last` (day
// numbers) that `keep` keeps; A is 0.10 and B 1.25, or empty where `emptyB` says.
std::string DailyResult(long first, long last, const std::function<bool(const CalendarDate&)>& keep,
                        const std::function<bool(const CalendarDate&)>& emptyB) {
  std::string text = "Date,A,B\r\n";
  char key[16];
  for (long day = first; day <= last; ++day) {
    const CalendarDate date = DateOfDay(day);
    if (!keep(date)) continue;
    std::snprintf(key, sizeof key, "%02d/%02d/%04d", date.month, date.day, date.year);
    text += std::string(key) + ",.10," + (emptyB(date) ? "" : "1.25") + "\r\n";
  }
  return text;
}

Expected<PetSummary> Summarise(const std::string& text) {
  return SummarisePetResult(FieldReader(text));
}

const auto kEveryDay = [](const CalendarDate&) { return true; };
const auto kNoEmpty = [](const CalendarDate&) { return false; };

// 2015 whole; 2016 a leap year whose February has 29 days, its March lacking the 31st,
// and B empty on 10 June.
TEST(PetSummary, DailyMonthsAndYearsWithTheirCompleteness) {
  const std::string result =
      DailyResult(DayNumber(2015, 1, 1), DayNumber(2016, 6, 30),
                  [](const CalendarDate& d) { return !(d.year == 2016 && d.month == 3 && d.day == 31); },
                  [](const CalendarDate& d) { return d.year == 2016 && d.month == 6 && d.day == 10; });
  const auto summary = Summarise(result);
  ASSERT_TRUE(summary) << Located(summary.error());
  const std::string expected = Lines({
      "Year,Month,Days,A,B", "2015,1,31,3.10,38.75", "2015,2,28,2.80,35.0", "2015,3,31,3.10,38.75",
      "2015,4,30,3.0,37.50", "2015,5,31,3.10,38.75", "2015,6,30,3.0,37.50", "2015,7,31,3.10,38.75",
      "2015,8,31,3.10,38.75", "2015,9,30,3.0,37.50", "2015,10,31,3.10,38.75", "2015,11,30,3.0,37.50",
      "2015,12,31,3.10,38.75", "2015,,365,36.50,456.25", "2016,1,31,3.10,38.75", "2016,2,29,2.90,36.25",
      "2016,3,30,,", "2016,4,30,3.0,37.50", "2016,5,31,3.10,38.75", "2016,6,30,3.0,", "2016,,181,,",
  });
  EXPECT_EQ(summary->text, expected);
  EXPECT_EQ(summary->incomplete, 2);
  EXPECT_EQ(IncompleteNotice(*summary), "2 months are incomplete: their totals, and those of their years, are left empty");
}

TEST(PetSummary, CenturyYearsFollowTheGregorianCalendar) {
  const auto february = [](int year) {
    return DailyResult(DayNumber(year, 2, 1), DayNumber(year, 2, DaysInMonth(year, 2)), kEveryDay, kNoEmpty);
  };
  EXPECT_EQ(Summarise(february(2000))->text, Lines({"Year,Month,Days,A,B", "2000,2,29,2.90,36.25", "2000,,29,,"}));
  EXPECT_EQ(Summarise(february(1900))->text, Lines({"Year,Month,Days,A,B", "1900,2,28,2.80,35.0", "1900,,28,,"}));
}

TEST(PetSummary, WeeklyAndMonthlyResultsGiveOneRowPerYear) {
  std::string weekly = "Year,Week,A\r\n";
  for (int week = 1; week <= 52; ++week) weekly += "2011," + std::to_string(week) + ",1.50\r\n";
  for (int week = 1; week <= 51; ++week) weekly += "2012," + std::to_string(week) + ",1.50\r\n";
  std::string monthly = "Year,Month,A\r\n";
  for (int month = 1; month <= 12; ++month) monthly += "2016," + std::to_string(month) + ",100.25\r\n";
  monthly += "2017,1,100.25\r\n";
  const auto weeks = Summarise(weekly);
  ASSERT_TRUE(weeks) << weeks.error().message;
  EXPECT_EQ(weeks->text, Lines({"Year,Month,Days,A", "2011,,364,78.0", "2012,,357,"}));
  EXPECT_EQ(IncompleteNotice(*weeks), "1 year is incomplete: its totals are left empty");
  const auto months = Summarise(monthly);
  ASSERT_TRUE(months) << months.error().message;
  EXPECT_EQ(months->text, Lines({"Year,Month,Days,A", "2016,,366,1203.0", "2017,,31,"}));
}

TEST(PetSummary, RefusesWhatIsNoResultOrRepeatsAPeriod) {
  const struct {
    std::string text;
    long line;
    std::string what;
  } cases[] = {
      {"Date,A\r\n01/02/2011,1\r\n01/02/2011,1\r\n", 3, "the period of this row comes twice in the file"},
      {"Date,A\r\n02/30/2011,1\r\n", 2, ""},
      {"Year,Month,A\r\n2011,13,1\r\n", 2, "field 2 (Month) is not a month from 1 to 12"},
  };
  for (const auto& c : cases) {
    const auto summary = Summarise(c.text);
    ASSERT_FALSE(summary) << c.text;
    EXPECT_EQ(summary.error().line, c.line) << c.text;
    if (!c.what.empty()) {
      EXPECT_EQ(summary.error().message, c.what);
    }
  }
}

}  // namespace
}  // namespace sorvane
