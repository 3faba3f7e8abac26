// Values of a weather file that no reading of the column's parameter can be, watched
// over the whole file by a run and a check alike: codes that loggers write for "no
// reading" which no rule declared, temperatures that are degrees F read as degrees C,
// and humidity columns that hold fractions read as per cent.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "common/numbers.h"
#include "run/weather_file_reader.h"

namespace sorvane {

// The codes loggers and spreadsheets write for "no reading".
inline constexpr std::array<double, 4> kMissingValueCodes{-99, -999, -9999, 9999};
bool IsMissingValueCode(double value);
// The codes nearest 0 on either side: a reading strictly between them is no code, and
// two comparisons tell most readings apart from every code (a month's pan evaporation
// of 150 mm as well as a day's 4).
inline constexpr double kHighestNegativeCode = -99;
inline constexpr double kLowestPositiveCode = 9999;

// No air temperature a station records reaches 60 degrees C; 140 degrees F does not
// make a plausible temperature either, but 60 and more is an ordinary day in degrees F.
inline constexpr double kHighestCelsius = 60;
// A humidity column whose readings all lie in 0..1.5 holds fractions, not per cent.
inline constexpr double kHighestFraction = 1.5;

// The first field of a kind and how many there are.
struct WatchedValues {
  long count = 0;
  long firstLine = 0;
  Parameter firstParameter = Parameter::None;
  double firstValue = 0;

  void Note(long line, Parameter parameter, double value);
};

class ValueWatch {
 public:
  // Watches the records `reader` reads after its `header`. The reader is told each
  // column's plain range, so that a row with nothing to watch is passed without a look.
  ValueWatch(WeatherFileReader& reader, const WeatherFileHeader& header, const MissingValues& missing);

  // The fields of the reader's last record, as it parsed them.
  void NoteLastRecord() {
    if (reader_.LastRecordLeftPlainRange()) Note(reader_.LastRowValues(), reader_.LineOfLastRecord());
  }

  // Undeclared codes and temperatures above kHighestCelsius, per parameter column read.
  const WatchedValues& Codes() const { return codes_; }
  const WatchedValues& HotTemperatures() const { return hot_; }
  // The humidity parameters (RH1, RH2) whose every reading lies in 0..kHighestFraction,
  // some above 0.
  std::vector<Parameter> FractionHumidities() const;

  // The warnings of a run, without the file's name: none for a file without such values;
  // undeclared codes only when `withCodes`.
  std::vector<std::string> Warnings(bool withCodes) const;

 private:
  // A parameter column and the range of its plain readings: one that lies strictly
  // inside it is no code, no hot temperature and changes nothing watched. Fixed by the
  // parameter and the declared codes; empty while every reading counts.
  struct WatchedColumn {
    std::size_t column;
    Parameter code;
    double plainAbove = 0, plainBelow = 0;
  };
  void OpenPlainRange(WatchedColumn& watched);

  void Note(const std::vector<ParsedNumber>& values, long line);
  // Every watch of one reading that holds a value.
  void NoteValue(WatchedColumn& watched, double value, long line);
  void NoteHumidity(Parameter code, double value);

  WeatherFileReader& reader_;
  const WeatherFileHeader& header_;
  const MissingValues& missing_;
  std::vector<WatchedColumn> watched_;
  WatchedValues codes_, hot_;
  // Per parameter code: humidity readings seen, any above the fraction range, any above 0.
  std::array<long, 16> humidityReadings_{};
  std::array<bool, 16> beyondFraction_{}, aboveZero_{};
};

// "TMAX 95 (line 9) is above 60: ... degrees F read as degrees C"
std::string HotTemperatureText(const WatchedValues& hot);
// "RH1 holds fractions (every reading between 0 and 1.5) read as per cent"
std::string FractionHumidityText(Parameter humidity);

}  // namespace sorvane
