#include "ui/plot/pet_result_table.h"

#include <gtest/gtest.h>

#include <cmath>

namespace sorvane::plot {
namespace {

Expected<PetResultTable> Read(std::string_view content) {
  FieldReader reader(content);
  return ReadPetResultTable(std::move(reader));
}

TEST(PetResultTable, ReadsADailyFileWithEmptyValuesAsNoValue) {
  const auto table = Read(
      "Date,Hargreaves,Turc\r\n"
      "01/01/2011,4.16,4.22\r\n"
      "1/2/2011,,.37\r\n");
  ASSERT_TRUE(table) << table.error().message;
  EXPECT_EQ(table->period, PeriodType::Date);
  EXPECT_EQ(table->methods, (std::vector<std::string>{"Hargreaves", "Turc"}));
  ASSERT_EQ(table->rows.size(), 2u);
  EXPECT_EQ(table->rows[1].line, 3);
  EXPECT_EQ(table->rows[1].date.year, 2011);
  EXPECT_EQ(table->rows[1].date.month, 1);
  EXPECT_EQ(table->rows[1].date.day, 2);
  EXPECT_TRUE(std::isnan(table->rows[1].values[0]));
  EXPECT_EQ(table->rows[1].values[1], 0.37);
}

// A summary file is drawn as its monthly totals: year rows and the Days column left out.
TEST(PetResultTable, ReadsTheMonthsOfASummaryFile) {
  const auto table = Read(
      "Year,Month,Days,Hargreaves,Turc\r\n"
      "2016,2,29,120.50,\r\n"
      "2016,,29,,\r\n"
      "2017,1,31,130.25,99.0\r\n");
  ASSERT_TRUE(table) << table.error().message;
  EXPECT_TRUE(table->monthlyTotals);
  EXPECT_EQ(table->period, PeriodType::Month);
  EXPECT_EQ(table->methods, (std::vector<std::string>{"Hargreaves", "Turc"}));
  ASSERT_EQ(table->rows.size(), 2u);
  EXPECT_EQ(table->rows[0].values[0], 120.5);
  EXPECT_TRUE(std::isnan(table->rows[0].values[1]));
  EXPECT_EQ(table->rows[1].line, 4);
  EXPECT_EQ(table->rows[1].number, 1);
  EXPECT_EQ(table->rows[1].values[1], 99.0);
  // Elsewhere an empty month is still refused.
  const auto yearly = Read("Year,Month,Hargreaves\r\n2016,,1\r\n");
  ASSERT_FALSE(yearly);
  EXPECT_EQ(yearly.error().message, "field 2 (Month) is empty");
}

TEST(PetResultTable, ReadsTheSpacedPeriodNumbersOfWeeklyAndMonthlyFiles) {
  const auto weekly = Read("Year,Week,Hargreaves\r\n1971, 1 ,29.48\r\n1971, 53 ,.0\r\n");
  ASSERT_TRUE(weekly) << weekly.error().message;
  EXPECT_EQ(weekly->period, PeriodType::Week);
  EXPECT_EQ(weekly->rows[1].year, 1971);
  EXPECT_EQ(weekly->rows[1].number, 53);
  EXPECT_EQ(weekly->rows[1].values, std::vector<double>{0.0});
  const auto monthly = Read("Year,Month,Hargreaves,Thornthwaite\r\n1985, 12 ,132.69,69.92\r\n\r\n\r\n");
  ASSERT_TRUE(monthly) << monthly.error().message;
  EXPECT_EQ(monthly->period, PeriodType::Month);
  EXPECT_EQ(monthly->rows.size(), 1u);  // blank lines at the end end the data
  EXPECT_EQ(monthly->rows[0].number, 12);
}

TEST(PetResultTable, AFileWithoutMethodColumnsHasRowsOfPeriodsOnly) {
  const auto table = Read("Date\r\n01/01/2011\r\n01/02/2011\r\n");
  ASSERT_TRUE(table) << table.error().message;
  EXPECT_TRUE(table->methods.empty());
  EXPECT_EQ(table->rows.size(), 2u);
}

struct Unreadable {
  const char* content;
  long line;
  const char* what;
};

TEST(PetResultTable, NamesTheLineAndFieldOfWhatIsNotAResultFile) {
  const Unreadable cases[] = {
      {"", 0, "the file is empty"},
      {"Station,Latitude\r\n", 1, "the header line begins with neither Date, Year,Week nor Year,Month: this is no PET result file"},
      {"Year,Day,Turc\r\n", 1, "the header line begins with neither Date, Year,Week nor Year,Month: this is no PET result file"},
      {"Date,Turc\r\n01/01/2011,4\r\n13/01/2011,4\r\n", 3, "field 1 (Date) '13/01/2011' is not a date of the calendar written month/day/year"},
      {"Date,Turc,Hargreaves\r\n01/01/2011,4,abc\r\n", 2, "field 3 (Hargreaves) 'abc' is not a number"},
      {"Date,Turc,Hargreaves\r\n01/01/2011,4\r\n", 2, "2 fields where a data line has 3 (the date and a value for each method column)"},
      {"Date,Turc\r\n01/01/2011,4,5\r\n", 2, "3 fields where a data line has 2 (the date and a value for each method column)"},
      {"Date,Turc\r\n01/01/2011,4\r\n\r\n01/02/2011,4\r\n", 3, "a blank line between data lines"},
      {"Year,Week,Turc\r\n1971\r\n", 2, "1 field where a data line has 3 (the year, the week and a value for each method column)"},
      {"Year,Month,Turc\r\n1971, x ,4\r\n", 2, "field 2 (Month) 'x' is not a number"},
      {"Year,Month,Turc\r\n,1,4\r\n", 2, "field 1 (Year) is empty"},
  };
  for (const Unreadable& c : cases) {
    const auto table = Read(c.content);
    ASSERT_FALSE(table) << c.content;
    EXPECT_EQ(table.error().line, c.line) << c.content;
    EXPECT_EQ(table.error().message, c.what) << c.content;
  }
}

}  // namespace
}  // namespace sorvane::plot
