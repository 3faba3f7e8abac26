// The terms a run remembers change no bit of a result: every method gives with them what
// it gives with the terms computed directly, on random records and on the records of
// the worked examples.
#include "run/row_terms_maker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "run/method_table.h"
#include "run/station_setup.h"
#include "support/example_station.h"

namespace sorvane {
namespace {

std::uint64_t Bits(double value) { return std::bit_cast<std::uint64_t>(value); }

// Every method over random records, with the terms the maker remembers and with those
// computed directly for each record (RowTermsOf), on the same day's geometry.
TEST(MethodsFastPath, RememberedTermsGiveTheSameValues) {
  std::mt19937_64 random(5);
  std::uniform_int_distribution<int> tenths(-300, 550);
  std::uniform_real_distribution<double> anyTemperature(-80, 80), percent(0, 100), wind(0, 40), sunshine(0, 13);
  const StationHeader station = methods_test::ExampleStation();
  const StationConstants constants = methods_test::ExampleConstants();
  const SolarGeometryTable days(constants.LatitudeRadians);
  RowTermsMaker maker;
  for (int i = 0; i < 200000; ++i) {
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
    const RowTerms remembered = maker.For(r, days);
    const RowTerms direct = RowTermsOf(r, days.At(r.DayOfYear));
    for (const MethodEntry& method : kMethodTable)
      ASSERT_EQ(Bits(method.compute(r, station, constants, remembered)),
                Bits(method.compute(r, station, constants, direct)))
          << method.name << ": TMAX " << r.TMAX << ", TMIN " << r.TMIN << ", WS " << r.WS;
  }
}

using namespace methods_test;

// The records of every method's worked examples (a day, a week, two months at the example
// station), each also taken as one day, through the run's station set-up.
TEST(RowTermsMaker, WorkedExamplesGiveIdenticalResults) {
  const PreparedStation station = PrepareStation(ExampleStation(), kExampleHeatIndex);
  RowTermsMaker terms;
  std::vector<WeatherRecord> records{DailyRecord(1, kDayReadings), WeeklyRecord(1, kWeekReadings),
                                     MonthlyRecord(1, kMonthReadings), MonthlyRecord(2, kMonthReadings)};
  for (std::size_t i = 1; i < 4; ++i) {
    WeatherRecord oneDay = records[i];
    oneDay.Period = PeriodType::Date;
    oneDay.PeriodNumber = 0;
    records.push_back(oneDay);
  }
  for (const MethodEntry& method : kMethodTable)
    for (const WeatherRecord& record : records)
      // Twice: once computed, once remembered.
      for (int pass = 0; pass < 2; ++pass)
        EXPECT_EQ(method.compute(record, ExampleStation(), station.constants, terms.For(record, station.days)),
                  Compute(method.id, record, ExampleStation(), ExampleConstants()))
            << method.name << ", J " << record.DayOfYear << ", period " << static_cast<int>(record.Period);
}

}  // namespace
}  // namespace sorvane
