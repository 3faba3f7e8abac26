#include "ui/plot/chart_plan.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "run/method_table.h"

namespace sorvane::plot {
namespace {

constexpr double kEmpty = std::numeric_limits<double>::quiet_NaN();

PetResultTable Table(std::string_view content) {
  FieldReader reader(content);
  auto table = ReadPetResultTable(std::move(reader));
  EXPECT_TRUE(table) << Located(table.error());
  return table ? *table : PetResultTable{};
}

// A daily table from 01/01/2011 on, one row a day, with the given values.
PetResultTable DailyTable(const std::vector<std::string>& methods, const std::vector<std::vector<double>>& rows,
                          int firstYear = 2011) {
  PetResultTable table;
  table.methods = methods;
  long day = DayNumber(firstYear, 1, 1);
  for (const auto& values : rows) table.rows.push_back({0, DateOfDay(day++), 0, 0, values});
  return table;
}

std::vector<double> Xs(const std::vector<ChartPoint>& segment) {
  std::vector<double> xs;
  for (const auto& point : segment) xs.push_back(point.x);
  return xs;
}

std::vector<std::string> Labels(const ChartPlan& plan) {
  std::vector<std::string> labels;
  for (const auto& tick : plan.ticks) labels.push_back(tick.label);
  return labels;
}

constexpr double kJanuary1st2011 = 14975;  // days since 1970-01-01

TEST(ChartPlan, DailyFileDatesOnTheAxisAndGapsForEmptyValues) {
  const ChartPlan plan = PlanPetChart(Table("Date,Hargreaves,Turc\r\n"
                                            "01/01/2011,4.1,4\r\n"
                                            "01/02/2011,,4\r\n"
                                            "01/03/2011,4.3,\r\n"
                                            "01/04/2011,4.4,4\r\n"
                                            "01/05/2011,4.5,4\r\n"),
                                      "STN1_PET.csv");
  EXPECT_EQ(plan.title, "STN1_PET.csv: daily PET, 2011-01-01 to 2011-01-05");
  EXPECT_EQ(plan.xTitle, "Date");
  EXPECT_EQ(plan.yTitle, "PET (mm per day)");
  EXPECT_FALSE(plan.monthlyMeans);
  EXPECT_EQ(plan.xMin, kJanuary1st2011);
  EXPECT_EQ(plan.xMax, kJanuary1st2011 + 4);
  EXPECT_EQ(plan.yMax, 4.5);
  ASSERT_EQ(plan.lines.size(), 2u);
  EXPECT_EQ(plan.lines[0].name, "Hargreaves");
  ASSERT_EQ(plan.lines[0].segments.size(), 2u);
  EXPECT_EQ(Xs(plan.lines[0].segments[0]), std::vector<double>{kJanuary1st2011});  // a lone value: drawn as a dot
  EXPECT_EQ(Xs(plan.lines[0].segments[1]),
            (std::vector<double>{kJanuary1st2011 + 2, kJanuary1st2011 + 3, kJanuary1st2011 + 4}));
  EXPECT_EQ(plan.lines[0].segments[1][0].y, 4.3);
  ASSERT_EQ(plan.lines[1].segments.size(), 2u);
  EXPECT_EQ(Xs(plan.lines[1].segments[0]), (std::vector<double>{kJanuary1st2011, kJanuary1st2011 + 1}));
  // Five days hold no first of a month but one: a tick on every day.
  EXPECT_EQ(Labels(plan),
            (std::vector<std::string>{"2011-01-01", "2011-01-02", "2011-01-03", "2011-01-04", "2011-01-05"}));
}

TEST(ChartPlan, ADailyYearHasItsTicksOnFirstsOfMonths) {
  const ChartPlan plan = PlanPetChart(DailyTable({"Turc"}, std::vector<std::vector<double>>(365, {4.0})), "A.csv");
  EXPECT_EQ(Labels(plan), (std::vector<std::string>{"2011-01-01", "2011-02-01", "2011-03-01", "2011-04-01",
                                                    "2011-05-01", "2011-06-01", "2011-07-01", "2011-08-01",
                                                    "2011-09-01", "2011-10-01", "2011-11-01", "2011-12-01"}));
  const ChartPlan narrow = PlanPetChart(DailyTable({"Turc"}, std::vector<std::vector<double>>(365, {4.0})), "A.csv",
                                        TicksForWidth(640));
  EXPECT_EQ(Labels(narrow),
            (std::vector<std::string>{"2011-01-01", "2011-03-01", "2011-05-01", "2011-07-01", "2011-09-01",
                                      "2011-11-01"}));
}

TEST(ChartPlan, WeeklyFileYearAndWeekOnTheAxis) {
  std::string content = "Year,Week,Hargreaves\r\n";
  for (int year : {2011, 2012})
    for (int week = 1; week <= 52; ++week) content += std::to_string(year) + ", " + std::to_string(week) + " ,30\r\n";
  const ChartPlan plan = PlanPetChart(Table(content), "W_PET.csv");
  EXPECT_EQ(plan.title, "W_PET.csv: weekly PET, 2011 W1 to 2012 W52");
  EXPECT_EQ(plan.xTitle, "Year and week");
  EXPECT_EQ(plan.yTitle, "PET (mm per week)");
  EXPECT_EQ(plan.xMin, 2011);
  EXPECT_EQ(plan.xMax, 2012 + 51.0 / 53);
  EXPECT_EQ(Labels(plan), (std::vector<std::string>{"2011 W1", "2011 W14", "2011 W27", "2011 W40", "2012 W1",
                                                    "2012 W14", "2012 W27", "2012 W40"}));
  EXPECT_EQ(plan.lines[0].segments.size(), 1u);
  EXPECT_EQ(plan.lines[0].segments[0].size(), 104u);
}

TEST(ChartPlan, SummaryFileDrawsItsMonthlyTotals) {
  const ChartPlan plan = PlanPetChart(
      Table("Year,Month,Days,Hargreaves\r\n2011,1,31,130.0\r\n2011,2,28,120.0\r\n2011,,59,\r\n"),
      "S_PET_SUMMARY.csv");
  EXPECT_EQ(plan.title, "S_PET_SUMMARY.csv: monthly PET totals, 2011-01 to 2011-02");
  EXPECT_EQ(plan.yTitle, "PET (mm per month)");
  ASSERT_EQ(plan.lines.size(), 1u);
  EXPECT_EQ(plan.lines[0].segments[0].size(), 2u);
}

TEST(ChartPlan, MonthlyFileYearAndMonthOnTheAxis) {
  std::string content = "Year,Month,Hargreaves,Thornthwaite\r\n";
  for (int year = 2009; year <= 2012; ++year)
    for (int month = 1; month <= 12; ++month)
      content += std::to_string(year) + ", " + std::to_string(month) + " ,130," + (month == 6 ? "" : "70") + "\r\n";
  const ChartPlan plan = PlanPetChart(Table(content), "M_PET.csv");
  EXPECT_EQ(plan.title, "M_PET.csv: monthly PET, 2009-01 to 2012-12");
  EXPECT_EQ(plan.xTitle, "Year and month");
  EXPECT_EQ(plan.yTitle, "PET (mm per month)");
  EXPECT_EQ(plan.xMax, 2012 + 11.0 / 12);
  EXPECT_EQ(Labels(plan), (std::vector<std::string>{"2009-01", "2009-07", "2010-01", "2010-07", "2011-01",
                                                    "2011-07", "2012-01", "2012-07"}));
  EXPECT_EQ(plan.lines[0].segments.size(), 1u);
  EXPECT_EQ(plan.lines[1].segments.size(), 5u);  // June is empty in each of the four years
}

TEST(ChartPlan, DailyFilesOfTwoYearsOrMoreAreDrawnAsMonthlyMeans) {
  const std::vector<std::vector<double>> twoYearsLessADay(730, {4.0});  // 2011-01-01 to 2012-12-30
  EXPECT_FALSE(PlanPetChart(DailyTable({"Turc"}, twoYearsLessADay), "A.csv").monthlyMeans);
  const std::vector<std::vector<double>> twoYears(731, {4.0});  // 2011-01-01 to 2012-12-31, the bundled sample's
  EXPECT_TRUE(PlanPetChart(DailyTable({"Turc"}, twoYears), "A.csv").monthlyMeans);

  // Three years: January's Hargreaves values are 1, 2, ..., 31 (mean 16), and its Turc
  // values all empty; February has Turc on one day only.
  std::vector<std::vector<double>> rows;
  for (int day = 1; day <= 365 + 366 + 365; ++day) {
    const double hargreaves = day <= 31 ? day : 5;
    const double turc = day <= 31 ? kEmpty : day == 40 ? 3 : day <= 59 ? kEmpty : 4;
    rows.push_back({hargreaves, turc});
  }
  const ChartPlan plan = PlanPetChart(DailyTable({"Hargreaves", "Turc"}, rows), "LONG_PET.csv");
  EXPECT_TRUE(plan.monthlyMeans);
  EXPECT_EQ(plan.title, "LONG_PET.csv: daily PET, 2011-01-01 to 2013-12-31, drawn as monthly means");
  EXPECT_EQ(plan.xTitle, "Month (mean of its days)");
  EXPECT_EQ(plan.yTitle, "PET (mm per day)");
  EXPECT_EQ(plan.xMin, 2011);
  EXPECT_EQ(plan.xMax, 2013 + 11.0 / 12);
  ASSERT_EQ(plan.lines[0].segments.size(), 1u);
  EXPECT_EQ(plan.lines[0].segments[0].size(), 36u);
  EXPECT_EQ(plan.lines[0].segments[0][0].y, 16);
  EXPECT_EQ(plan.lines[0].segments[0][1].y, 5);
  ASSERT_EQ(plan.lines[1].segments.size(), 1u);
  EXPECT_EQ(plan.lines[1].segments[0].size(), 35u);  // no mean for a month without values
  EXPECT_EQ(plan.lines[1].segments[0][0].x, 2011 + 1.0 / 12);
  EXPECT_EQ(plan.lines[1].segments[0][0].y, 3);
  EXPECT_EQ(Labels(plan), (std::vector<std::string>{"2011-01", "2011-04", "2011-07", "2011-10", "2012-01", "2012-04",
                                                    "2012-07", "2012-10", "2013-01", "2013-04", "2013-07", "2013-10"}));
}

TEST(ChartPlan, RowsOutOfOrderAreDrawnInTheirPeriodsOrder) {
  const ChartPlan plan =
      PlanPetChart(Table("Date,Turc\r\n01/03/2011,3\r\n01/01/2011,1\r\n01/02/2011,2\r\n"), "A.csv");
  EXPECT_EQ(Xs(plan.lines[0].segments[0]),
            (std::vector<double>{kJanuary1st2011, kJanuary1st2011 + 1, kJanuary1st2011 + 2}));
}

TEST(ChartPlan, OnePeriodGetsRoomOnEitherSide) {
  const ChartPlan plan = PlanPetChart(Table("Year,Month,Turc\r\n2009, 5 ,100\r\n"), "A.csv");
  EXPECT_LT(plan.xMin, plan.xMax);
  EXPECT_EQ(Labels(plan), std::vector<std::string>{"2009-05"});
}

TEST(ChartPlan, EveryMethodKeepsAColourOfItsOwn) {
  std::set<std::string_view> colours;
  for (const MethodEntry& method : kMethodTable) colours.insert(MethodColor(method.name));
  EXPECT_EQ(colours.size(), kMethodTable.size());
  EXPECT_EQ(MethodColor("Hargreaves"), "#ff7f0e");
  EXPECT_EQ(MethodColor("Rainfall"), "#7f7f7f");
}

TEST(ChartPlan, TicksAreAboutAHundredPixelsApart) {
  EXPECT_EQ(TicksForWidth(1200), 12u);
  EXPECT_EQ(TicksForWidth(4000), 12u);
  EXPECT_EQ(TicksForWidth(640), 6u);
  EXPECT_EQ(TicksForWidth(150), 2u);
}

}  // namespace
}  // namespace sorvane::plot
