// The heat index interpolated from the heat index table, read from memory.
#include "run/heat_index_table.h"

#include <gtest/gtest.h>

#include <optional>
#include <string_view>

namespace sorvane {
namespace {

Expected<double> Interpolate(std::string_view table, double latitude, double longitude) {
  FieldReader reader(table);
  return InterpolateHeatIndex(reader, latitude, longitude);
}

TEST(HeatIndex, WorkedExampleOfThreeGridPoints) {
  const auto i = Interpolate(
      "latitude,longitude,heat index\r\n14.0,78.0,150.5\r\n15.0,79.0,140.2\r\n13.0,77.5,160.0\r\n", 14.41, 78.5);
  ASSERT_TRUE(i) << i.error().message;
  EXPECT_EQ(*i, 148.21);  // weighted mean 148.2114
}

TEST(HeatIndex, WeightedMeanIsTruncatedToHundredths) {
  struct Case {
    const char* name;
    std::string_view table;  // grid points around a station at 14.5, 78.5
    double expected;
  };
  const Case cases[] = {
      // Two points one degree east and west: the mean of their values.
      {"63.4599 gives 63.45", "h\n14.5,77.5,63.4\n14.5,79.5,63.5198\n", 63.45},
      {"63.999 gives 63.99", "h\n14.5,77.5,63.998\n14.5,79.5,64.0\n", 63.99},
      // A single point one degree away.
      {"150.5 gives 150.5", "h\n15.5,78.5,150.5\n", 150.5},
      {"63.457 gives 63.45", "h\n15.5,78.5,63.457\n", 63.45},
      {"64.35 gives 64.35, not 64.34", "h\n15.5,78.5,64.35\n", 64.35},
  };
  for (const Case& c : cases) {
    const auto i = Interpolate(c.table, 14.5, 78.5);
    ASSERT_TRUE(i) << c.name << ": " << i.error().message;
    EXPECT_EQ(*i, c.expected) << c.name;
  }
}

TEST(HeatIndex, FirstLineIsSkippedEvenWhenNumeric) {
  const auto i = Interpolate("14.5,78.5,999\n15.5,78.5,150.5\n", 14.5, 78.5);
  ASSERT_TRUE(i) << i.error().message;
  EXPECT_EQ(*i, 150.5);
}

TEST(HeatIndex, GridPointsAtTheStationGiveTheirMean) {
  const auto i =
      Interpolate("h\n14.41,78.5,100\n15.0,79.0,200\n14.41,78.5,120.5\n", 14.41, 78.5);
  ASSERT_TRUE(i) << i.error().message;
  EXPECT_EQ(*i, 110.25);
}

TEST(HeatIndex, TablesThatCannotBeReadNameTheLine) {
  struct Case {
    const char* name;
    std::string_view table;
    long line;
    std::string_view what;
  };
  const Case cases[] = {
      {"non-numeric field", "h\n14.0,78.0,150.5\n15.0,abc,140.2\n", 3, "field 2 (longitude) 'abc' is not a number"},
      {"row of 2 fields", "h\n14.0,78.0,150.5\n15.0,79.0\n", 3, "a grid point of fewer than 3 fields"},
      {"row of 4 fields", "h\n14.0,78.0,150.5,1\n", 2, "a grid point of more than 3 fields"},
      {"heading only", "latitude,longitude,heat index\r\n", 0, "the heat index table has no grid point"},
      {"empty table", "", 0, "the heat index table has no grid point"},
  };
  for (const Case& c : cases) {
    const auto i = Interpolate(c.table, 14.41, 78.5);
    ASSERT_FALSE(i) << c.name;
    EXPECT_EQ(i.error().line, c.line) << c.name;
    EXPECT_EQ(i.error().message, c.what) << c.name;
  }
}

}  // namespace
}  // namespace sorvane
