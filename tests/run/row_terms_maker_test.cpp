// The remembered terms of a run change no bit of a result: the worked examples, and
// many random records through the Penman methods and open pan, compared with the
// general way written out plainly.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "support/example_station.h"
#include "methods/solar_geometry.h"
#include "run/record_methods.h"
#include "run/row_terms_maker.h"
#include "run/method_table.h"
#include "run/station_setup.h"

namespace sorvane {
namespace {

std::uint64_t Bits(double value) { return std::bit_cast<std::uint64_t>(value); }

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

TEST(MethodsFastPath, RememberedTermsGiveTheSameValues) {
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
    ASSERT_EQ(Bits(ModifiedPenmanOf(r, station, constants, terms)), Bits(ReferenceModifiedPenman(r, station, g)))
        << r.TMAX << " " << r.TMIN;
    ASSERT_EQ(Bits(PenmanMonteithOf(r, station, constants, terms)), Bits(ReferencePenmanMonteith(r, station, g)))
        << r.TMAX << " " << r.TMIN;
    ASSERT_EQ(Bits(OpenPanOf(r, station, constants, terms)), Bits(ReferenceOpenPan(r))) << r.WS;
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
