// Weather records, the example station and its constants, built by hand the way the
// weather file reader and the run driver build them, for the tests of the methods.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "run/method_table.h"
#include "run/station_setup.h"

namespace sorvane::methods_test {

// The seven readings of one record: degrees C, %, km/h, hours, mm.
struct Readings {
  double TMAX = 0, TMIN = 0, RH1 = 0, RH2 = 0, WS = 1.6, SS = 0, EVP = 0;
};

// The readings of the worked examples: one day, one week and one month at the example
// station. Every method's examples use the same three.
inline constexpr Readings kDayReadings{29.6, 4, 65, 25, 4, 10.2, 4.2};
inline constexpr Readings kWeekReadings{29.5, 5.9, 62, 23, 3.8, 9.8, 29.5};
inline constexpr Readings kMonthReadings{30.9, 18.5, 89, 40, 10.8, 9.2, 221.6};

inline constexpr double kExampleLatitude = 14.41;  // degrees
inline constexpr double kExampleHeatIndex = 148.21;  // the station's interpolated I

WeatherRecord DailyRecord(int dayOfYear, const Readings& readings);
WeatherRecord WeeklyRecord(int week, const Readings& readings);    // J = 7 (week - 1) + 4
WeatherRecord MonthlyRecord(int month, const Readings& readings);  // J = 30 (month - 1) + 16

// The example station: latitude 14.41, longitude 77.37, elevation 350 m.
StationHeader ExampleStation();
StationHeader StationAt(double latitudeDegrees);  // elsewhere, elevation 350 m

// Latitude in radians and the annual day length total of a station, no geometry table,
// the heat index and exponent of the example station.
StationConstants ConstantsAt(double latitudeDegrees);
inline StationConstants ExampleConstants() { return ConstantsAt(kExampleLatitude); }

// The value of `method` for `record` at `station`, with the record's terms computed
// directly from the readings and the geometry of its day.
double Compute(MethodId method, const WeatherRecord& record, const StationHeader& station,
               const StationConstants& constants);

// Half a unit in the last digit of a value printed with `significantDigits` digits.
double HalfLastDigit(double printed, int significantDigits = 7);

struct WorkedExample {
  std::string_view name;
  int methodId;
  WeatherRecord record;
  double printed;                      // the result for the record's period
  std::optional<double> printedDaily;  // the daily value before scaling, where printed
};

// Each method's worked examples, defined beside that method's tests.
extern const std::vector<WorkedExample> kModifiedPenmanExamples;
extern const std::vector<WorkedExample> kHargreavesExamples;
extern const std::vector<WorkedExample> kTurcExamples;
extern const std::vector<WorkedExample> kThornthwaiteExamples;
extern const std::vector<WorkedExample> kBlaneyCriddleExamples;
extern const std::vector<WorkedExample> kChristiansenExamples;
extern const std::vector<WorkedExample> kOpenPanExamples;
extern const std::vector<WorkedExample> kPenmanMonteithExamples;

// Compares every example with its printed result and, where printed, the same readings
// taken as one day (same J) with the printed daily value.
void CheckWorkedExamples(const std::vector<WorkedExample>& examples);

// The one place the tests call a method: its value for `record` at `station`.
double ComputeMethod(int methodId, const WeatherRecord& record, const StationHeader& station,
                     const StationConstants& constants);

// The method's value for `record` at the example station.
double ComputeAtExampleStation(int methodId, const WeatherRecord& record);

}  // namespace sorvane::methods_test
