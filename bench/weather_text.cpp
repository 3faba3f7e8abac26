// Plausible values for a tropical station (the heat index grid covers 8..30 N, 68..96 E):
// a seasonal temperature cycle hottest in May, humidity, wind, sunshine and pan
// evaporation in their usual ranges, all with one decimal as stations write them.
// Every value comes from a counter hash seeded by (seed, file number) and whole-number
// arithmetic, so the text is fixed by the recipe alone, on any machine.
#include "weather_text.h"

#include <algorithm>
#include <charconv>

#include "common/calendar.h"

namespace sorvane::bench {

namespace {

// SplitMix64: a small generator whose sequence is fixed by its seed.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // A whole number in [low, high].
  long Between(long low, long high) {
    return low + static_cast<long>(Next() % static_cast<std::uint64_t>(high - low + 1));
  }

 private:
  std::uint64_t state_;
};

// A number of tenths written as a station would: "29.6", "4", "-0.5".
void AppendTenths(std::string& out, long tenths) {
  if (tenths < 0) {
    out.push_back('-');
    tenths = -tenths;
  }
  char buffer[24];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, tenths / 10);
  (void)ec;
  out.append(buffer, end);
  if (tenths % 10 != 0) {
    out.push_back('.');
    out.push_back(static_cast<char>('0' + tenths % 10));
  }
}

// A whole number with leading zeros up to `width` digits.
void AppendPadded(std::string& out, std::uint64_t number, int width) {
  char buffer[24];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, number);
  (void)ec;
  for (int pad = width - static_cast<int>(end - buffer); pad > 0; --pad) out.push_back('0');
  out.append(buffer, end);
}

// Years run from 1901 to 2100 and start again, so any number of rows keeps the
// four-digit years the format asks for.
constexpr int kFirstYear = 1901;
constexpr int kLastYear = 2100;

int FollowingYear(int year) { return year == kLastYear ? kFirstYear : year + 1; }

struct Calendar {
  int year = kFirstYear, month = 1, day = 1;
  int dayOfYear = 1;
  void NextDay() {
    ++dayOfYear;
    if (++day <= DaysInMonth(year, month)) return;
    day = 1;
    if (++month <= 12) return;
    month = 1;
    dayOfYear = 1;
    year = FollowingYear(year);
  }
};

// The season of a day, from 1000 on the hottest day (mid-May, day 136) down to -1000 half
// a year later: a triangle wave in whole numbers, so that no maths library can change
// a byte of the files.
long SeasonPermille(int dayOfYear) {
  const int sincePeak = ((dayOfYear - 136) % 365 + 365) % 365;
  const int fromPeak = std::min(sincePeak, 365 - sincePeak);  // 0..182 days
  return 1000 - 2000L * fromPeak / 182;
}

// One period's values in tenths of their units; EVP is the period's total.
void AppendValues(std::string& out, Random& random, int dayOfYear, int periodDays) {
  const long season = SeasonPermille(dayOfYear);
  const long tmax = 310 + 45 * season / 1000 + random.Between(-25, 25);  // degrees C x 10
  const long tmin = tmax - random.Between(70, 160);
  const long rh1 = random.Between(550, 980);                             // % x 10
  const long rh2 = random.Between(180, rh1 - 60);
  const long ws = random.Between(5, 140);                                // km/h x 10
  const long ss = random.Between(0, 115);                                // hours x 10
  const long dailyEvp = std::max(5L, 55 + 25 * season / 1000 + random.Between(-20, 20));  // mm x 10
  for (long tenths : {tmax, tmin, rh1, rh2, ws, ss, dailyEvp * periodDays}) {
    out.push_back(',');
    AppendTenths(out, tenths);
  }
}

void AppendHeader(std::string& out, const WeatherFileRecipe& recipe, Random& random) {
  out.append("Benchmark station ");
  AppendPadded(out, recipe.fileNumber, 5);
  out.append("\r\nLatitude,Longitude,Elevation\r\n");
  AppendTenths(out, random.Between(80, 300));   // latitude, degrees x 10
  out.push_back(',');
  AppendTenths(out, random.Between(680, 960));  // longitude, degrees x 10
  out.push_back(',');
  AppendPadded(out, static_cast<std::uint64_t>(random.Between(0, 900)), 1);  // elevation, m
  out.append("\r\n");
  switch (recipe.kind) {
    case WeatherKind::Daily: out.append("Date"); break;
    case WeatherKind::Weekly: out.append("Year,Week"); break;
    case WeatherKind::Monthly: out.append("Year,Month"); break;
  }
  out.append(",TMAX,TMIN,RH1,RH2,WS,SS,EVP\r\n");
}

constexpr std::size_t kPieceBytes = std::size_t{1} << 20;

}  // namespace

bool GenerateWeatherFile(const WeatherFileRecipe& recipe, const std::function<bool(std::string_view)>& sink) {
  Random random(recipe.seed * 0x100000001B3ull + recipe.fileNumber);
  std::string out;
  out.reserve(kPieceBytes + 256);
  AppendHeader(out, recipe, random);
  Calendar calendar;
  int year = kFirstYear, period = 1;  // weekly and monthly rows
  const bool weekly = recipe.kind == WeatherKind::Weekly;
  for (std::uint64_t row = 0; row < recipe.rows; ++row) {
    if (recipe.kind == WeatherKind::Daily) {
      AppendPadded(out, static_cast<std::uint64_t>(calendar.month), 2);
      out.push_back('/');
      AppendPadded(out, static_cast<std::uint64_t>(calendar.day), 2);
      out.push_back('/');
      AppendPadded(out, static_cast<std::uint64_t>(calendar.year), 4);
      AppendValues(out, random, calendar.dayOfYear, 1);
      calendar.NextDay();
    } else {
      AppendPadded(out, static_cast<std::uint64_t>(year), 4);
      out.push_back(',');
      AppendPadded(out, static_cast<std::uint64_t>(period), 1);
      const int middleDay = weekly ? 7 * (period - 1) + 4 : 30 * (period - 1) + 16;
      AppendValues(out, random, middleDay, weekly ? 7 : 30);
      if (++period > (weekly ? 52 : 12)) {
        period = 1;
        year = FollowingYear(year);
      }
    }
    out.append("\r\n");
    if (out.size() >= kPieceBytes) {
      if (!sink(out)) return false;
      out.clear();
    }
  }
  out.append("&\r\n");
  return sink(out);
}

std::string WeatherFileText(const WeatherFileRecipe& recipe) {
  std::string text;
  GenerateWeatherFile(recipe, [&](std::string_view piece) {
    text.append(piece);
    return true;
  });
  return text;
}

}  // namespace sorvane::bench
