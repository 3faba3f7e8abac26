#include "common/numbers.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <random>

namespace sorvane {
namespace {

struct Rendering {
  double value;
  const char* written;
};

TEST(PetValueText, RenderingTableOfTheResultFile) {
  const Rendering cases[] = {
      {4.567, "4.57"}, {2.5, "2.50"}, {3.05, "3.05"}, {3, "3.0"},   {0.37, ".37"},      {0.5, ".50"},
      {0.006, ".01"},  {0.004, ".0"}, {0, ".0"},      {123.456, "123.46"}, {10, "10.0"},
  };
  for (const auto& c : cases) EXPECT_EQ(PetValueText(c.value), c.written) << c.value;
}

TEST(PetValueText, RoundsTheExactBinaryValueWithTiesToEven) {
  const Rendering cases[] = {
      {2.675, "2.67"},     // the double lies below 2.675
      {0.125, ".12"},      // an exact tie goes to the even hundredth
      {0.375, ".38"},      // an exact tie goes to the even hundredth
      {0.045, ".04"},      // the double lies below 0.045
      {-0.0, ".0"},        // no value carries a sign
      {12345678.9, "12345678.90"},
      {1e20, "100000000000000000000.0"},
      {1.9e17, "190000000000000000.0"},  // too many hundredths for a 64-bit counter
      {9e18, "9000000000000000000.0"},
  };
  for (const auto& c : cases) EXPECT_EQ(PetValueText(c.value), c.written) << c.value;
}

// The quick path must round exactly as to_chars does, also next to half hundredths.
TEST(PetValueText, AgreesWithToCharsOnRandomAndNearTieValues) {
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> magnitude(0, 5000);
  for (int i = 0; i < 200000; ++i) {
    double value = magnitude(random);
    if (i % 2 == 0) value = std::round(value * 100) / 100 + 0.005;  // next to a tie
    if (i % 3 == 0) value = std::nextafter(value, i % 6 == 0 ? 0.0 : 1e9);
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2).ptr;
    std::string expected(buffer, end);
    if (expected.starts_with("0")) expected.erase(0, 1);
    if (expected.ends_with(".00")) expected.resize(expected.size() - 1);
    ASSERT_EQ(PetValueText(value), expected) << std::hexfloat << value;
  }
}

TEST(PeriodNumberText, SpacesAroundTheShortestForm) {
  const Rendering cases[] = {{1, " 1 "}, {7, " 7 "}, {12, " 12 "}, {2.5, " 2.5 "}, {-3, "-3 "}, {53, " 53 "}};
  for (const auto& c : cases) {
    std::string text;
    AppendPeriodNumber(text, c.value);
    EXPECT_EQ(text, c.written) << c.value;
  }
}

TEST(ParseNumber, ReadsTheFormsThisProgramWritesAndRefusesTheRest) {
  struct Case {
    const char* field;
    NumberStatus status;
    double value;
  };
  const Case cases[] = {
      {"29.6", NumberStatus::Value, 29.6},   {"  8.5 ", NumberStatus::Value, 8.5},
      {"3.", NumberStatus::Value, 3},        {".5", NumberStatus::Value, 0.5},
      {".", NumberStatus::Value, 0},         {"-.25", NumberStatus::Value, -0.25},
      {".0", NumberStatus::Value, 0},        {"+5", NumberStatus::Value, 5},
      {"1e3", NumberStatus::Value, 1000},    {"-99", NumberStatus::Value, -99},
      {"", NumberStatus::Empty, 0},          {"    ", NumberStatus::Empty, 0},
      {"abc", NumberStatus::Invalid, 0},     {"29,6", NumberStatus::Invalid, 0},
      {"1 5", NumberStatus::Invalid, 0},     {"nan", NumberStatus::Invalid, 0},
      {"inf", NumberStatus::Invalid, 0},     {"-inf", NumberStatus::Invalid, 0},
      {"1e999", NumberStatus::Invalid, 0},   {"--5", NumberStatus::Invalid, 0},
      {"0x10", NumberStatus::Invalid, 0},    {"-", NumberStatus::Invalid, 0},
      {"12abc", NumberStatus::Invalid, 0},
  };
  for (const auto& c : cases) {
    const ParsedNumber parsed = ParseNumber(c.field);
    EXPECT_EQ(parsed.status, c.status) << "'" << c.field << "'";
    EXPECT_EQ(parsed.value, c.value) << "'" << c.field << "'";
  }
  EXPECT_EQ(ParseNumber(std::string_view("29.6\0", 5)).status, NumberStatus::Invalid);
}

TEST(ParseNumber, ReadsBackEveryRenderedValue) {
  for (double value : {0.0, 0.004, 0.37, 3.0, 4.567, 123.456, 17.41, -0.25, -2.675}) {
    EXPECT_NEAR(ParseNumber(PetValueText(std::fabs(value))).value, std::fabs(value), 0.005) << value;
    EXPECT_NEAR(ParseNumber(TwoPlaceText(value)).value, value, 0.005) << value;
  }
}

}  // namespace
}  // namespace sorvane
