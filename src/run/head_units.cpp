#include "run/head_units.h"

#include <array>
#include <charconv>
#include <cmath>

#include "common/text.h"

namespace sorvane {

namespace {

// Temperatures to degrees C. 273.15 K is 0 °C; a step of 1 °F is 5/9 of a degree C.
double CelsiusFromKelvin(double k) { return k - 273.15; }
double CelsiusFromFahrenheit(double f) { return (f - 32) * 5 / 9; }

// Wind to km/h. 1 m/s is 3.6 km/h; the international mile is 1.609344 km and the
// nautical mile 1.852 km, both exact by definition; a wind run is spread over 24 hours.
double KmhFromMetresPerSecond(double v) { return v * 3.6; }
double KmhFromMilesPerHour(double v) { return v * 1.609344; }
double KmhFromKnots(double v) { return v * 1.852; }
double KmhFromKilometresPerDay(double v) { return v / 24; }
double KmhFromMilesPerDay(double v) { return v * 1.609344 / 24; }

double PercentFromFraction(double v) { return v * 100; }
double MillimetresFromInches(double v) { return v * 25.4; }  // exact by definition

// Radiation to MJ m-2 day-1. A daily mean of 1 W/m2 is 86 400 J/m2 over the day; 1 J/cm2
// is 10 000 J/m2; a langley is 1 cal/cm2 with the international calorie of 4.1868 J;
// 1 kWh is 3.6 MJ.
double MegajoulesFromMeanWatts(double v) { return v * 0.0864; }
double MegajoulesFromJoulesPerCm2(double v) { return v / 100; }
double MegajoulesFromKilojoules(double v) { return v / 1000; }
double MegajoulesFromLangleys(double v) { return v * 0.041868; }
double MegajoulesFromKilowattHours(double v) { return v * 3.6; }

enum class Quantity { None, Temperature, Humidity, Wind, Sunshine, PanEvaporation, Radiation };

Quantity QuantityOf(Parameter parameter) {
  switch (parameter) {
    case Parameter::TMAX:
    case Parameter::TMIN:
    case Parameter::TDEW: return Quantity::Temperature;
    case Parameter::RH1:
    case Parameter::RH2:
    case Parameter::RH: return Quantity::Humidity;
    case Parameter::WS: return Quantity::Wind;
    case Parameter::SS: return Quantity::Sunshine;
    case Parameter::EVP: return Quantity::PanEvaporation;
    case Parameter::RS: return Quantity::Radiation;
    case Parameter::None: break;
  }
  return Quantity::None;
}

struct UnitEntry {
  Quantity quantity;
  HeadUnit unit;
  std::array<std::string_view, 7> spellings;  // in the canonical form of CanonicalUnit
};

// The first unit of each quantity is the program's own.
constexpr UnitEntry kUnits[] = {
    {Quantity::Temperature, {"°C", nullptr, "none"}, {"DEGC", "C", "CELSIUS", "DEGREESC", "DEGREEC"}},
    {Quantity::Temperature, {"K", CelsiusFromKelvin, "K - 273.15"}, {"K", "KELVIN"}},
    {Quantity::Temperature,
     {"°F", CelsiusFromFahrenheit, "(F - 32) x 5 / 9"},
     {"DEGF", "F", "FAHRENHEIT", "DEGREESF", "DEGREEF"}},
    {Quantity::Humidity, {"%", nullptr, "none"}, {"%", "PERCENT", "PCT"}},
    {Quantity::Humidity, {"fraction", PercentFromFraction, "x 100"}, {"FRACTION", "0-1", "1"}},
    {Quantity::Wind, {"km/h", nullptr, "none"}, {"KM/H", "KMH-1", "KMH", "KPH", "KM/HR", "KMHR-1"}},
    {Quantity::Wind, {"m/s", KmhFromMetresPerSecond, "x 3.6"}, {"M/S", "MS-1", "MPS", "M/SEC"}},
    {Quantity::Wind, {"mph", KmhFromMilesPerHour, "x 1.609344"}, {"MPH", "MI/H", "MIH-1", "MI/HR"}},
    {Quantity::Wind, {"kn", KmhFromKnots, "x 1.852"}, {"KN", "KT", "KTS", "KNOT", "KNOTS"}},
    {Quantity::Wind,
     {"km/day", KmhFromKilometresPerDay, "/ 24"},
     {"KM/DAY", "KM/D", "KMDAY-1", "KMD-1", "KM"}},
    {Quantity::Wind,
     {"mi/day", KmhFromMilesPerDay, "x 1.609344 / 24"},
     {"MI/DAY", "MI/D", "MIDAY-1", "MID-1", "MILES/DAY", "MI"}},
    {Quantity::Sunshine, {"h", nullptr, "none"}, {"H", "HOURS", "HR", "HRS", "HOUR"}},
    {Quantity::PanEvaporation, {"mm", nullptr, "none"}, {"MM", "MILLIMETRES", "MILLIMETERS"}},
    {Quantity::PanEvaporation, {"in", MillimetresFromInches, "x 25.4"}, {"IN", "INCH", "INCHES", "\""}},
    {Quantity::Radiation,
     {"MJ/m2/day", nullptr, "none"},
     {"MJ/M2/DAY", "MJ/M2/D", "MJM-2DAY-1", "MJM-2D-1", "MJ/M2", "MJM-2", "MJ/DAY/M2"}},
    {Quantity::Radiation, {"W/m2", MegajoulesFromMeanWatts, "x 0.0864 (daily mean)"}, {"W/M2", "WM-2"}},
    {Quantity::Radiation, {"J/cm2", MegajoulesFromJoulesPerCm2, "/ 100"}, {"J/CM2", "JCM-2"}},
    {Quantity::Radiation, {"kJ/m2", MegajoulesFromKilojoules, "/ 1000"}, {"KJ/M2", "KJM-2"}},
    {Quantity::Radiation,
     {"langley", MegajoulesFromLangleys, "x 0.041868"},
     {"LANGLEY", "LANGLEYS", "LY", "CAL/CM2", "CALCM-2"}},
    {Quantity::Radiation, {"kWh/m2", MegajoulesFromKilowattHours, "x 3.6"}, {"KWH/M2", "KWHM-2"}},
};

// Upper-cased, without spaces, dots, carets or middle dots; every degree sign (UTF-8 °
// and º, their Latin-1 bytes) written DEG and every superscript two written 2.
std::string CanonicalUnit(std::string_view text) {
  std::string canonical;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    const unsigned char next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
    if (c == 0xC2 && (next == 0xB0 || next == 0xBA || next == 0xB2 || next == 0xB7)) {
      canonical += next == 0xB2 ? "2" : next == 0xB7 ? "" : "DEG";
      ++i;
    } else if (c == 0xB0 || c == 0xBA) {
      canonical += "DEG";
    } else if (c == 0xB2) {
      canonical += '2';
    } else if (c != ' ' && c != '.' && c != '^' && c != '*' && c != 0xB7) {
      canonical += static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    }
  }
  return canonical;
}

// Radiation is a daily total or mean however its unit ends: "kJ/m2/day" is "kJ/m2".
std::string WithoutPerDay(const std::string& canonical) {
  for (std::string_view suffix : {"/DAY", "/D", "DAY-1", "D-1"})
    if (canonical.size() > suffix.size() && canonical.ends_with(suffix))
      return canonical.substr(0, canonical.size() - suffix.size());
  return canonical;
}

std::optional<HeadUnit> FindUnit(Quantity quantity, const std::string& canonical) {
  for (const UnitEntry& entry : kUnits) {
    if (entry.quantity != quantity) continue;
    for (std::string_view spelling : entry.spellings)
      if (!spelling.empty() && spelling == canonical) return entry.unit;
  }
  return std::nullopt;
}

// The unit of a head that names none: the quantity's first.
std::optional<HeadUnit> ProgramUnitOf(Quantity quantity) {
  for (const UnitEntry& entry : kUnits)
    if (entry.quantity == quantity) return entry.unit;
  return std::nullopt;
}

// "10 m", "10m", "3.5 m" after the "@" or "at" of a wind head.
std::optional<double> HeightText(std::string_view text) {
  text = TrimSpaces(text);
  if (text.ends_with("m") || text.ends_with("M")) text = TrimSpaces(text.substr(0, text.size() - 1));
  double metres = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), metres);
  if (text.empty() || ec != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return metres;
}

// Where the height part of a unit text begins ("@", or "at" as a word), or npos.
std::size_t HeightMark(std::string_view text, std::size_t& markLength) {
  if (const auto at = text.find('@'); at != std::string_view::npos) {
    markLength = 1;
    return at;
  }
  for (std::size_t i = 0; i + 2 <= text.size(); ++i) {
    const bool word = (text[i] == 'a' || text[i] == 'A') && (text[i + 1] == 't' || text[i + 1] == 'T') &&
                      (i == 0 || text[i - 1] == ' ') && (i + 2 == text.size() || text[i + 2] == ' ');
    if (word) {
      markLength = 2;
      return i;
    }
  }
  return std::string_view::npos;
}

}  // namespace

SplitHead SplitHeadText(std::string_view head) {
  SplitHead split;
  head = TrimSpaces(head);
  const std::size_t open = FindEither(head, '(', '[');
  const char close = open == std::string_view::npos ? 0 : (head[open] == '(' ? ')' : ']');
  const std::size_t closeAt = open == std::string_view::npos ? open : head.rfind(close);
  if (open == std::string_view::npos || closeAt == std::string_view::npos || closeAt < open ||
      !TrimSpaces(head.substr(closeAt + 1)).empty()) {
    split.word = NormaliseHead(head);
    return split;
  }
  split.word = NormaliseHead(head.substr(0, open));
  std::string_view inside = TrimSpaces(head.substr(open + 1, closeAt - open - 1));
  std::size_t markLength = 0;
  if (const std::size_t mark = HeightMark(inside, markLength); mark != std::string_view::npos) {
    const std::string_view heightText = inside.substr(mark + markLength);
    split.windHeight = HeightText(heightText);
    if (!split.windHeight) split.problem = "'" + EscapedText(TrimSpaces(heightText)) + "' is no height in metres";
    inside = TrimSpaces(inside.substr(0, mark));
  }
  split.unitText = std::string(inside);
  return split;
}

std::optional<HeadUnit> UnitFor(Parameter parameter, std::string_view unitText) {
  const Quantity quantity = QuantityOf(parameter);
  if (quantity == Quantity::None) return std::nullopt;
  if (TrimSpaces(unitText).empty()) return ProgramUnitOf(quantity);
  const std::string canonical = CanonicalUnit(unitText);
  if (auto unit = FindUnit(quantity, canonical)) return unit;
  if (quantity == Quantity::Radiation && canonical != "W/M2/DAY") return FindUnit(quantity, WithoutPerDay(canonical));
  return std::nullopt;
}

std::string KnownUnitsText(Parameter parameter) {
  const Quantity quantity = QuantityOf(parameter);
  std::string text;
  for (const UnitEntry& entry : kUnits)
    if (entry.quantity == quantity) text += (text.empty() ? "" : ", ") + std::string(entry.unit.name);
  return text;
}

std::string_view ProgramUnit(Parameter parameter) {
  const auto unit = ProgramUnitOf(QuantityOf(parameter));
  return unit ? unit->name : "";
}

}  // namespace sorvane
