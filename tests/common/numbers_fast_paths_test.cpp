// ParseNumber's short decimals and the renderings of PET values and coefficients give,
// bit for bit and character for character, what the general ways (from_chars, to_chars)
// give: every short text of a small alphabet, random decimals, halfway cases.
#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "common/numbers.h"

namespace sorvane {
namespace {

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


}  // namespace
}  // namespace sorvane
