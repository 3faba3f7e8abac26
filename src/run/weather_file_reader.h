// WeatherFileReader: turns a weather data file into its StationHeader, PeriodType and
// ColumnCodes, then one WeatherRecord per data row, streaming.
//
// The reader is strict where the format is: a file it cannot read exactly is refused
// with the line and field that broke it, and nothing of it is used.
#pragma once

#include <array>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/calendar.h"
#include "common/field_reader.h"
#include "common/notices.h"
#include "common/numbers.h"
#include "methods/weather_record.h"
#include "run/date_forms.h"
#include "run/estimate_missing.h"
#include "run/header_line.h"

namespace sorvane {

// Which parameter fields of a weather file hold no reading. By the format's own rule an
// empty field is a value of 0; a user may say otherwise for a run.
struct MissingValues {
  bool emptyIsMissing = false;
  std::vector<double> codes;       // a field holding one of these numbers holds no reading
  std::vector<std::string> texts = {};  // nor one holding one of these texts ("NA", "#N/A")
};

// What the user says about how the weather files of a run are to be read.
struct ReadingRules {
  MissingValues missing;
  std::vector<ColumnNaming> columns;  // --column HEAD=WORD
  std::optional<double> windHeight;   // metres above ground of a wind column whose head says none
  bool dayFirst = false;              // slashed dates are day/month/year
  std::optional<MissingEstimates> estimates;  // --estimate-missing: readings not made are estimated

  ReadingRules() = default;
  ReadingRules(MissingValues rule) : missing(std::move(rule)) {}  // NOLINT: a rule of missing values alone
};


struct WeatherFileHeader {
  StationHeader Station;
  PeriodType Period = PeriodType::Date;
  std::string NormalisedHeaderLine;  // upper-cased, spaces removed: tested for method availability
  int ParameterColumns = 0;          // n
  std::vector<Parameter> ColumnCodes;  // one per parameter column; None for unknown heads
  std::vector<std::string> ColumnHeads;  // the heads as written (bytes that are no text escaped), for messages
  std::vector<bool> ColumnIgnored;       // named to nothing by the user: not used, and not warned about
  // Per column, its unit and conversion in words, for the check; empty when every
  // recognised head is its bare parameter word (nothing to say then).
  std::vector<std::string> ColumnUnits;
  // What the reader decided for the user and says once: "dates are read day/month/year ...".
  std::vector<std::string> ReadingNotes;

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
  enum class Step { Record, End };

  explicit WeatherFileReader(FieldReader fields) : fields_(std::move(fields)) {}

  // Which fields hold no reading; by default none (an empty field is 0). Set before
  // the first record.
  void SetMissingValues(MissingValues rule) { missingRule_ = std::move(rule); }
  // The same with the rest of the user's rules of reading. Set before ReadHeader.
  void SetRules(ReadingRules rules) {
    missingRule_ = std::move(rules.missing);
    rules_ = std::move(rules);
  }

  // Reads lines 1 to 4, or the problem that refuses the file.
  Expected<WeatherFileHeader> ReadHeader();

  // The next record into `record` (its PeriodKey views stay valid until the next call),
  // End at the "&" row or the end of the data, or the problem that refuses the file.
  // Inline over a row read that answers in a register: the millions of rows of a run
  // then pay nothing for the problem none of them has.
  Expected<Step> NextRecord(WeatherRecord& record) {
    const RowRead row = ReadRow(record);
    if (row == RowRead::Refused) [[unlikely]]
      return RefusedRow();
    return row == RowRead::Record ? Step::Record : Step::End;
  }

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

  // A weekly or monthly record whose year and number an earlier row has: the earlier
  // row's line, else 0.
  long RepeatOfLastRecord() const { return repeatOf_; }
  // The first such repeat of the file: its line and the line it repeats (0 when none).
  long FirstRepeatLine() const { return firstRepeat_; }
  long FirstRepeatedLine() const { return firstRepeated_; }

  // Slashed dates read month/day/year by default: no --day-first, and no date of the
  // file's first block reads one way alone.
  bool SlashedOrderUndecided() const { return slashedUndecided_; }

  long LineOfLastRecord() const { return recordLine_; }

  // The plain range of a column's readings, open at both ends, as a watch over the values
  // (ValueWatch) sets it after ReadHeader: a row whose every reading lies inside its
  // column's range is one the watch passes, and is told so without a second look at its
  // fields. Until set, a range holds every number; one with above >= below holds none.
  struct PlainRange {
    double above = -std::numeric_limits<double>::infinity();
    double below = std::numeric_limits<double>::infinity();
  };
  void SetPlainRange(std::size_t column, PlainRange range) { columns_[column].plain = range; }
  // Whether a field of the last record lay outside its column's plain range.
  bool LastRecordLeftPlainRange() const { return leftPlainRange_; }

 private:
  bool Refuse(long line, std::string what);
  // The problem a helper noted by Refuse, on its way out.
  Unexpected Refused() { return Fail(std::move(problem_)); }
  Expected<Step> RefusedRow();
  // What ReadRow met; Refused: the problem is noted by Refuse.
  enum class RowRead { Record, End, Refused };
  RowRead ReadRow(WeatherRecord& record);
  bool ReadCoordinates(int line2Commas);
  bool ReadPeriodFields(WeatherRecord& record, const FieldReader::Field& key);
  bool ReadHeaderLine(const std::string& line, char separator);
  bool LayOutHeaderLine(const std::string& line, char separator);
  void FixDateOrder();
  bool ReadDate(std::string_view text, WeatherRecord& record);
  bool RefuseDate(std::string_view text);
  bool ReadYearMonthDay(WeatherRecord& record, double year, std::string_view yearText);
  bool ReadNextPeriodNumber(int position, std::string_view head, int lastNumber, double& number);
  void NoteRepeat(double year, double number);
  std::optional<FieldReader::Field> SkipLeadingColumns();
  ParsedNumber ParseField(std::string_view text) const;
  ParsedNumber ParsePeriodNumber(std::string_view text) const;
  std::string MixedSeparators(std::string_view text, bool periodField) const;
  void SetPeriodKey(std::string_view text, WeatherRecord& record);
  void Convert(std::size_t column, ParsedNumber& number);
  void ConvertRow(WeatherRecord& record);
  bool ReadParameter(int column, const FieldReader::Field& field, bool atLineStart, WeatherRecord& record);
  void Store(int column, ParsedNumber number, WeatherRecord& record);
  bool RequireField(const FieldReader::Field& field, int position, std::string_view head);
  bool NoteEmpty(int column, long line, bool blankLine);
  void ContinueRow(int fieldsSoFar);
  std::string ShiftedRow() const;
  bool RefuseRowEndingInsideALine();
  ParameterSet MissingParameters() const;

  int PeriodFields() const { return layout_.leadingColumns + layout_.periodHeads; }
  int RowFields() const { return PeriodFields() + header_.ParameterColumns; }

  FieldReader fields_;
  WeatherFileHeader header_;
  Problem problem_;  // the refusal a helper noted, until it is returned
  std::array<char, 16> shortPeriodKey_{};
  std::string periodKey_;  // a longer key
  // What a row's field of each parameter column takes, in one place for the row loop.
  struct ColumnStore {
    double WeatherRecord::*target = nullptr;  // null: dropped
    PlainRange plain;
    bool converted = false;  // by its unit or the height of its wind
  };
  std::vector<ColumnStore> columns_;
  bool anyConversion_ = false;  // some column is converted
  std::vector<ParsedNumber> rowValues_;
  bool leftPlainRange_ = false;
  long recordLine_ = 0;
  bool lastPeriodFieldEndsLine_ = false;
  // A row that runs on over line ends: the fields on its first line, and the line it
  // runs on into last (0: the row lies on one line).
  int fieldsOnFirstLine_ = 0;
  long continuedOnLine_ = 0;
  MissingValues missingRule_;
  ReadingRules rules_;
  HeaderLayout layout_;
  std::vector<char> rawIsCode_;  // per column: a converted field held a declared code as written
  DateOrder dateOrder_ = DateOrder::MonthFirst;
  std::optional<FixedOrder> fixedOrder_;  // the line whose date fixed the order
  bool slashedUndecided_ = false;
  std::vector<std::pair<std::pair<double, double>, long>> periodsSeen_;  // sorted (year, number) -> line
  std::size_t lastNotedPeriod_ = 0;  // index in periodsSeen_ of the last row's period
  long repeatOf_ = 0, firstRepeat_ = 0, firstRepeated_ = 0;
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
