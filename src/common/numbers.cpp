#include "common/numbers.h"

#include <charconv>
#include <cmath>
#include <cstdint>

#include "common/text.h"

namespace sorvane {

ParsedNumber ParseNumber(std::string_view field) {
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

// Rounds the exact binary value; a product that lands safely away from a half
// hundredth is rounded directly, everything else goes through to_chars, which rounds
// the exact value with ties to even.
Hundredths RoundToHundredths(double value) {
  Hundredths h;
  h.negative = std::signbit(value);
  const double magnitude = std::fabs(value);
  if (magnitude < 1e9) {
    const double scaled = magnitude * 100.0;
    const double nearest = std::nearbyint(scaled);
    const double distanceToHalf = std::fabs(std::fabs(scaled - nearest) - 0.5);
    // Below 1e11 the product's error (half an ulp, under 1e-5) is far inside this margin.
    if (distanceToHalf > 1e-3) {
      h.count = static_cast<std::uint64_t>(nearest);
      h.fits = true;
      return h;
    }
  }
  char buffer[400];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::fixed, 2);
  if (ec != std::errc{}) return h;
  const std::string_view digits(buffer, static_cast<std::size_t>(end - buffer));
  if (digits.size() > 19 + 3) return h;  // too many digits for the counter; written from the text
  std::uint64_t count = 0;
  for (char c : digits)
    if (c != '.') count = count * 10 + static_cast<std::uint64_t>(c - '0');
  h.count = count;
  h.fits = true;
  return h;
}

void AppendUnsigned(std::string& out, std::uint64_t number) {
  char buffer[24];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, number);
  (void)ec;
  out.append(buffer, end);
}

// Huge values (beyond 1e17) are written from to_chars's own text.
void AppendHuge(std::string& out, double value, bool dropTrailingZeros, bool loneZero) {
  char buffer[400];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
  (void)ec;
  std::string_view text(buffer, static_cast<std::size_t>(end - buffer));
  const auto point = text.find('.');
  out.append(text.substr(0, point + 1));
  std::string_view decimals = text.substr(point + 1);
  if (dropTrailingZeros) {
    while (!decimals.empty() && decimals.back() == '0') decimals.remove_suffix(1);
  } else if (loneZero && decimals == "00") {
    decimals = "0";
  }
  out.append(decimals);
}

enum class DecimalStyle { PetValue, TwoPlace };

void AppendHundredths(std::string& out, double value, DecimalStyle style) {
  const Hundredths h = RoundToHundredths(value);
  if (!h.fits) {
    AppendHuge(out, value, style == DecimalStyle::TwoPlace, style == DecimalStyle::PetValue);
    return;
  }
  if (h.negative && h.count != 0) out.push_back('-');
  const std::uint64_t whole = h.count / 100;
  const unsigned decimals = static_cast<unsigned>(h.count % 100);
  if (whole != 0) AppendUnsigned(out, whole);
  out.push_back('.');
  const char tens = static_cast<char>('0' + decimals / 10);
  const char units = static_cast<char>('0' + decimals % 10);
  if (style == DecimalStyle::PetValue) {
    out.push_back(tens);
    if (decimals != 0) out.push_back(units);
  } else if (units != '0') {
    out.push_back(tens);
    out.push_back(units);
  } else if (tens != '0') {
    out.push_back(tens);
  }
}

}  // namespace

void AppendPetValue(std::string& out, double value) { AppendHundredths(out, value, DecimalStyle::PetValue); }

void AppendTwoPlace(std::string& out, double value) { AppendHundredths(out, value, DecimalStyle::TwoPlace); }

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

}  // namespace sorvane
