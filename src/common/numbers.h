// Reading and writing numbers the same way on every machine, whatever its locale:
// only std::from_chars, std::to_chars and plain integer arithmetic touch digits here.
#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace sorvane {

enum class NumberStatus { Value, Empty, Invalid };

struct ParsedNumber {
  NumberStatus status = NumberStatus::Empty;
  double value = 0;  // 0 for an empty field, as the formats say
};

// The short decimal texts that stations write ("29.6", "-4", ".5", "3."): a sign, at
// most this many digits and one point, no exponent. Their digits taken as a whole number
// and the power of ten of their decimals are both exact doubles, so the one correctly
// rounded division gives exactly the double that from_chars gives for the text
// (Clinger's fast path).
inline constexpr int kMostShortDecimalDigits = 15;  // below 10^15 < 2^53 every whole number is a double exactly

// Every power of ten up to 10^15 is a double exactly.
inline constexpr double kExactPowersOfTen[kMostShortDecimalDigits + 1] = {
    1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// The quotients of the commonest short decimals, whole numbers and tenths below 409.6,
// made by the very division ShortDecimalValue does: most fields are read without one.
inline constexpr std::size_t kQuotientTableSize = 4096;
inline constexpr auto kWholesAndTenths = [] {
  std::array<std::array<double, kQuotientTableSize>, 2> table{};
  for (std::size_t decimals = 0; decimals < 2; ++decimals)
    for (std::size_t i = 0; i < kQuotientTableSize; ++i)
      table[decimals][i] = static_cast<double>(static_cast<std::int64_t>(i)) / kExactPowersOfTen[decimals];
  return table;
}();
static_assert(kWholesAndTenths[1][296] == 29.6 && kWholesAndTenths[0][65] == 65.0);

inline double ShortDecimalValue(std::uint64_t digits, int decimals, bool negative) {
  const double magnitude = decimals < 2 && digits < kQuotientTableSize
                               ? kWholesAndTenths[static_cast<std::size_t>(decimals)][digits]
                               : static_cast<double>(static_cast<std::int64_t>(digits)) / kExactPowersOfTen[decimals];
  return negative ? -magnitude : magnitude;
}

// A field's number: spaces around it are ignored, "." is the decimal point, and the
// forms this program writes read back ("3." is 3, ".5" is 0.5, "." is 0, "-.25").
// Texts that are not a finite number ("abc", "1,5", "nan", "inf", "1e999") are Invalid.
ParsedNumber ParseNumber(std::string_view field);

// ParseNumber's general way, which every field that is no short decimal takes: trimmed,
// one sign, then from_chars. The fast paths are checked against it.
ParsedNumber ParseNumberThroughFromChars(std::string_view field);

// The PET result rendering "#######.#0": two decimals of the double's exact value
// (ties to even), no leading zero, a lone "0" after the point when both decimals are
// zero, and never a sign on a zero (4.567 -> 4.57, 3 -> 3.0, 0.37 -> .37, 0 -> .0).
void AppendPetValue(std::string& out, double value);

// The most characters a rendered value takes: the 309 digits of the largest double, a
// sign, the point and two decimals.
inline constexpr std::size_t kMostValueChars = 320;

// AppendPetValue into `out`, which has room for kMostValueChars; the end of the text.
char* WriteAnyPetValue(char* out, double value);

// "00", "01", ... "99" one after another: two digits of a number below 100 at once.
inline constexpr auto kDigitPairs = [] {
  std::array<char, 200> pairs{};
  for (std::size_t n = 0; n < 100; ++n) {
    pairs[2 * n] = static_cast<char>('0' + n / 10);
    pairs[2 * n + 1] = static_cast<char>('0' + n % 10);
  }
  return pairs;
}();

// WriteAnyPetValue with the values of most rows written here, inline: from 0 to below
// 100 and not within a thousandth of a hundredth of a half (where only the exact
// binary value can say which way to round). It gives the very same text.
inline char* WritePetValue(char* out, double value) {
  const double scaled = value * 100.0;
  if (scaled >= 0 && scaled < 9999.5) {  // 99.995 and above would round to 100.00
    // Adding and taking away 2^52 rounds to the nearest whole number, ties to even.
    const double nearest = (scaled + 0x1p52) - 0x1p52;
    if (std::fabs(std::fabs(scaled - nearest) - 0.5) > 1e-3) {
      const auto count = static_cast<unsigned>(nearest);  // hundredths, below 10 000
      const char* whole = &kDigitPairs[2 * (count / 100)];
      const unsigned decimals = count % 100;
      if (count >= 1000) *out++ = whole[0];
      if (count >= 100) *out++ = whole[1];
      *out++ = '.';
      *out++ = kDigitPairs[2 * decimals];
      if (decimals != 0) *out++ = kDigitPairs[2 * decimals + 1];
      return out;
    }
  }
  return WriteAnyPetValue(out, value);
}

// The coefficient rendering "#####.##": as above, but trailing zero decimals are
// dropped and negative values keep their "-" (3 -> 3., 2.5 -> 2.5, -0.25 -> -.25,
// 0 -> ., -0.004 -> .).
void AppendTwoPlace(std::string& out, double value);

// The weekly or monthly PeriodNumber: a space, the shortest decimal form, a space
// (7 -> " 7 ", 2.5 -> " 2.5 "); a negative number takes "-" in place of the first space.
void AppendPeriodNumber(std::string& out, double value);

// The shortest decimal form that reads back as the same double, for messages that quote
// a value (7, 2.5, -0.25, 13.2); "-0" is written 0.
std::string ShortestText(double value);

inline std::string PetValueText(double value) { std::string s; AppendPetValue(s, value); return s; }
inline std::string TwoPlaceText(double value) { std::string s; AppendTwoPlace(s, value); return s; }

}  // namespace sorvane
