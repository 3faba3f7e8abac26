#include "common/numbers.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <random>
#include <bit>
#include <cstdint>
#include <string>
#include <vector>

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


std::uint64_t Bits(double value) { return std::bit_cast<std::uint64_t>(value); }

void ExpectSameNumber(const std::string& text) {
  const ParsedNumber expected = ParseNumberThroughFromChars(text);
  const ParsedNumber got = ParseNumber(text);
  ASSERT_EQ(got.status, expected.status) << "'" << text << "'";
  ASSERT_EQ(Bits(got.value), Bits(expected.value)) << "'" << text << "'";
}

TEST(NumbersFastPath, EveryShortTextReadsAsFromCharsReadsIt) {
  constexpr std::string_view kAlphabet = "019.-+ e";
  std::vector<std::string> texts{""};
  for (int length = 1; length <= 6; ++length) {
    std::vector<std::string> longer;
    for (const auto& text : texts)
      if (static_cast<int>(text.size()) == length - 1)
        for (char c : kAlphabet) longer.push_back(text + c);
    for (const auto& text : longer) ExpectSameNumber(text);
    texts.insert(texts.end(), longer.begin(), longer.end());
  }
}

TEST(NumbersFastPath, RandomDecimalsReadAsFromCharsReadsThem) {
  std::mt19937_64 random(20261209);
  for (int i = 0; i < 300000; ++i) {
    const int digitCount = 1 + static_cast<int>(random() % 22);  // beyond the 15 of the fast path too
    std::string digits;
    for (int d = 0; d < digitCount; ++d) digits.push_back(static_cast<char>('0' + random() % 10));
    const std::size_t point = random() % (digits.size() + 2);  // past the end: no point
    if (point <= digits.size()) digits.insert(point, ".");
    const char* signs[] = {"", "", "-", "+"};
    const char* spaces[] = {"", "", " ", "  "};
    ExpectSameNumber(std::string(spaces[random() % 4]) + signs[random() % 4] + digits + spaces[random() % 4]);
  }
}

TEST(NumbersFastPath, NumbersAsStationsWriteThemReadAsFromCharsReadsThem) {
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> values(-60, 400);
  for (int i = 0; i < 200000; ++i) {
    const double value = values(random);
    for (int decimals : {0, 1, 2, 3, 6, 15, 17}) {
      char buffer[64];
      const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals).ptr;
      ExpectSameNumber(std::string(buffer, end));
    }
  }
}
// The table of wholes and tenths holds the quotients that the division gives.
TEST(NumbersFastPath, TheQuotientTableHoldsWhatFromCharsReads) {
  for (std::size_t i = 0; i < kQuotientTableSize; ++i) {
    for (int decimals : {0, 1}) {
      std::string text = std::to_string(i);
      if (decimals == 1) text.insert(text.size() - 1, ".");
      double expected = 0;
      std::from_chars(text.data(), text.data() + text.size(), expected);
      ASSERT_EQ(Bits(ShortDecimalValue(i, decimals, false)), Bits(expected)) << text;
      ASSERT_EQ(Bits(ShortDecimalValue(i, decimals, true)), Bits(-expected)) << text;
    }
  }
}

// ---------------------------------------------------------------- values written

// The general rendering: the exact value rounded to hundredths with ties to even (by
// to_chars wherever a product with 100 could land near a half), written digit by digit.
std::string ReferenceHundredths(double value, bool petValue) {
  const bool negative = std::signbit(value);
  const double magnitude = std::fabs(value);
  char buffer[400];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::fixed, 2).ptr;
  std::string text(buffer, end);
  const auto point = text.find('.');
  std::string whole = text.substr(0, point);
  std::string decimals = text.substr(point + 1);
  const bool zero = whole.find_first_not_of('0') == std::string::npos && decimals == "00";
  // Both renderings leave out a whole part of 0 (".37").
  if (whole == "0") whole.clear();
  std::string out = (negative && !zero) ? "-" : "";
  out += whole + ".";
  if (petValue) {
    out += decimals[1] == '0' && decimals[0] == '0' ? "0" : decimals;
  } else {
    while (!decimals.empty() && decimals.back() == '0') decimals.pop_back();
    out += decimals;
  }
  return out;
}

TEST(NumbersFastPath, ValuesAreWrittenAsTheirExactHundredths) {
  std::mt19937_64 random(11);
  std::vector<double> values{0.0, -0.0, 0.004, 0.005, 0.006, 0.015, 0.025, 2.675, 1.005, 9.995, 99.995, 100.0,
                             999.999, 1e9 - 0.005, 1e9, 1e9 + 0.5, 123456789012.345, 1e16, 1e-300};
  std::uniform_real_distribution<double> small(0, 20), monthly(0, 600);
  std::uniform_int_distribution<long> hundredths(0, 2000000);
  for (int i = 0; i < 300000; ++i) {
    values.push_back(small(random));
    values.push_back(monthly(random));
    // Halfway between two hundredths in decimal, and the doubles right beside it.
    const double half = (static_cast<double>(hundredths(random)) + 0.5) / 100;
    values.push_back(half);
    values.push_back(std::nextafter(half, 0.0));
    values.push_back(std::nextafter(half, 1e300));
    values.push_back(-small(random));
    values.push_back(std::ldexp(small(random), static_cast<int>(random() % 53)));  // up to 1e17
  }
  for (double value : values) {
    ASSERT_EQ(PetValueText(value), ReferenceHundredths(value, true)) << value;
    ASSERT_EQ(TwoPlaceText(value), ReferenceHundredths(value, false)) << value;
  }
}

// The rendering table of the coefficient file's description.
constexpr Rendering kTable[] = {
    {17.41, "17.41"}, {4.567, "4.57"}, {2.5, "2.5"},    {3, "3."},           {0.37, ".37"},
    {0.004, "."},     {0, "."},        {-0.25, "-.25"}, {123.456, "123.46"}, {17.4, "17.4"},
    {85, "85."},      {0.5, ".5"},     {-1, "-1."},
};

TEST(TwoPlaceText, RenderingTable) {
  for (const auto& c : kTable) EXPECT_EQ(TwoPlaceText(c.value), c.written) << c.value;
}

// Rounding is of the double's exact binary value, exact ties to even; a negative value
// that rounds to zero loses its sign.
constexpr Rendering kChosenRounding[] = {
    {0.125, ".12"},   // an exact tie: to the even hundredth
    {0.375, ".38"},   // an exact tie: to the even hundredth
    {2.675, "2.67"},  // the nearest double lies below 2.675
    {-2.675, "-2.67"},
    {1.005, "1."},    // the nearest double lies below 1.005
    {-0.004, "."},    // rounds to zero: no "-"
    {-0.5, "-.5"},    // negative values keep their "-"
    {-12.3, "-12.3"},
    {100000.0, "100000."},  // every digit of the integer part
};

TEST(TwoPlaceText, RoundsTheExactValueTiesToEvenAndDropsTheSignOfZero) {
  for (const auto& c : kChosenRounding) EXPECT_EQ(TwoPlaceText(c.value), c.written) << c.value;
}

TEST(TwoPlaceText, WrittenFormsReadBackAsNumbers) {
  struct ReadBack {
    const char* text;
    double value;
  };
  // TwoPlaceText's forms, and the PET result file's ".0" and ".37".
  constexpr ReadBack kForms[] = {{"3.", 3}, {".", 0}, {"-.25", -0.25}, {".0", 0}, {".37", 0.37}, {"17.41", 17.41}};
  for (const auto& form : kForms) {
    const ParsedNumber parsed = ParseNumber(form.text);
    EXPECT_EQ(parsed.status, NumberStatus::Value) << form.text;
    EXPECT_EQ(parsed.value, form.value) << form.text;
  }
}

}  // namespace
}  // namespace sorvane
