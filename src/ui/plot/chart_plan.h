// What a chart of a PetResultFile shows, decided without Qt: the title, the axes with
// their units and ticks, and per method column a line broken into segments wherever a
// value is empty. The drawing (pet_chart.h) only carries the plan out.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ui/plot/pet_result_table.h"

namespace sorvane::plot {

// Daily files whose dates span two years or more are drawn as monthly means, so that
// the lines stay readable.
inline constexpr int kYearsDrawnDaily = 2;
// At most this many labelled ticks on the period axis of a chart 1200 pixels wide; a
// label needs about 100 pixels.
inline constexpr std::size_t kMaxTicks = 12;
inline constexpr int kPixelsPerTick = 100;

// x is days since 1970-01-01 on a daily chart, and years with their fraction (a week is
// 1/53, a month 1/12 of a year) on the others; y is mm per period.
struct ChartPoint {
  double x = 0;
  double y = 0;
};

struct AxisTick {
  double x = 0;
  std::string label;  // "2011-03-01", "2011 W14", "2011-04"
};

struct ChartLine {
  std::string name;   // the method column's head
  std::string color;  // "#rrggbb": each method keeps its colour on every chart
  std::vector<std::vector<ChartPoint>> segments;  // runs of values between empty ones
};

struct ChartPlan {
  std::string title;
  std::string xTitle;
  std::string yTitle;  // with the unit: "PET (mm per day)"
  double xMin = 0, xMax = 1;
  std::vector<AxisTick> ticks;  // ascending, inside [xMin, xMax]
  double yMax = 1;              // mm per period; the axis starts at 0 (PET is never negative)
  std::vector<ChartLine> lines;
  bool monthlyMeans = false;  // a long daily file drawn as the means of its months
};

// The plan for `table`, read from the file named `fileName` (shown in the title), with
// at most `maxTicks` labelled ticks on the period axis.
ChartPlan PlanPetChart(const PetResultTable& table, std::string_view fileName, std::size_t maxTicks = kMaxTicks);

// The number of ticks whose labels fit side by side on an image this wide.
std::size_t TicksForWidth(int widthPixels);

// The colour of a method column: one per MethodId, grey for other heads.
std::string_view MethodColor(std::string_view columnHead);

}  // namespace sorvane::plot
