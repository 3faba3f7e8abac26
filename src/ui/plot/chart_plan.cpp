#include "ui/plot/chart_plan.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>

#include "common/calendar.h"
#include "common/numbers.h"
#include "run/method_table.h"
#include "run/period_words.h"

namespace sorvane::plot {

namespace {

// One colour per method, distinct on screen and on paper.
struct MethodColorEntry {
  MethodId id;
  std::string_view color;
};
constexpr std::array<MethodColorEntry, 8> kMethodColors{{
    {MethodId::ModifiedPenman, "#1f77b4"},
    {MethodId::Hargreaves, "#ff7f0e"},
    {MethodId::Turc, "#2ca02c"},
    {MethodId::Thornthwaite, "#d62728"},
    {MethodId::BlaneyCriddle, "#9467bd"},
    {MethodId::Christiansen, "#8c564b"},
    {MethodId::OpenPan, "#e377c2"},
    {MethodId::PenmanMonteith, "#17becf"},
}};
static_assert(kMethodColors.size() == kMethodTable.size());
constexpr std::string_view kOtherColor = "#7f7f7f";

std::string_view ColorOf(MethodId id) {
  for (const MethodColorEntry& entry : kMethodColors)
    if (entry.id == id) return entry.color;
  return kOtherColor;
}

constexpr double kWeeksPerYear = 53;  // week 53 stays inside its year on the axis
constexpr double kMonthsPerYear = 12;

enum class AxisKind { Days, Weeks, Months };

// One point in time of the chart with the value of every method column (NaN: none).
struct Period {
  double x = 0;
  std::vector<double> values;
};

// The date of an x on a daily axis: the day it lies in.
CalendarDate DateAt(double x) { return DateOfDay(static_cast<long>(std::floor(x))); }

std::string TwoDigits(int number) { return (number < 10 ? "0" : "") + std::to_string(number); }

std::string DateLabel(const CalendarDate& date) {
  return std::to_string(date.year) + "-" + TwoDigits(date.month) + "-" + TwoDigits(date.day);
}

// The year and the week or month of an x on a weekly or monthly axis.
struct YearAndNumber {
  int year = 0;
  double number = 0;
};

YearAndNumber Split(double x, AxisKind kind) {
  const double year = std::floor(x + 1e-9);
  const double perYear = kind == AxisKind::Weeks ? kWeeksPerYear : kMonthsPerYear;
  return {static_cast<int>(year), std::round((x - year) * perYear * 1e6) / 1e6 + 1};
}

double Position(AxisKind kind, int year, double number) {
  switch (kind) {
    case AxisKind::Days: return static_cast<double>(DayNumber(year, static_cast<int>(number), 1));
    case AxisKind::Weeks: return year + (number - 1) / kWeeksPerYear;
    case AxisKind::Months: break;
  }
  return year + (number - 1) / kMonthsPerYear;
}

std::string Label(AxisKind kind, double x) {
  if (kind == AxisKind::Days) return DateLabel(DateAt(x));
  const YearAndNumber at = Split(x, kind);
  if (kind == AxisKind::Weeks) return std::to_string(at.year) + " W" + ShortestText(at.number);
  return std::to_string(at.year) + "-" + TwoDigits(static_cast<int>(at.number));
}

int YearOf(AxisKind kind, double x) { return kind == AxisKind::Days ? DateAt(x).year : Split(x, kind).year; }

// Where ticks may go, densest first: the weeks or months of a year that get one, in
// every `yearStep`-th year.
struct TickLayout {
  std::vector<int> withinYear;
  int yearStep = 1;
};

std::vector<TickLayout> LayoutsFor(AxisKind kind) {
  std::vector<TickLayout> layouts;
  if (kind == AxisKind::Weeks) {
    layouts = {{{1, 5, 9, 13, 17, 21, 25, 29, 33, 37, 41, 45, 49, 53}}, {{1, 14, 27, 40}}, {{1, 27}}};
  } else {
    layouts = {{{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}}, {{1, 3, 5, 7, 9, 11}}, {{1, 4, 7, 10}}, {{1, 7}}};
  }
  for (int step : {1, 2, 5, 10, 20, 50, 100, 200, 500, 1000}) layouts.push_back({{1}, step});
  return layouts;
}

std::vector<AxisTick> TicksOf(const TickLayout& layout, AxisKind kind, double xMin, double xMax) {
  std::vector<AxisTick> ticks;
  for (int year = YearOf(kind, xMin); year <= YearOf(kind, xMax); ++year) {
    if (year % layout.yearStep != 0) continue;
    for (int number : layout.withinYear) {
      const double x = Position(kind, year, number);
      if (x >= xMin && x <= xMax) ticks.push_back({x, Label(kind, x)});
    }
  }
  return ticks;
}

// Ticks on calendar boundaries when two or more fit; otherwise on every k-th period.
std::vector<AxisTick> Ticks(AxisKind kind, const std::vector<Period>& periods, double xMin, double xMax,
                            std::size_t maxTicks) {
  for (const TickLayout& layout : LayoutsFor(kind)) {
    auto ticks = TicksOf(layout, kind, xMin, xMax);
    if (ticks.size() > maxTicks) continue;
    if (ticks.size() >= 2) return ticks;
    break;
  }
  std::vector<AxisTick> ticks;
  const std::size_t step = (periods.size() + maxTicks - 1) / maxTicks;
  for (std::size_t k = 0; k < periods.size(); k += std::max<std::size_t>(step, 1))
    if (ticks.empty() || periods[k].x > ticks.back().x) ticks.push_back({periods[k].x, Label(kind, periods[k].x)});
  return ticks;
}

std::vector<Period> DailyPeriods(const PetResultTable& table) {
  std::vector<Period> periods;
  for (const auto& row : table.rows) periods.push_back({static_cast<double>(DayNumber(row.date)), row.values});
  return periods;
}

std::vector<Period> NumberedPeriods(const PetResultTable& table) {
  const double perYear = table.period == PeriodType::Week ? kWeeksPerYear : kMonthsPerYear;
  std::vector<Period> periods;
  for (const auto& row : table.rows) periods.push_back({row.year + (row.number - 1) / perYear, row.values});
  return periods;
}

// The mean of each method's values over the days of each month; NaN for a month
// without any value of that method.
std::vector<Period> MonthlyMeans(const PetResultTable& table) {
  struct Sums {
    std::vector<double> sum;
    std::vector<int> count;
  };
  const std::size_t methods = table.methods.size();
  std::map<std::pair<int, int>, Sums> months;
  for (const auto& row : table.rows) {
    Sums& month = months[{row.date.year, row.date.month}];
    month.sum.resize(methods, 0.0);
    month.count.resize(methods, 0);
    for (std::size_t m = 0; m < methods; ++m) {
      if (!std::isfinite(row.values[m])) continue;
      month.sum[m] += row.values[m];
      ++month.count[m];
    }
  }
  std::vector<Period> periods;
  for (const auto& [yearMonth, sums] : months) {
    Period period{Position(AxisKind::Months, yearMonth.first, yearMonth.second), {}};
    for (std::size_t m = 0; m < methods; ++m)
      period.values.push_back(sums.count[m] > 0 ? sums.sum[m] / sums.count[m] : std::nan(""));
    periods.push_back(std::move(period));
  }
  return periods;
}

// Daily files from their first date to two calendar years later, or beyond.
bool SpansTwoYearsOrMore(const PetResultTable& table) {
  if (table.rows.empty()) return false;
  const auto [first, last] = std::minmax_element(table.rows.begin(), table.rows.end(), [](const auto& a, const auto& b) {
    return DayNumber(a.date) < DayNumber(b.date);
  });
  // The days from the first to the last, both included, fill two years: 2011-01-01 to
  // 2012-12-31 is two years of data, as its user would say.
  const CalendarDate start = first->date;
  const long later = DayNumber(start.year + kYearsDrawnDaily, start.month, std::min(start.day, 28));
  return DayNumber(last->date) + 1 >= later;
}

std::vector<ChartLine> Lines(const PetResultTable& table, const std::vector<Period>& periods) {
  std::vector<ChartLine> lines;
  for (std::size_t m = 0; m < table.methods.size(); ++m) {
    ChartLine line{table.methods[m], std::string(MethodColor(table.methods[m])), {}};
    bool inSegment = false;
    for (const Period& period : periods) {
      const double value = period.values[m];
      if (!std::isfinite(value)) {
        inSegment = false;
        continue;
      }
      if (!inSegment) line.segments.emplace_back();
      line.segments.back().push_back({period.x, value});
      inSegment = true;
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

double LargestValue(const std::vector<Period>& periods) {
  double largest = 0;
  for (const Period& period : periods)
    for (double value : period.values)
      if (std::isfinite(value)) largest = std::max(largest, value);
  return largest;
}

std::string Unit(PeriodType period) { return "mm per " + std::string(WordsOf(period).span); }

}  // namespace

std::string_view MethodColor(std::string_view columnHead) {
  for (const MethodEntry& entry : kMethodTable)
    if (entry.name == columnHead) return ColorOf(entry.id);
  return kOtherColor;
}

std::size_t TicksForWidth(int widthPixels) {
  return std::clamp<std::size_t>(static_cast<std::size_t>(std::max(widthPixels, 0) / kPixelsPerTick), 2, kMaxTicks);
}

ChartPlan PlanPetChart(const PetResultTable& table, std::string_view fileName, std::size_t maxTicks) {
  ChartPlan plan;
  AxisKind kind = AxisKind::Days;
  std::vector<Period> periods;
  if (table.period == PeriodType::Date && SpansTwoYearsOrMore(table)) {
    plan.monthlyMeans = true;
    kind = AxisKind::Months;
    periods = MonthlyMeans(table);
  } else if (table.period == PeriodType::Date) {
    periods = DailyPeriods(table);
  } else {
    kind = table.period == PeriodType::Week ? AxisKind::Weeks : AxisKind::Months;
    periods = NumberedPeriods(table);
  }
  std::stable_sort(periods.begin(), periods.end(), [](const Period& a, const Period& b) { return a.x < b.x; });

  const std::string_view periodName = WordsOf(table.period).adjective;
  plan.title = std::string(fileName) + ": " + std::string(periodName) + (table.monthlyTotals ? " PET totals" : " PET");
  if (!periods.empty()) {
    plan.xMin = periods.front().x;
    plan.xMax = periods.back().x;
    if (plan.monthlyMeans) {
      const auto [first, last] = std::minmax_element(table.rows.begin(), table.rows.end(),
                                                     [](const auto& a, const auto& b) {
                                                       return DayNumber(a.date) < DayNumber(b.date);
                                                     });
      plan.title += ", " + DateLabel(first->date) + " to " + DateLabel(last->date) + ", drawn as monthly means";
    } else {
      plan.title += ", " + Label(kind, plan.xMin) + " to " + Label(kind, plan.xMax);
    }
  }
  if (plan.xMax <= plan.xMin) {  // one period: half a period of room on either side
    const double room = kind == AxisKind::Days    ? 0.5
                        : kind == AxisKind::Weeks ? 0.5 / kWeeksPerYear
                                                  : 0.5 / kMonthsPerYear;
    plan.xMin -= room;
    plan.xMax += room;
  }
  plan.xTitle = plan.monthlyMeans            ? "Month (mean of its days)"
                : kind == AxisKind::Days     ? "Date"
                : kind == AxisKind::Weeks    ? "Year and week"
                                             : "Year and month";
  plan.yTitle = "PET (" + Unit(table.period) + ")";
  plan.ticks = Ticks(kind, periods, plan.xMin, plan.xMax, std::max<std::size_t>(maxTicks, 2));
  const double largest = LargestValue(periods);
  plan.yMax = largest > 0 ? largest : 1;
  plan.lines = Lines(table, periods);
  return plan;
}

}  // namespace sorvane::plot
