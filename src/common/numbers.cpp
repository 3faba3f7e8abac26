#include "common/numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "common/text.h"

namespace sorvane {

namespace {

// The short decimal fields of most rows (" 65 " included) are read here; anything else
// is left to ParseNumber's general path.
bool ParseShortDecimal(std::string_view field, double& value) {
  const char* p = field.data();
  const char* end = p + field.size();
  while (p < end && *p == ' ') ++p;
  while (end > p && end[-1] == ' ') --end;
  bool negative = false;
  if (p < end && (*p == '-' || *p == '+')) negative = *p++ == '-';
  const char* first = p;
  const char* point = nullptr;
  std::uint64_t digits = 0;  // wraps harmlessly on long texts, which are refused below
  for (; p < end; ++p) {
    const unsigned digit = static_cast<unsigned char>(*p) - unsigned{'0'};
    if (digit <= 9) {
      digits = digits * 10 + digit;
    } else if (*p == '.' && point == nullptr) {
      point = p;
    } else {
      return false;
    }
  }
  const int decimals = point == nullptr ? 0 : static_cast<int>(end - point - 1);
  const int digitCount = static_cast<int>(end - first) - (point == nullptr ? 0 : 1);
  if (digitCount == 0 || digitCount > kMostShortDecimalDigits) return false;
  value = ShortDecimalValue(digits, decimals, negative);
  return true;
}

}  // namespace

ParsedNumber ParseNumber(std::string_view field) {
  if (double quick; ParseShortDecimal(field, quick)) return {NumberStatus::Value, quick};
  return ParseNumberThroughFromChars(field);
}

ParsedNumber ParseNumberThroughFromChars(std::string_view field) {
  std::string_view text = TrimSpaces(field);
  if (text.empty()) return {NumberStatus::Empty, 0};
  bool negative = false;
  if (text.front() == '-' || text.front() == '+') {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  // from_chars takes no sign of its own here, so "--5" and "+-5" stay invalid.
  if (text.empty() || text.front() == '-' || text.front() == '+') return {NumberStatus::Invalid, 0};
  if (text == ".") return {NumberStatus::Value, 0};
  // Only digits, one point and an exponent are numbers; from_chars would also take
  // "inf" and "nan", which no station writes and which must never reach a result.
  if (!(text.front() >= '0' && text.front() <= '9') && text.front() != '.') return {NumberStatus::Invalid, 0};
  double value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc{} || end != text.data() + text.size() || !std::isfinite(value))
    return {NumberStatus::Invalid, 0};
  return {NumberStatus::Value, negative ? -value : value};
}

namespace {

// The value rounded to hundredths as a sign and a whole number of hundredths.
struct Hundredths {
  bool negative = false;
  std::uint64_t count = 0;  // |value| * 100, rounded
  bool fits = false;        // false when the count does not fit (|value| >= 1.8e17)
};

// The rounding of values near a half hundredth or beyond 1e9: to_chars rounds the exact
// value with ties to even.
[[gnu::noinline]] Hundredths RoundThroughText(bool negative, double magnitude) {
  Hundredths h;
  h.negative = negative;
  char buffer[400];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::fixed, 2);
  if (ec != std::errc{}) return h;
  const std::string_view digits(buffer, static_cast<std::size_t>(end - buffer));
  // Up to 19 digits of hundredths fit the counter; longer numbers are written from the text.
  if (digits.size() > 17 + 3) return h;
  std::uint64_t count = 0;
  for (char c : digits)
    if (c != '.') count = count * 10 + static_cast<std::uint64_t>(c - '0');
  h.count = count;
  h.fits = true;
  return h;
}

// Rounds the exact binary value; a product that lands safely away from a half
// hundredth is rounded directly, everything else goes through to_chars.
inline Hundredths RoundToHundredths(double value) {
  const bool negative = std::signbit(value);
  const double magnitude = std::fabs(value);
  if (magnitude < 1e9) {
    const double scaled = magnitude * 100.0;
    // Adding and taking away 2^52 rounds a double below 2^52 to the nearest whole
    // number, ties to even: what nearbyint gives in the default rounding mode, without
    // a call into the maths library.
    const double nearest = (scaled + 0x1p52) - 0x1p52;
    const double distanceToHalf = std::fabs(std::fabs(scaled - nearest) - 0.5);
    // Below 1e11 the product's error (half an ulp, under 1e-5) is far inside this margin.
    if (distanceToHalf > 1e-3) return {negative, static_cast<std::uint64_t>(nearest), true};
  }
  return RoundThroughText(negative, magnitude);
}

// A whole number's digits; the one or two digits of most values without a call.
char* WriteWhole(char* out, std::uint64_t number) {
  if (number < 10) {
    *out = static_cast<char>('0' + number);
    return out + 1;
  }
  if (number < 100) {
    out[0] = static_cast<char>('0' + number / 10);
    out[1] = static_cast<char>('0' + number % 10);
    return out + 2;
  }
  return std::to_chars(out, out + 20, number).ptr;
}

// Huge values (beyond 1e17) are written from to_chars's own text.
char* WriteHuge(char* out, double value, bool dropTrailingZeros, bool loneZero) {
  char buffer[kMostValueChars];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
  (void)ec;
  const std::string_view text(buffer, static_cast<std::size_t>(end - buffer));
  const auto point = text.find('.');
  std::string_view decimals = text.substr(point + 1);
  if (dropTrailingZeros) {
    while (!decimals.empty() && decimals.back() == '0') decimals.remove_suffix(1);
  } else if (loneZero && decimals == "00") {
    decimals = "0";
  }
  out = std::copy_n(text.data(), point + 1, out);
  return std::copy(decimals.begin(), decimals.end(), out);
}

enum class DecimalStyle { PetValue, TwoPlace };

char* WriteHundredths(char* out, double value, DecimalStyle style) {
  const Hundredths h = RoundToHundredths(value);
  if (!h.fits) return WriteHuge(out, value, style == DecimalStyle::TwoPlace, style == DecimalStyle::PetValue);
  if (h.negative && h.count != 0) *out++ = '-';
  const std::uint64_t whole = h.count / 100;
  const unsigned decimals = static_cast<unsigned>(h.count % 100);
  if (whole != 0) out = WriteWhole(out, whole);
  *out++ = '.';
  const char tens = static_cast<char>('0' + decimals / 10);
  const char units = static_cast<char>('0' + decimals % 10);
  if (style == DecimalStyle::PetValue) {
    *out++ = tens;
    if (decimals != 0) *out++ = units;
  } else if (units != '0') {
    *out++ = tens;
    *out++ = units;
  } else if (tens != '0') {
    *out++ = tens;
  }
  return out;
}

}  // namespace

char* WriteAnyPetValue(char* out, double value) { return WriteHundredths(out, value, DecimalStyle::PetValue); }

void AppendPetValue(std::string& out, double value) {
  char buffer[kMostValueChars];
  out.append(buffer, WritePetValue(buffer, value));
}

void AppendTwoPlace(std::string& out, double value) {
  char buffer[kMostValueChars];
  out.append(buffer, WriteHundredths(buffer, value, DecimalStyle::TwoPlace));
}

void AppendPeriodNumber(std::string& out, double value) {
  char buffer[400];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  (void)ec;
  std::string_view text(buffer, static_cast<std::size_t>(end - buffer));
  if (text == "-0") text = "0";
  if (text.front() != '-') out.push_back(' ');
  out.append(text);
  out.push_back(' ');
}

std::string ShortestText(double value) {
  char buffer[400];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  (void)ec;
  const std::string_view text(buffer, static_cast<std::size_t>(end - buffer));
  return text == "-0" ? std::string("0") : std::string(text);
}

}  // namespace sorvane
