#include "support/example_station.h"

#include <gtest/gtest.h>

#include <cmath>

#include "methods/heat_index.h"
#include "methods/solar_geometry.h"
#include "run/method_table.h"
#include "run/row_terms_maker.h"

namespace sorvane::methods_test {

namespace {

WeatherRecord Record(PeriodType period, int periodNumber, int dayOfYear, const Readings& r) {
  WeatherRecord record;
  record.Period = period;
  record.PeriodKey = period == PeriodType::Date ? "01/01/2001" : "2001";
  record.PeriodNumber = periodNumber;
  record.DayOfYear = dayOfYear;
  record.TMAX = r.TMAX;
  record.TMIN = r.TMIN;
  record.RH1 = r.RH1;
  record.RH2 = r.RH2;
  record.WS = r.WS;
  record.SS = r.SS;
  record.EVP = r.EVP;
  record.Tmean = (r.TMAX + r.TMIN) / 2;
  return record;
}

}  // namespace

WeatherRecord DailyRecord(int dayOfYear, const Readings& readings) {
  return Record(PeriodType::Date, 0, dayOfYear, readings);
}

WeatherRecord WeeklyRecord(int week, const Readings& readings) {
  return Record(PeriodType::Week, week, 7 * (week - 1) + 4, readings);
}

WeatherRecord MonthlyRecord(int month, const Readings& readings) {
  return Record(PeriodType::Month, month, 30 * (month - 1) + 16, readings);
}

StationHeader ExampleStation() { return StationHeader{"", kExampleLatitude, 77.37, 350}; }

StationHeader StationAt(double latitudeDegrees) { return StationHeader{"", latitudeDegrees, 77.37, 350}; }

StationConstants ConstantsAt(double latitudeDegrees) {
  StationConstants constants;
  constants.LatitudeRadians = LatitudeRadians(latitudeDegrees);
  constants.AnnualDayLengthTotal = AnnualDayLengthTotal(constants.LatitudeRadians);
  constants.HeatIndex = kExampleHeatIndex;
  constants.ThornthwaiteExponent = ThornthwaiteExponent(kExampleHeatIndex);
  return constants;
}

double Compute(MethodId method, const WeatherRecord& record, const StationHeader& station,
               const StationConstants& constants) {
  const RowTerms terms = RowTermsOf(record, SolarGeometryAt(constants.LatitudeRadians, record.DayOfYear));
  return MethodEntryFor(method).compute(record, station, constants, terms);
}

double HalfLastDigit(double printed, int significantDigits) {
  const int leadingExponent = static_cast<int>(std::floor(std::log10(std::fabs(printed))));
  return 0.5 * std::pow(10.0, leadingExponent - (significantDigits - 1));
}

void CheckWorkedExamples(const std::vector<WorkedExample>& examples) {
  ASSERT_FALSE(examples.empty());
  for (const WorkedExample& example : examples) {
    SCOPED_TRACE(example.name);
    EXPECT_NEAR(ComputeAtExampleStation(example.methodId, example.record), example.printed,
                HalfLastDigit(example.printed));
    if (example.printedDaily) {
      WeatherRecord oneDay = example.record;
      oneDay.Period = PeriodType::Date;
      oneDay.PeriodNumber = 0;
      EXPECT_NEAR(ComputeAtExampleStation(example.methodId, oneDay), *example.printedDaily,
                  HalfLastDigit(*example.printedDaily));
    }
  }
}

double ComputeMethod(int methodId, const WeatherRecord& record, const StationHeader& station,
                     const StationConstants& constants) {
  return Compute(static_cast<MethodId>(methodId), record, station, constants);
}

double ComputeAtExampleStation(int methodId, const WeatherRecord& record) {
  return ComputeMethod(methodId, record, ExampleStation(), ExampleConstants());
}

}  // namespace sorvane::methods_test
