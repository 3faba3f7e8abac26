// WeatherFileReader: turns a weather data file into its StationHeader, PeriodType and
// ColumnCodes, then one WeatherRecord per data row, streaming.
//
// The reader is strict where the format is: a file it cannot read exactly is refused
// with the line and field that broke it, and nothing of it is used.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/calendar.h"
#include "common/field_reader.h"
#include "common/notices.h"
#include "common/numbers.h"
#include "methods/weather_record.h"

namespace sorvane {

std::string_view PeriodWord(PeriodType type);  // "DATE", "WEEK", "MONTH"

struct WeatherFileHeader {
  StationHeader Station;
  PeriodType Period = PeriodType::Date;
  std::string NormalisedHeaderLine;  // upper-cased, spaces removed: tested for method availability
  int ParameterColumns = 0;          // n
  std::vector<Parameter> ColumnCodes;  // one per parameter column; None for unknown heads
  std::vector<std::string> ColumnHeads;  // the heads as written, for messages
};

class WeatherFileReader {
 public:
  enum class Step { Record, End, Problem };

  explicit WeatherFileReader(FieldReader fields) : fields_(std::move(fields)) {}

  // Reads lines 1 to 4. nullopt when the file is refused; `Problem()` says why.
  std::optional<WeatherFileHeader> ReadHeader();

  // The next record into `record` (its PeriodKey views stay valid until the next call),
  // End at the "&" row or the end of the data, or Problem.
  Step NextRecord(WeatherRecord& record);

  // The parameter fields of the last record as read, one per parameter column: before
  // the wind floor, empty fields marked Empty, unknown heads included. For checks of
  // the values a station wrote.
  const std::vector<ParsedNumber>& LastRowValues() const { return rowValues_; }

  const LineProblem& Problem() const { return problem_; }
  long LineOfLastRecord() const { return recordLine_; }

 private:
  bool Refuse(long line, std::string what);
  bool ReadCoordinates(int line2Commas);
  bool ReadPeriodFields(WeatherRecord& record, const FieldReader::Field& key);
  bool ReadParameter(int column, const FieldReader::Field& field, WeatherRecord& record);
  void Store(int column, ParsedNumber number, WeatherRecord& record);
  bool RequireField(const FieldReader::Field& field, int position, std::string_view head);

  FieldReader fields_;
  WeatherFileHeader header_;
  LineProblem problem_;
  std::array<char, 16> shortPeriodKey_{};
  std::string periodKey_;  // a longer key
  std::array<double WeatherRecord::*, kMaxParameterColumns> columnTargets_{};  // per column; null: dropped
  std::vector<ParsedNumber> rowValues_;
  long recordLine_ = 0;
  bool lastPeriodFieldEndsLine_ = false;
};

// Daily PeriodKeys: month/day/four-digit year, a real calendar date. nullopt otherwise.
std::optional<CalendarDate> ParseDate(std::string_view text);
// "field 1 (Date) '13/01/2011' is not a date of the calendar written month/day/year"
std::string NotACalendarDate(std::string_view text);

// The DayOfYear of a daily record: day + days before its month, plus 1 from March on
// in years divisible by 4 (1900 and 2100 count as leap years here).
int DayOfYear(const CalendarDate& date);

}  // namespace sorvane
