// The fast paths of the PET run give exactly what the general ways give.
//
// Each fast path (short decimal fields, dates written mm/dd/yyyy, the rendering of PET
// values, the per-station solar geometry table, the remembered terms of the Penman
// methods and the remembered logarithm of open pan) must not change a single bit of a result. Every test here compares the
// program's function with a reference that is the general way written out plainly,
// over many inputs: every short text of a small alphabet, random texts and numbers,
// halfway cases, every day of the table at many latitudes.
#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "common/field_reader.h"
#include "common/numbers.h"
#include "common/text.h"
#include "methods/methods.h"
#include "methods/solar_geometry.h"
#include "run/row_terms_maker.h"
#include "run/weather_file_reader.h"

namespace sorvane {
namespace {

std::uint64_t Bits(double value) { return std::bit_cast<std::uint64_t>(value); }

// ---------------------------------------------------------------- fields

struct SplitField {
  std::string text;
  FieldReader::End end;
  long line;
  bool operator==(const SplitField&) const = default;
};

std::ostream& operator<<(std::ostream& out, const SplitField& f) {
  return out << "{'" << f.text << "', " << static_cast<int>(f.end) << ", line " << f.line << "}";
}

// The field rules applied to a whole text at once: spaces before a field skipped, a
// quoted field up to its closing quote (spaces after it skipped), an unquoted one up to
// a comma or a line end (CR LF, CR or LF, counted once), one empty field after a
// comma that ends the text.
std::vector<SplitField> ReferenceSplit(std::string_view text) {
  std::vector<SplitField> fields;
  std::size_t i = 0;
  long line = 1;
  bool afterComma = false;
  for (;;) {
    while (i < text.size() && text[i] == ' ') ++i;
    if (i == text.size()) {
      if (afterComma) fields.push_back({"", FieldReader::End::FileEnd, line});
      return fields;
    }
    SplitField field{"", FieldReader::End::FileEnd, line};
    if (text[i] == '"') {
      const std::size_t close = text.find('"', i + 1);
      field.text = std::string(text.substr(i + 1, close - i - 1));
      for (std::size_t k = i + 1; k < close; ++k)
        if (text[k] == '\r' || (text[k] == '\n' && text[k - 1] != '\r')) ++line;
      i = close + 1;
      while (i < text.size() && text[i] == ' ') ++i;
    } else {
      const std::size_t start = i;
      while (i < text.size() && text[i] != ',' && text[i] != '\r' && text[i] != '\n') ++i;
      field.text = std::string(text.substr(start, i - start));
    }
    afterComma = i < text.size() && text[i] == ',';
    if (i == text.size()) {
      field.end = FieldReader::End::FileEnd;
    } else if (afterComma) {
      field.end = FieldReader::End::Comma;
      ++i;
    } else {
      field.end = FieldReader::End::LineEnd;
      ++line;
      i += text.substr(i, 2) == "\r\n" ? 2 : 1;
    }
    fields.push_back(field);
  }
}

std::vector<SplitField> ReadAll(FieldReader& reader) {
  std::vector<SplitField> fields;
  for (auto f = reader.Next(); f.status == FieldReader::Status::Ok; f = reader.Next()) {
    fields.push_back({std::string(f.text), f.end, f.line});
    if (f.end == FieldReader::End::FileEnd) break;
  }
  return fields;
}

// Six texts of random pieces and line ends, each over 700 KiB (more than two blocks of
// the reader), every other one ending in `tail` without a line end; each is read from
// memory and from a file, and `check(text, reader)` tests the reading.
template <typename Check>
void ReadRandomRows(std::uint64_t seed, std::span<const std::string_view> pieces, std::string_view tail,
                    Check check) {
  constexpr std::string_view kEnds[] = {",", ",", ",", "\r\n", "\r", "\n"};
  const auto path = std::filesystem::temp_directory_path() / ("sorvane_fast_paths_" + std::to_string(seed) + ".csv");
  std::mt19937_64 random(seed);
  for (int round = 0; round < 6; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    std::string text;
    while (text.size() < 700 * 1024) {
      text += pieces[random() % pieces.size()];
      text += kEnds[random() % std::size(kEnds)];
    }
    if (round % 2) text += tail;
    FieldReader fromMemory(text);
    check(text, fromMemory);
    std::ofstream(path, std::ios::binary) << text;
    std::string error;
    auto fromFile = FieldReader::Open(path, &error);
    ASSERT_TRUE(fromFile) << error;
    check(text, *fromFile);
  }
  std::filesystem::remove(path);
}

TEST(FastPaths, FieldsReadAsTheRulesSplitThem) {
  const std::string_view pieces[] = {"12.5", "", " 7 ", "01/31/2012", "\"a,b\"", "\"x\r\ny\"", " \"q\"  ",
                                     "\"\"", "abc", "  ", "\"line\rend\""};
  ReadRandomRows(13, pieces, "tail", [](const std::string& text, FieldReader& reader) {
    ASSERT_EQ(ReadAll(reader), ReferenceSplit(text));
  });
}

// ---------------------------------------------------------------- numbers read

void ExpectSameNumber(const std::string& text) {
  const ParsedNumber expected = ParseNumberThroughFromChars(text);
  const ParsedNumber got = ParseNumber(text);
  ASSERT_EQ(got.status, expected.status) << "'" << text << "'";
  ASSERT_EQ(Bits(got.value), Bits(expected.value)) << "'" << text << "'";
}

TEST(FastPaths, EveryShortTextReadsAsFromCharsReadsIt) {
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

TEST(FastPaths, RandomDecimalsReadAsFromCharsReadsThem) {
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

TEST(FastPaths, NumbersAsStationsWriteThemReadAsFromCharsReadsThem) {
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

// A number field as the row reader takes it: in one pass where NextShortNumber can,
// or as a field and then ParseNumber.
struct ReadNumber {
  NumberStatus status;
  std::uint64_t bits;
  bool endsLine;
  long line;
  bool operator==(const ReadNumber&) const = default;
};

std::ostream& operator<<(std::ostream& out, const ReadNumber& n) {
  return out << "{" << static_cast<int>(n.status) << ", " << std::bit_cast<double>(n.bits) << ", "
             << n.endsLine << ", line " << n.line << "}";
}

std::vector<ReadNumber> ReadNumbers(FieldReader& reader, bool onePass) {
  std::vector<ReadNumber> numbers;
  for (;;) {
    const long line = reader.Line();
    if (FieldReader::ShortNumber quick; onePass && reader.NextShortNumber(quick)) {
      numbers.push_back({quick.empty ? NumberStatus::Empty : NumberStatus::Value, Bits(quick.value), quick.endsLine, line});
      continue;
    }
    const auto field = reader.Next();
    if (field.status != FieldReader::Status::Ok) return numbers;
    const ParsedNumber number = ParseNumber(field.text);
    numbers.push_back({number.status, Bits(number.value), field.EndsLine(), field.line});
    if (field.end == FieldReader::End::FileEnd) return numbers;
  }
}

// The one-pass reading of numbers gives what a field and then ParseNumber give.
TEST(FastPaths, NumberFieldsReadInOnePassAsFieldAndNumberReadThem) {
  const std::string_view pieces[] = {"29.6", "-4", " 65 ", ".5", "3.", "+1", "", "  ", "409.5", "409.6", "4095",
                                     "4096", "0.05", "-0", "123456789012345", "1234567890123456", "1e5", "\"7\"",
                                     "- 5", "5 5", "abc", ".", "-", "12.34.5", "  -17.25  ", "1.000000000000001"};
  ReadRandomRows(29, pieces, "4.5", [](const std::string& text, FieldReader& reader) {
    FieldReader reference(text);
    ASSERT_EQ(ReadNumbers(reader, true), ReadNumbers(reference, false));
  });
}

// The table of wholes and tenths holds the quotients that the division gives.
TEST(FastPaths, TheQuotientTableHoldsWhatFromCharsReads) {
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
  // Counts beyond 64 bits took the long way in the program before its fast path was
  // written; the reference keeps to the values whose hundredths fit.
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

TEST(FastPaths, ValuesAreWrittenAsTheirExactHundredths) {
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

// ---------------------------------------------------------------- dates

int DigitsOrMinusOne(std::string_view text, std::size_t most, bool exact) {
  if (text.empty() || text.size() > most || (exact && text.size() != most)) return -1;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return -1;
    value = value * 10 + (c - '0');
  }
  return value;
}

// The general reading of a date: month/day/four-digit year, a day of the calendar.
std::optional<CalendarDate> ReferenceParseDate(std::string_view text) {
  const auto first = text.find('/');
  if (first == std::string_view::npos) return std::nullopt;
  const auto second = text.find('/', first + 1);
  if (second == std::string_view::npos) return std::nullopt;
  const int month = DigitsOrMinusOne(text.substr(0, first), 2, false);
  const int day = DigitsOrMinusOne(text.substr(first + 1, second - first - 1), 2, false);
  const int year = DigitsOrMinusOne(text.substr(second + 1), 4, true);
  if (month < 1 || month > 12 || day < 0 || year < 0) return std::nullopt;
  static constexpr int kDays[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  const int days = month == 2 && leap ? 29 : kDays[month];
  if (day < 1 || day > days) return std::nullopt;
  return CalendarDate{year, month, day};
}

TEST(FastPaths, DatesReadAsTheGeneralReadingReadsThem) {
  std::vector<std::string> texts{"", "/", "//", "1/1/2000", "01/1/2000", "1/01/2000", "01/01/200", "01/01/20000",
                                 "0a/01/2000", "01/0a/2000", "01/01/2a00", "01-01-2000", "01/01/2000 ", " 01/01/2000"};
  for (int year : {0, 1, 1896, 1900, 1999, 2000, 2004, 2100, 2400, 9999})
    for (int month = 0; month <= 13; ++month)
      for (int day = 0; day <= 32; ++day) {
        char text[32];
        char* p = text;
        for (int part : {month, day}) {
          *p++ = static_cast<char>('0' + part / 10);
          *p++ = static_cast<char>('0' + part % 10);
          *p++ = '/';
        }
        for (int divisor : {1000, 100, 10, 1}) *p++ = static_cast<char>('0' + year / divisor % 10);
        texts.emplace_back(text, p);
      }
  std::mt19937_64 random(3);
  constexpr std::string_view kAlphabet = "0123456789/ x";
  for (int i = 0; i < 200000; ++i) {
    std::string text(10, ' ');
    for (char& c : text) c = kAlphabet[random() % kAlphabet.size()];
    texts.push_back(text);
  }
  for (const auto& text : texts) {
    const auto expected = ReferenceParseDate(text);
    const auto got = ParseDate(text);
    ASSERT_EQ(got.has_value(), expected.has_value()) << "'" << text << "'";
    if (got) {
      EXPECT_EQ(got->year, expected->year) << text;
      EXPECT_EQ(got->month, expected->month) << text;
      EXPECT_EQ(got->day, expected->day) << text;
    }
  }
}

// ---------------------------------------------------------------- solar geometry

// The geometry of one day computed from scratch, every term in its written grouping.
SolarGeometry ReferenceGeometry(double phi, double j) {
  SolarGeometry g;
  g.SolarDeclination = 0.4093 * std::sin(6.28 * j / 365 - 1.39);
  g.InverseRelativeDistance = 1 + 0.033 * std::cos(6.28 * j / 365);
  g.SunsetHourAngle = ACos(-std::tan(phi) * std::tan(g.SolarDeclination));
  g.DayLength = (24 / 3.14) * g.SunsetHourAngle;
  g.ExtraterrestrialRadiation =
      (1440 / 3.14) * 0.082 * g.InverseRelativeDistance *
      (g.SunsetHourAngle * std::sin(phi) * std::sin(g.SolarDeclination) +
       std::cos(phi) * std::cos(g.SolarDeclination) * std::sin(g.SunsetHourAngle));
  return g;
}

void ExpectSameGeometry(const SolarGeometry& got, const SolarGeometry& expected, double latitude, double day) {
  EXPECT_EQ(Bits(got.SolarDeclination), Bits(expected.SolarDeclination)) << latitude << " " << day;
  EXPECT_EQ(Bits(got.InverseRelativeDistance), Bits(expected.InverseRelativeDistance)) << latitude << " " << day;
  EXPECT_EQ(Bits(got.SunsetHourAngle), Bits(expected.SunsetHourAngle)) << latitude << " " << day;
  EXPECT_EQ(Bits(got.DayLength), Bits(expected.DayLength)) << latitude << " " << day;
  EXPECT_EQ(Bits(got.ExtraterrestrialRadiation), Bits(expected.ExtraterrestrialRadiation)) << latitude << " " << day;
}

TEST(FastPaths, TheGeometryTableHoldsWhatEachDayComputesFromScratch) {
  for (double latitude = -89.5; latitude <= 89.5; latitude += 0.37) {
    const double phi = LatitudeRadians(latitude);
    const SolarGeometryTable table(phi);
    double total = 0;
    for (int j = 1; j <= 365; ++j) total += ReferenceGeometry(phi, j).DayLength;
    EXPECT_EQ(Bits(table.AnnualDayLengthTotal()), Bits(total)) << latitude;
    for (int j = 1; j <= SolarGeometryTable::kLastDay; ++j) {
      ExpectSameGeometry(table.At(j), ReferenceGeometry(phi, j), latitude, j);
      ExpectSameGeometry(SolarGeometryAt(phi, j), ReferenceGeometry(phi, j), latitude, j);
    }
    for (double j : {0.0, 2.5, 372.0, 400.0, -3.0})
      ExpectSameGeometry(table.At(j), ReferenceGeometry(phi, j), latitude, j);
  }
}

// ---------------------------------------------------------------- remembered method terms

// The two Penman methods written out with every term computed in place.
double ReferenceModifiedPenman(const WeatherRecord& r, const StationHeader& station, const SolarGeometry& g) {
  const double t = r.Tmean + 273.16;
  const double es = std::exp(54.88 - 5.03 * std::log(t) - 6791 / t);
  const double slope = (es / t) * (6791 / t - 5.03);
  const double z = station.Elevation;
  const double pressure = (101.3 - 0.01152 * z + 5.44e-7 * (z * z)) * 10;
  const double gamma = 0.00066 * pressure;
  const double w = slope / (slope + gamma);
  const double rs = SolarRadiation(g.ExtraterrestrialRadiation, r.SS, g.DayLength);
  const double rns = 0.75 * rs;
  const double ed = es * (r.RH1 + r.RH2) / 2 / 100;
  const double rnl = (0.1 + 0.9 * r.SS / g.DayLength) * (4.9e-9 * std::pow(t, 4)) * (0.34 - 0.044 * std::sqrt(ed));
  const double rn = (rns - rnl) * 0.4081632;
  const double windRun = r.WS * 24 * 0.93;
  const double windFunction = 0.27 * (1 + windRun / 100);
  const double daily = w * rn + (1 - w) * windFunction * (es - ed);
  return ClampAtZero(ScaleToPeriod(daily, r));
}

double ReferenceVapourPressure(double celsius) { return 0.611 * std::exp(17.27 * celsius / (celsius + 237.3)); }

double ReferencePenmanMonteith(const WeatherRecord& r, const StationHeader& station, const SolarGeometry& g) {
  const double eMax = ReferenceVapourPressure(r.TMAX);
  const double eMin = ReferenceVapourPressure(r.TMIN);
  const double ea = (eMax * r.RH2 / 100 + eMin * r.RH1 / 100) / 2;
  const double emissivity = 0.34 - 0.14 * std::sqrt(ea);
  const double rs = SolarRadiation(g.ExtraterrestrialRadiation, r.SS, g.DayLength);
  const double rso = (0.75 + 2 * station.Elevation / 100000) * g.ExtraterrestrialRadiation;
  const double tMaxK = r.TMAX + 273.16;
  const double tMinK = r.TMIN + 273.16;
  const double sigmaT = (4.903 * std::pow(tMaxK, 4) / 1e9 + 4.903 * std::pow(tMinK, 4) / 1e9) / 2;
  const double rns = 0.77 * rs;
  const double rnl = sigmaT * emissivity * (1.35 * rs / rso - 0.35);
  const double rn = rns - rnl;
  const double eMean = ReferenceVapourPressure(r.Tmean);
  const double eSat = (eMax + eMin) / 2;
  const double slope = 4098 * eMean / ((r.Tmean + 237.3) * (r.Tmean + 237.3));
  const double u2 = r.WS / 3.6;
  const double denominator = slope + 0.0668 * (1 + 0.34 * u2);
  const double radiationTerm = 0.408 * rn * slope / denominator;
  const double aerodynamicTerm = 0.066 * (900 / (r.Tmean + 273)) * u2 * (eSat - ea) / denominator;
  return ClampAtZero(ScaleToPeriod(radiationTerm + aerodynamicTerm, r));
}

// Open pan with its logarithm computed in place.
double ReferenceOpenPan(const WeatherRecord& r) {
  const double meanHumidity = (r.RH1 + r.RH2) / 2;
  const double u = r.WS * 24 * 0.93;
  const double ln10 = std::log(10.0);
  const double lnU = std::log(u);
  const double kp = 0.61 + 0.00341 * meanHumidity - 1.87e-6 * u * meanHumidity - 1.11e-7 * u * 10 +
                    3.78e-5 * u * ln10 - 3.32e-5 * u * lnU - 0.0106 * ln10 * lnU + 0.00063 * ln10 * ln10 * lnU;
  return ClampAtZero(kp * r.EVP);
}

TEST(FastPaths, RememberedTermsGiveTheSameValues) {
  std::mt19937_64 random(5);
  std::uniform_int_distribution<int> tenths(-300, 550);
  std::uniform_real_distribution<double> anyTemperature(-80, 80), percent(0, 100), wind(0, 40), sunshine(0, 13);
  StationHeader station;
  station.Elevation = 350;
  StationConstants constants;
  constants.LatitudeRadians = LatitudeRadians(14.41);
  const SolarGeometryTable days(constants.LatitudeRadians);
  constants.AnnualDayLengthTotal = days.AnnualDayLengthTotal();
  RowTermsMaker maker;
  for (int i = 0; i < 400000; ++i) {
    WeatherRecord r;
    r.Period = static_cast<PeriodType>(random() % 3);
    r.PeriodNumber = static_cast<double>(1 + random() % 12);
    r.DayOfYear = static_cast<double>(1 + random() % 366);
    // Mostly one decimal, as stations write, so that terms are remembered and found
    // again; some arbitrary doubles, NaN and infinities among them.
    const int kind = static_cast<int>(random() % 50);
    r.TMAX = kind == 0 ? anyTemperature(random) : tenths(random) / 10.0;
    r.TMIN = kind == 1 ? std::nan("") : kind == 2 ? -INFINITY : tenths(random) / 10.0;
    r.RH1 = percent(random);
    r.RH2 = percent(random);
    r.WS = kind == 3 ? std::max(1.6, wind(random)) : std::max(1.6, tenths(random) / 40.0);
    r.EVP = sunshine(random);
    r.SS = sunshine(random);
    r.Tmean = (r.TMAX + r.TMIN) / 2;
    const RowTerms terms = maker.For(r, days);
    const SolarGeometry& g = terms.day;
    ASSERT_EQ(Bits(ModifiedPenman(r, station, constants, terms)), Bits(ReferenceModifiedPenman(r, station, g)))
        << r.TMAX << " " << r.TMIN;
    ASSERT_EQ(Bits(PenmanMonteith(r, station, constants, terms)), Bits(ReferencePenmanMonteith(r, station, g)))
        << r.TMAX << " " << r.TMIN;
    ASSERT_EQ(Bits(OpenPan(r, station, constants, terms)), Bits(ReferenceOpenPan(r))) << r.WS;
  }
}

}  // namespace
}  // namespace sorvane
