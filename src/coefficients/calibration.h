// Calibration: a reference coefficient table made from the user's own stations. Every
// weather file is one reference station; each method's PET, computed as a run computes
// it, is compared with a reference series of the same rows (another method, or a column
// of observed ET), and the reference is fitted by ordinary least squares on the value:
//
//   reference ≈ intercept + slope × value          (mm per period)
//
// which is the form in which the adjuster applies the coefficients.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "common/app_folder.h"
#include "common/data_file_list.h"
#include "common/notices.h"
#include "run/heat_index_table.h"
#include "run/weather_file_reader.h"

namespace sorvane {

// What every method is compared with: a method of the same rows, or the column of a
// weather file whose head, upper-cased without spaces, is `observedHead`.
struct CalibrationReference {
  int method = 0;  // a MethodId; 0 when the reference is observed
  std::string observedHead;
};

// The pairs (x: a method's value, y: the reference) as their count, means and centred
// sums of squares and products, updated pair by pair (Welford) so that a fit over
// decades of rows loses no digits to large totals.
struct PairMoments {
  long pairs = 0;
  double meanX = 0, meanY = 0;
  double sxx = 0, syy = 0, sxy = 0;  // sums of (x - meanX)^2, (y - meanY)^2, (x - meanX)(y - meanY)

  void Add(double x, double y);
};

struct LineFit {
  double intercept = 0;  // mm per period
  double slope = 1;
};

// The least-squares line of y on x: slope = sxy / sxx, intercept = meanY - slope meanX.
LineFit FitLine(const PairMoments& moments);
// The share of the variance of y the line explains: sxy^2 / (sxx syy); NaN when y never varies.
double RSquared(const PairMoments& moments);

// The error of intercept + slope x against y: root mean square and mean (mm per period).
struct Residuals {
  double rmse = 0;
  double meanBias = 0;
};
// From the moments alone: with c = intercept + slope meanX - meanY, the sum of squares is
// n c^2 + slope^2 sxx - 2 slope sxy + syy.
Residuals ResidualsOf(const PairMoments& moments, const LineFit& line);

// Fewer pairs than this leave a method out of the table.
inline constexpr long kFewestPairs = 10;

struct MethodCalibration {
  int method = 0;  // MethodId
  PairMoments moments;
};

// Why a method cannot be fitted at a station; empty when it can.
std::string WhyNotFitted(const MethodCalibration& calibration);

struct StationCalibration {
  std::string name;  // the weather file's name less its last four characters
  double latitudeDegrees = 0;
  double longitudeDegrees = 0;
  PeriodType period = PeriodType::Date;    // every station of a calibration has the same
  std::vector<MethodCalibration> methods;  // the methods of the file but the reference, ascending
};

struct Calibration {
  std::vector<StationCalibration> stations;  // the files processed, in list order
  std::vector<int> tableMethods;             // the MethodIds fitted at every station, ascending
  std::size_t refused = 0;                   // files refused
};

// How the rows of the files are taken, beyond how they are read.
struct CalibrationRules {
  HeatIndexSource heatIndex = HeatIndexSource::Table;  // Thornthwaite's heat index: the table's or each station's
  bool leaveOutEstimated = false;  // rows holding estimates (--estimate-missing) give no pair
};

// Reads every listed weather file (looked up in data/PET_DATA) and gathers the pairs of
// each method. Shows a refusal for each file that cannot be used and a notice for each
// method left out of the table, naming station, method and why.
Calibration Calibrate(const std::vector<ListedName>& names, const AppFolder& folder,
                      const CalibrationReference& reference, const ReadingRules& rules, Notices& notices,
                      const CalibrationRules& calibrationRules = {});

// The fit of `method` at `station`; nullptr when the station has no such method.
const MethodCalibration* FindMethod(const StationCalibration& station, int method);

}  // namespace sorvane
