// Inverse-distance weighting over the reference rows.
#include "coefficients/interpolation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "common/numbers.h"

namespace sorvane {
namespace {

struct ReferenceRow {
  double latitude, longitude;
  std::vector<double> coefficients;  // 2N
};

CoefficientTable TableOf(std::size_t methods, const std::vector<ReferenceRow>& rows) {
  CoefficientTable table;
  for (std::size_t k = 0; k < methods; ++k) table.methodNames.push_back("M" + std::to_string(k + 1));
  for (const auto& row : rows) {
    table.latitudesDegrees.push_back(row.latitude);
    table.longitudesDegrees.push_back(row.longitude);
    table.coefficients.insert(table.coefficients.end(), row.coefficients.begin(), row.coefficients.end());
  }
  return table;
}

double ValueAt(const CoefficientTable& table, double latitude, double longitude, std::size_t column) {
  StationDistances distances;
  std::size_t coincident = 0;
  EXPECT_TRUE(DistancesFrom(table, latitude, longitude, distances, coincident));
  return InterpolatedValue(table, distances, column);
}

// Two reference rows at distances 1 and 3 from the station, with intercepts 10 and
// 20: (10 / 1 + 20 / 3) / (1 / 1 + 1 / 3) = 12.5.
TEST(Interpolation, WorkedExampleOfDistancesOneAndThree) {
  const CoefficientTable table = TableOf(1, {{1, 0, {10, 0.5}}, {0, 3, {20, 0.5}}});
  const double intercept = ValueAt(table, 0, 0, 0);
  EXPECT_DOUBLE_EQ(intercept, 12.5);
  EXPECT_EQ(TwoPlaceText(intercept), "12.5");
  EXPECT_DOUBLE_EQ(ValueAt(table, 0, 0, 1), 0.5);
}

TEST(Interpolation, ASingleReferenceRowGivesItsOwnValues) {
  const CoefficientTable table = TableOf(2, {{20, 80, {1.2, 0.85, -0.5, 1}}});
  const double expected[] = {1.2, 0.85, -0.5, 1};
  for (std::size_t column = 0; column < 4; ++column)
    EXPECT_DOUBLE_EQ(ValueAt(table, 17.41, 85.03, column), expected[column]) << column;
}

TEST(Interpolation, DistanceIsInPlainDegreesWithoutScalingLongitude) {
  // At latitude 60 a degree of longitude is half a degree of latitude on the ground;
  // here both rows are one degree away, so they weigh the same.
  const CoefficientTable table = TableOf(1, {{61, 10, {1, 0}}, {60, 11, {3, 0}}});
  EXPECT_DOUBLE_EQ(ValueAt(table, 60, 10, 0), 2);
}

TEST(Interpolation, BothCoordinatesEqualToAReferenceRowAreFoundWithThatRow) {
  const CoefficientTable table = TableOf(1, {{10, 70, {1, 1}}, {14.41, 77.37, {2, 2}}, {14.41, 77.37, {3, 3}}});
  StationDistances distances;
  std::size_t coincident = 99;
  EXPECT_FALSE(DistancesFrom(table, 14.41, 77.37, distances, coincident));
  EXPECT_EQ(coincident, 1u);
}

TEST(Interpolation, OneEqualCoordinateIsNoCoincidence) {
  const CoefficientTable table = TableOf(1, {{14.41, 70, {1, 1}}, {10, 77.37, {3, 3}}});
  StationDistances distances;
  std::size_t coincident = 0;
  EXPECT_TRUE(DistancesFrom(table, 14.41, 77.37, distances, coincident));
  EXPECT_TRUE(std::isfinite(InterpolatedValue(table, distances, 0)));
}

// Sharing the distances across columns gives the digits of the computation done for
// each column on its own: for each row in table order, 1/d added to W and c/d to V.
TEST(Interpolation, SharedDistancesGiveTheSameNumbersAsEachColumnOnItsOwn) {
  std::mt19937 random(12345);
  std::uniform_real_distribution<double> latitude(8, 30), longitude(68, 95), coefficient(-1, 1.3);
  std::vector<ReferenceRow> rows(300);
  for (auto& row : rows) {
    row = {latitude(random), longitude(random), {}};
    for (int j = 0; j < 16; ++j) row.coefficients.push_back(coefficient(random));
  }
  const CoefficientTable table = TableOf(8, rows);
  for (int station = 0; station < 20; ++station) {
    const double lat = latitude(random), lon = longitude(random);
    StationDistances distances;
    std::size_t coincident = 0;
    ASSERT_TRUE(DistancesFrom(table, lat, lon, distances, coincident));
    for (std::size_t column = 0; column < 16; ++column) {
      double w = 0, v = 0;
      for (const auto& row : rows) {
        const double d =
            std::sqrt((lat - row.latitude) * (lat - row.latitude) + (lon - row.longitude) * (lon - row.longitude));
        w += 1 / d;
        v += row.coefficients[column] / d;
      }
      EXPECT_EQ(InterpolatedValue(table, distances, column), v / w) << station << " " << column;
    }
  }
}

}  // namespace
}  // namespace sorvane
