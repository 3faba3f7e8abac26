// Calibration: least squares of a reference on each method's value, the table it makes
// and the cross-validation of that table.
#include "coefficients/calibration.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "coefficients/calibration_report.h"
#include "coefficients/coefficient_table.h"
#include "coefficients/cross_validation.h"
#include "run/method_table.h"
#include "run/station_computation.h"
#include "support/weather_file.h"

namespace sorvane {
namespace {

using testing::Lines;
using testing::TempAppFolder;
using testing::WeatherFile;

constexpr int kHargreaves = static_cast<int>(MethodId::Hargreaves);
constexpr int kTurc = static_cast<int>(MethodId::Turc);

PairMoments MomentsOf(const std::vector<double>& x, const std::vector<double>& y) {
  PairMoments moments;
  for (std::size_t i = 0; i < x.size(); ++i) moments.Add(x[i], y[i]);
  return moments;
}

// x = 1, 2, 3, 4 and y = 2, 3, 5, 6: means 2.5 and 4, sxx = 5, sxy = 7, syy = 10, so
// slope 7/5 = 1.4, intercept 4 - 1.4 * 2.5 = 0.5, r² = 49/50; the line misses by -0.1,
// 0.3, -0.3, 0.1 (RMSE sqrt(0.05)), the values themselves by -1, -1, -2, -2 (RMSE
// sqrt(2.5), bias -1.5).
TEST(Calibration, LeastSquaresWorkedByHand) {
  const PairMoments moments = MomentsOf({1, 2, 3, 4}, {2, 3, 5, 6});
  const LineFit fit = FitLine(moments);
  EXPECT_NEAR(fit.slope, 1.4, 1e-15);
  EXPECT_NEAR(fit.intercept, 0.5, 1e-15);
  EXPECT_NEAR(RSquared(moments), 0.98, 1e-15);
  const Residuals after = ResidualsOf(moments, fit);
  EXPECT_NEAR(after.rmse, std::sqrt(0.05), 1e-15);
  EXPECT_NEAR(after.meanBias, 0, 1e-15);
  const Residuals before = ResidualsOf(moments, LineFit{0, 1});
  EXPECT_NEAR(before.rmse, std::sqrt(2.5), 1e-15);
  EXPECT_NEAR(before.meanBias, -1.5, 1e-15);
}

TEST(Calibration, WhyAMethodCannotBeFitted) {
  const struct {
    std::vector<double> x;
    std::string why;
  } cases[] = {
      {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, ""},
      {{1, 2, 3, 4, 5, 6, 7, 8, 9}, "9 pairs with the reference, fewer than 10"},
      {{1}, "1 pair with the reference, fewer than 10"},
      {std::vector<double>(12, 4.25), "its value never varies"},
  };
  for (const auto& c : cases) {
    std::vector<double> y(c.x.size());
    for (std::size_t i = 0; i < y.size(); ++i) y[i] = static_cast<double>(i % 3);
    EXPECT_EQ(WhyNotFitted({kTurc, MomentsOf(c.x, y)}), c.why) << c.x.size();
  }
}

// Twelve days of TMAX, TMIN and sunshine with an observed column; `emptySunshine` rows
// (from the first) have no sunshine reading, `emptyObserved` the row with no observation.
std::string StationFile(int emptySunshine, int emptyObserved, std::string_view coordinates) {
  std::vector<std::string> rows;
  for (int day = 1; day <= 12; ++day) {
    const std::string sunshine = day <= emptySunshine ? "" : std::to_string(6 + day % 5);
    const std::string observed = day == emptyObserved ? "" : std::to_string(3 + (day * 7) % 4) + ".5";
    rows.push_back("01/" + std::string(day < 10 ? "0" : "") + std::to_string(day) + "/2011," +
                   std::to_string(28 + day % 6) + ".5," + std::to_string(14 + day % 4) + ".0," + sunshine + "," +
                   observed);
  }
  return WeatherFile("Date,TMAX,TMIN,SS,Lysim", rows, coordinates);
}

// The pairs of Hargreaves and the observed column, gathered by the run's own engine with
// the row of no observation skipped.
PairMoments ExpectedHargreaves(const TempAppFolder& app, const std::string& name, int emptyObserved) {
  auto computation =
      StationComputation::Open(app.Path("data/PET_DATA/" + name), name, app.Folder(), MissingValues{true, {}});
  EXPECT_TRUE(computation) << computation.error().message;
  std::vector<double> x, y;
  RowTermsMaker terms;
  WeatherRecord record;
  std::vector<double> values;
  for (int day = 1; computation->Next(terms, record, values) == WeatherFileReader::Step::Record; ++day) {
    if (day == emptyObserved) continue;
    x.push_back(values[0]);
    y.push_back(3 + (day * 7) % 4 + 0.5);
  }
  return MomentsOf(x, y);
}

struct TwoStations {
  TempAppFolder app;
  CollectedNotices notices;
  Calibration calibration;

  TwoStations() {
    app.Write("data/PET_DATA/NORTH.csv", StationFile(0, 5, "20.5,78,300"));
    app.Write("data/PET_DATA/SOUTH.csv", StationFile(3, 0, "12.25,76.5,800"));
    calibration = Calibrate(NamesGiven({"NORTH.csv", "SOUTH.csv"}), app.Folder(), {0, "LYSIM"},
                            MissingValues{true, {}}, notices);
  }
};

// Rows with an empty value either side are left out; Turc, fitted at NORTH, has only
// nine pairs at SOUTH and so stays out of the table.
TEST(Calibration, FitsEachStationLeavingOutEmptyValuesAndUnfittableMethods) {
  TwoStations two;
  EXPECT_EQ(testing::Texts(two.notices.shown),
            std::vector<std::string>{"SOUTH: Turc is left out of the table (9 pairs with the reference, fewer than 10)"});
  ASSERT_EQ(two.calibration.stations.size(), 2u);
  EXPECT_EQ(two.calibration.tableMethods, std::vector<int>{kHargreaves});
  const StationCalibration& north = two.calibration.stations[0];
  EXPECT_EQ(north.name, "NORTH");
  EXPECT_EQ(north.latitudeDegrees, 20.5);
  EXPECT_EQ(FindMethod(north, kTurc)->moments.pairs, 11);
  const PairMoments expected = ExpectedHargreaves(two.app, "NORTH.csv", 5);
  const PairMoments& got = FindMethod(north, kHargreaves)->moments;
  EXPECT_EQ(got.pairs, 11);
  EXPECT_NEAR(FitLine(got).slope, FitLine(expected).slope, 1e-12);
  EXPECT_NEAR(FitLine(got).intercept, FitLine(expected).intercept, 1e-12);
  EXPECT_EQ(FindMethod(two.calibration.stations[1], kHargreaves)->moments.pairs, 12);
}

TEST(Calibration, TableReadsBackAsTheGeneratorReadsIt) {
  TwoStations two;
  two.app.Write("support/Coefficients.csv", CoefficientTableText(two.calibration));
  const auto table = ReadCoefficientTable(two.app.Path("support/Coefficients.csv"));
  ASSERT_TRUE(table) << Located(table.error());
  EXPECT_EQ(table->methodNames, std::vector<std::string>{"Hargreaves"});
  EXPECT_EQ(table->latitudesDegrees, (std::vector<double>{20.5, 12.25}));
  for (std::size_t s = 0; s < 2; ++s) {
    const LineFit fit = FitLine(FindMethod(two.calibration.stations[s], kHargreaves)->moments);
    EXPECT_EQ(table->Coefficient(s, 0), fit.intercept);
    EXPECT_EQ(table->Coefficient(s, 1), fit.slope);
  }
  const std::string heads = Lines({"Station,Latitude,Longitude,Hargreaves,", ",,,Intercept,Slope"});
  const std::string text = two.app.Read("support/Coefficients.csv");
  EXPECT_EQ(text.substr(0, heads.size()), heads);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 4);  // no blank line after the last row
}

TEST(Calibration, AnObservedColumnAFileLacksRefusesTheFile) {
  TwoStations two;
  CollectedNotices notices;
  const Calibration calibration =
      Calibrate(NamesGiven({"NORTH.csv"}), two.app.Folder(), {0, "EVAPORATION"}, {}, notices);
  EXPECT_EQ(calibration.refused, 1u);
  EXPECT_EQ(testing::Texts(notices.shown),
            std::vector<std::string>{"data/PET_DATA/NORTH.csv: it has no column 'EVAPORATION' of observed ET; the "
                                     "file is not processed"});
}

// A station of pairs lying exactly on y = intercept + slope x.
StationCalibration OnLine(std::string name, double latitude, double longitude, double intercept, double slope) {
  StationCalibration station{std::move(name), latitude, longitude, PeriodType::Date, {{kHargreaves, {}}}};
  for (double x : {1.0, 2.0, 3.0}) station.methods[0].moments.Add(x, intercept + slope * x);
  return station;
}

// Station A at (0, 0) sees B at distance 1 and C at distance 3: its interpolated
// intercept is (1/1 + 5/3) / (1/1 + 1/3) = 2, its slope (2/1 + 6/3) / (4/3) = 3. Its own
// line is y = x, so adjusted with (2, 3) its values 1, 2, 3 miss by 4, 6, 8.
TEST(CrossValidation, ThreeStationsWithAKnownAnswer) {
  Calibration calibration;
  calibration.stations = {OnLine("A", 0, 0, 0, 1), OnLine("B", 0, 1, 1, 2), OnLine("C", 0, 3, 5, 6)};
  calibration.tableMethods = {kHargreaves};
  const std::vector<CrossValidationRow> rows = CrossValidate(calibration);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].station, "A");
  EXPECT_NEAR(rows[0].interpolated.intercept, 2, 1e-12);
  EXPECT_NEAR(rows[0].interpolated.slope, 3, 1e-12);
  EXPECT_NEAR(rows[0].fitted.slope, 1, 1e-12);
  EXPECT_NEAR(rows[0].rmseFitted, 0, 1e-12);
  EXPECT_NEAR(rows[0].rmseInterpolated, std::sqrt(116.0 / 3), 1e-12);
  // C at (0, 3) sees A at 3 and B at 2: intercept (0/3 + 1/2) / (1/3 + 1/2) = 0.6.
  EXPECT_NEAR(rows[2].interpolated.intercept, 0.6, 1e-12);
}

}  // namespace
}  // namespace sorvane
