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

// Which parameter fields of a weather file hold no reading. By the format's own rule an
// empty field is a value of 0; a user may say otherwise for a run.
struct MissingValues {
  bool emptyIsMissing = false;
  std::vector<double> codes;  // a field holding one of these numbers holds no reading
};


struct WeatherFileHeader {
  StationHeader Station;
  PeriodType Period = PeriodType::Date;
  std::string NormalisedHeaderLine;  // upper-cased, spaces removed: tested for method availability
  int ParameterColumns = 0;          // n
  std::vector<Parameter> ColumnCodes;  // one per parameter column; None for unknown heads
  std::vector<std::string> ColumnHeads;  // the heads as written (bytes that are no text escaped), for messages

  // The parameters that have a column.
  ParameterSet RecognisedColumns() const {
    ParameterSet columns = 0;
    for (Parameter code : ColumnCodes)
      if (code != Parameter::None) columns |= Bit(code);
    return columns;
  }
};

// The empty fields of the recognised parameter columns of a file, and the first of them.
struct EmptyFieldTally {
  long count = 0;
  long firstLine = 0;
  Parameter firstParameter = Parameter::None;
};

class WeatherFileReader {
 public:
  enum class Step { Record, End, Problem };

  explicit WeatherFileReader(FieldReader fields) : fields_(std::move(fields)) {}

  // Which fields hold no reading; by default none (an empty field is 0). Set before
  // the first record.
  void SetMissingValues(MissingValues rule) { missingRule_ = std::move(rule); }

  // Reads lines 1 to 4. nullopt when the file is refused; `LastProblem()` says why.
  std::optional<WeatherFileHeader> ReadHeader();

  // The next record into `record` (its PeriodKey views stay valid until the next call),
  // End at the "&" row or the end of the data, or Problem.
  Step NextRecord(WeatherRecord& record);

  // The parameter fields of the last record as read, one per parameter column: before
  // the wind floor, empty fields marked Empty, unknown heads included (Invalid when they
  // hold text). For checks of
  // the values a station wrote.
  const std::vector<ParsedNumber>& LastRowValues() const { return rowValues_; }

  // The parameters of the last record that hold no reading by the MissingValues rule,
  // as a ParameterSet; their record fields hold 0 as the format reads them.
  ParameterSet MissingInLastRecord() const { return missing_; }

  // The empty fields of recognised columns read so far.
  const EmptyFieldTally& EmptyFields() const { return emptyFields_; }

  const Problem& LastProblem() const { return problem_; }
  long LineOfLastRecord() const { return recordLine_; }

 private:
  bool Refuse(long line, std::string what);
  bool ReadCoordinates(int line2Commas);
  bool ReadPeriodFields(WeatherRecord& record, const FieldReader::Field& key);
  bool CheckPeriodHeads(std::string_view head, int position);
  bool ReadParameter(int column, const FieldReader::Field& field, bool atLineStart, WeatherRecord& record);
  void Store(int column, ParsedNumber number, WeatherRecord& record);
  bool RequireField(const FieldReader::Field& field, int position, std::string_view head);
  bool NoteEmpty(int column, long line, bool blankLine);
  void ContinueRow(int fieldsSoFar);
  std::string ShiftedRow() const;
  bool RefuseRowEndingInsideALine();
  ParameterSet MissingParameters() const;

  int PeriodFields() const { return header_.Period == PeriodType::Date ? 1 : 2; }
  int RowFields() const { return PeriodFields() + header_.ParameterColumns; }

  FieldReader fields_;
  WeatherFileHeader header_;
  Problem problem_;
  std::array<char, 16> shortPeriodKey_{};
  std::string periodKey_;  // a longer key
  std::vector<double WeatherRecord::*> columnTargets_;  // per column; null: dropped
  std::vector<ParsedNumber> rowValues_;
  long recordLine_ = 0;
  bool lastPeriodFieldEndsLine_ = false;
  // A row that runs on over line ends: the fields on its first line, and the line it
  // runs on into last (0: the row lies on one line).
  int fieldsOnFirstLine_ = 0;
  long continuedOnLine_ = 0;
  MissingValues missingRule_;
  bool rowHasEmpty_ = false;
  ParameterSet missing_ = 0;
  EmptyFieldTally emptyFields_;
};

// Daily PeriodKeys: month/day/four-digit year, a real calendar date. nullopt otherwise.
std::optional<CalendarDate> ParseDate(std::string_view text);
// "field 1 (Date) '13/01/2011' is not a date of the calendar written month/day/year"
std::string NotACalendarDate(std::string_view text);

// The DayOfYear of a daily record: day + days before its month, plus 1 from March on
// in years divisible by 4 (1900 and 2100 count as leap years here).
int DayOfYear(const CalendarDate& date);

}  // namespace sorvane
