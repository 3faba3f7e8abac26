#include "coefficients/calibration_report.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>

#include "common/numbers.h"
#include "common/platform.h"
#include "common/text.h"
#include "run/method_table.h"
#include "run/period_words.h"

namespace sorvane {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Shortest text; an empty field for a value that is not a number.
void AppendField(std::string& out, double value) {
  out += ',';
  if (std::isfinite(value)) out += ShortestText(value);
}

std::string Fixed(double value, int decimals = 3) {
  if (!std::isfinite(value)) return "-";
  if (std::fabs(value) < 0.5 * std::pow(10.0, -decimals)) value = 0;  // never "-0.000"
  char buffer[64];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals).ptr;
  return std::string(buffer, end);
}

std::string Padded(std::string text, std::size_t width, bool left = false) {
  if (text.size() < width) text.insert(left ? text.end() : text.begin(), width - text.size(), ' ');
  return text;
}

std::string_view NameOf(int method) { return MethodEntryFor(method).name; }

// The statistics of one station and method: before adjustment the value itself, after it
// the fitted line; NaN where the method cannot be fitted.
struct MethodStats {
  long pairs = 0;
  LineFit fit{std::nan(""), std::nan("")};
  double rSquared = std::nan("");
  Residuals before{std::nan(""), std::nan("")};
  Residuals after{std::nan(""), std::nan("")};
};

MethodStats StatsOf(const MethodCalibration& calibration) {
  MethodStats stats;
  const PairMoments& moments = calibration.moments;
  stats.pairs = moments.pairs;
  if (moments.pairs > 0) stats.before = ResidualsOf(moments, LineFit{0, 1});
  if (WhyNotFitted(calibration).empty()) {
    stats.fit = FitLine(moments);
    stats.rSquared = RSquared(moments);
    stats.after = ResidualsOf(moments, stats.fit);
  }
  return stats;
}

}  // namespace

std::string CoefficientTableText(const Calibration& calibration) {
  std::string out = "Station,Latitude,Longitude,";
  std::string heads = ",,,";
  for (std::size_t k = 0; k < calibration.tableMethods.size(); ++k) {
    out += std::string(NameOf(calibration.tableMethods[k])) + ",,";
    heads += k == 0 ? "Intercept,Slope" : ",Intercept,Slope";
  }
  if (!calibration.tableMethods.empty()) out.pop_back();
  out += kLineEnd;
  out += heads;
  out += kLineEnd;
  for (const StationCalibration& station : calibration.stations) {
    out += station.name;
    AppendField(out, station.latitudeDegrees);
    AppendField(out, station.longitudeDegrees);
    for (int id : calibration.tableMethods) {
      const LineFit fit = FitLine(FindMethod(station, id)->moments);
      AppendField(out, fit.intercept);
      AppendField(out, fit.slope);
    }
    out += kLineEnd;
  }
  return out;
}

std::string CalibrationStatsText(const Calibration& calibration) {
  std::string out =
      "Station,Method,Pairs,Intercept,Slope,R2,RMSE before,Mean bias before,RMSE after,Mean bias after";
  out += kLineEnd;
  for (const StationCalibration& station : calibration.stations)
    for (const MethodCalibration& calibrated : station.methods) {
      const MethodStats s = StatsOf(calibrated);
      out += station.name + ',' + std::string(NameOf(calibrated.method)) + ',' + std::to_string(s.pairs);
      for (double value : {s.fit.intercept, s.fit.slope, s.rSquared, s.before.rmse, s.before.meanBias, s.after.rmse,
                           s.after.meanBias})
        AppendField(out, value);
      out += kLineEnd;
    }
  return out;
}

std::string CalibrationStatsSummary(const Calibration& calibration) {
  std::size_t nameWidth = 7;
  for (const StationCalibration& station : calibration.stations) nameWidth = std::max(nameWidth, station.name.size());
  std::string out = Padded("Station", nameWidth, true) + "  Method           Pairs  Intercept    Slope     R2" +
                    "  RMSE bef  bias bef  RMSE aft  bias aft\n";
  for (const StationCalibration& station : calibration.stations)
    for (const MethodCalibration& calibrated : station.methods) {
      const MethodStats s = StatsOf(calibrated);
      out += Padded(station.name, nameWidth, true) + "  " + Padded(std::string(NameOf(calibrated.method)), 15, true) +
             Padded(std::to_string(s.pairs), 7) + Padded(Fixed(s.fit.intercept), 11) + Padded(Fixed(s.fit.slope), 9) +
             Padded(Fixed(s.rSquared), 7) + Padded(Fixed(s.before.rmse), 10) + Padded(Fixed(s.before.meanBias), 10) +
             Padded(Fixed(s.after.rmse), 10) + Padded(Fixed(s.after.meanBias), 10) + '\n';
    }
  return out;
}

// "mm/day", "mm/week", "mm/month": the unit of a value of the period.
std::string MillimetresPer(PeriodType period) { return "mm/" + std::string(WordsOf(period).span); }

std::string CrossValidationText(const std::vector<CrossValidationRow>& rows, PeriodType period) {
  const std::string unit = " (" + MillimetresPer(period) + ")";
  std::string out = "Station,Method,Fitted intercept" + unit + ",Fitted slope,Interpolated intercept" + unit +
                    ",Interpolated slope,RMSE before" + unit + ",RMSE fitted" + unit + ",RMSE interpolated" + unit;
  out += kLineEnd;
  for (const CrossValidationRow& row : rows) {
    out += row.station + ',' + std::string(NameOf(row.method));
    for (double value : {row.fitted.intercept, row.fitted.slope, row.interpolated.intercept, row.interpolated.slope,
                         row.rmseBefore, row.rmseFitted, row.rmseInterpolated})
      AppendField(out, value);
    out += kLineEnd;
  }
  return out;
}

std::string CrossValidationSummary(const std::vector<CrossValidationRow>& rows, PeriodType period) {
  struct Sums {
    double before = 0, fitted = 0, interpolated = 0, largest = 0;
    int stations = 0;
  };
  std::map<int, Sums> byMethod;
  for (const CrossValidationRow& row : rows) {
    Sums& sums = byMethod[row.method];
    sums.before += row.rmseBefore;
    sums.fitted += row.rmseFitted;
    sums.interpolated += row.rmseInterpolated;
    sums.largest = std::max(sums.largest, row.rmseInterpolated);
    ++sums.stations;
  }
  const std::string unit = MillimetresPer(period);
  std::string out = "Method           Stations  RMSE before  RMSE fitted  RMSE interpolated  largest\n";
  out += std::string(25, ' ') + Padded(unit, 13) + Padded(unit, 13) + Padded(unit, 19) + Padded(unit, 9) + '\n';
  std::string advice;
  for (const auto& [method, sums] : byMethod) {
    const double n = sums.stations;
    out += Padded(std::string(NameOf(method)), 15, true) + Padded(std::to_string(sums.stations), 10) +
           Padded(Fixed(sums.before / n), 13) + Padded(Fixed(sums.fitted / n), 13) +
           Padded(Fixed(sums.interpolated / n), 19) + Padded(Fixed(sums.largest), 9) + '\n';
    if (sums.interpolated > sums.before)
      advice += std::string(NameOf(method)) + ": the interpolated coefficients do worse than none (RMSE " +
                Fixed(sums.interpolated / n) + " against " + Fixed(sums.before / n) + " " + unit +
                "); do not use `coeff` for it between these stations\n";
  }
  return out + advice;
}

std::filesystem::path BesideTable(const std::filesystem::path& table, std::string_view suffix) {
  return table.parent_path() / platform::PathFromUtf8(ResultFileName(platform::Utf8(table.filename()), suffix));
}

}  // namespace sorvane
