#include "run/weather_file_reader.h"

#include <algorithm>

#include "common/file_kind.h"
#include "common/numbers.h"
#include "common/text.h"
#include "run/period_words.h"

namespace sorvane {

namespace {

std::string_view WithoutByteOrderMark(std::string_view text) {
  return text.starts_with("\xEF\xBB\xBF") ? text.substr(3) : text;
}

std::string PeriodHeadsOf(PeriodType period) {
  return "a " + std::string(WordsOf(period).adjective) + " file begins " + std::string(WordsOf(period).heads);
}

std::string FieldsText(int count) { return std::to_string(count) + (count == 1 ? " field" : " fields"); }

}  // namespace

// The record field a parameter column is read into; none for an unknown head.
static double WeatherRecord::*FieldOf(Parameter code) {
  switch (code) {
    case Parameter::TMAX: return &WeatherRecord::TMAX;
    case Parameter::TMIN: return &WeatherRecord::TMIN;
    case Parameter::RH1: return &WeatherRecord::RH1;
    case Parameter::RH2: return &WeatherRecord::RH2;
    case Parameter::WS: return &WeatherRecord::WS;
    case Parameter::SS: return &WeatherRecord::SS;
    case Parameter::EVP: return &WeatherRecord::EVP;
    case Parameter::None: break;  // read and dropped
  }
  return nullptr;
}

bool WeatherFileReader::Refuse(long line, std::string what) {
  problem_ = AtLine(line, std::move(what));
  return false;
}

std::optional<WeatherFileHeader> WeatherFileReader::ReadHeader() {
  if (const auto why = WhyNotCommaSeparatedText(fields_.Beginning())) {
    Refuse(0, *why);
    return std::nullopt;
  }
  std::string line;
  auto readWholeLine = [&](long number, std::string_view missing) {
    const auto status = fields_.ReadLine(line);
    if (status == FieldReader::Status::EndOfFile) return Refuse(number, std::string(missing));
    if (status != FieldReader::Status::Ok) return Refuse(number, std::string(FieldReader::Describe(status)));
    return true;
  };

  if (!readWholeLine(1, "the file is empty")) return std::nullopt;
  std::string name;
  for (char c : WithoutByteOrderMark(line))
    if (c != ',') name.push_back(c);
  header_.Station.StationName = std::string(TrimSpaces(name));

  if (!readWholeLine(2, "the file ends before line 2 (the coordinate heads)")) return std::nullopt;
  const int line2Commas = static_cast<int>(std::count(line.begin(), line.end(), ','));
  if (!ReadCoordinates(line2Commas)) return std::nullopt;

  if (!readWholeLine(4, "the file ends before line 4 (the header line)")) return std::nullopt;
  const std::string upper = ToUpperAscii(line);
  std::optional<PeriodType> period;  // the last matching word wins
  if (upper.find("DATE") != std::string::npos) period = PeriodType::Date;
  if (upper.find("WEEK") != std::string::npos) period = PeriodType::Week;
  if (upper.find("MONTH") != std::string::npos) period = PeriodType::Month;
  if (!period) {
    Refuse(4, "the header line names no period (a head with Date, Week or Month)");
    return std::nullopt;
  }
  header_.Period = *period;
  header_.NormalisedHeaderLine = NormaliseHead(line);

  const int commas = static_cast<int>(std::count(line.begin(), line.end(), ','));
  const int periodHeads = *period == PeriodType::Date ? 1 : 2;
  header_.ParameterColumns = commas - (periodHeads - 1);
  if (header_.ParameterColumns < 0) {
    Refuse(4, "the header line has no head for the period number (Year,Week or Year,Month)");
    return std::nullopt;
  }
  rowValues_.assign(static_cast<std::size_t>(header_.ParameterColumns), ParsedNumber{});
  FieldReader heads(line);
  int position = 0;
  for (auto head = heads.Next(); head.status != FieldReader::Status::EndOfFile; head = heads.Next()) {
    if (head.status != FieldReader::Status::Ok) {
      Refuse(4, "in the header line, " + std::string(FieldReader::Describe(head.status)));
      return std::nullopt;
    }
    const std::string normalised = NormaliseHead(head.text);
    if (++position <= periodHeads && !CheckPeriodHeads(normalised, position)) return std::nullopt;
    if (position > periodHeads) {
      header_.ColumnHeads.push_back(EscapedText(TrimSpaces(head.text)));
      const auto code = std::find(kParameterHeads.begin() + 1, kParameterHeads.end(), normalised);
      header_.ColumnCodes.push_back(code == kParameterHeads.end()
                                        ? Parameter::None
                                        : static_cast<Parameter>(code - kParameterHeads.begin()));
      columnTargets_.push_back(FieldOf(header_.ColumnCodes.back()));
    }
    if (head.end == FieldReader::End::FileEnd) break;
  }
  if (position != commas + 1) {
    Refuse(4, "the header line holds a comma inside double quotes");
    return std::nullopt;
  }
  return header_;
}

// A parameter word where a period head belongs (Week,TMAX,TMIN: a weekly file without
// its year) would make the first parameter the period number of every row.
bool WeatherFileReader::CheckPeriodHeads(std::string_view normalisedHead, int position) {
  if (std::find(kParameterHeads.begin() + 1, kParameterHeads.end(), normalisedHead) == kParameterHeads.end())
    return true;
  return Refuse(4, "head " + std::to_string(position) + " '" + std::string(normalisedHead) +
                       "' stands where the period heads belong; " + PeriodHeadsOf(header_.Period));
}

bool WeatherFileReader::ReadCoordinates(int line2Commas) {
  static constexpr const char* kNames[3] = {"latitude", "longitude", "elevation"};
  double values[3] = {0, 0, 0};
  std::string latitudeText;
  int count = 0;
  for (;;) {
    const auto field = fields_.Next();
    if (field.status == FieldReader::Status::EndOfFile)
      return Refuse(3, count == 0 ? "the file ends before line 3 (the coordinates)"
                                  : "the file ends inside line 3 (the coordinates)");
    if (field.status != FieldReader::Status::Ok) return Refuse(field.line, std::string(FieldReader::Describe(field.status)));
    if (count < 3) {
      const ParsedNumber number = ParseNumber(field.text);
      if (number.status == NumberStatus::Invalid)
        return Refuse(3, NotANumber(count + 1, kNames[count], field.text));
      values[count] = number.value;
      if (count == 0) latitudeText = QuotedField(TrimSpaces(field.text));
    }
    ++count;
    if (field.EndsLine()) break;
  }
  if (count < 3)
    return Refuse(3, "line 3 holds " + std::to_string(count) + " values; latitude, longitude and elevation are needed");
  if (line2Commas <= 2 && count != 3)
    return Refuse(3, "line 3 holds " + std::to_string(count) + " values where line 2 announces 3");
  if (line2Commas > 2 && count == 3)
    return Refuse(3, "line 3 holds 3 values where line 2 (with " + std::to_string(line2Commas) +
                         " commas) announces more");
  if (!(values[0] >= -90 && values[0] <= 90))
    return Refuse(3, "field 1 (latitude) " + latitudeText + " lies beyond the poles");
  header_.Station.Latitude = values[0];
  header_.Station.Longitude = values[1];
  header_.Station.Elevation = values[2];
  return true;
}

// A field of a row that must be there: not the end of the file, not past the line end.
bool WeatherFileReader::RequireField(const FieldReader::Field& field, int position, std::string_view head) {
  if (field.status == FieldReader::Status::EndOfFile)
    return Refuse(recordLine_, "the file ends inside a row: field " + std::to_string(position) + " (" +
                                   std::string(head) + ") is missing");
  if (field.status != FieldReader::Status::Ok)
    return Refuse(field.line, "field " + std::to_string(position) + " (" + std::string(head) + "): " +
                                  std::string(FieldReader::Describe(field.status)));
  return true;
}

bool WeatherFileReader::ReadPeriodFields(WeatherRecord& record, const FieldReader::Field& key) {
  const std::string_view text = TrimSpaces(key.text);
  // The key is kept apart from the reader's buffer, which the rest of the row may move:
  // the short ones (every date) in a fixed array, without the work of a string.
  if (text.size() <= shortPeriodKey_.size()) {
    std::copy(text.begin(), text.end(), shortPeriodKey_.begin());
    record.PeriodKey = std::string_view(shortPeriodKey_.data(), text.size());
  } else {
    periodKey_.assign(text);
    record.PeriodKey = periodKey_;
  }
  record.Period = header_.Period;
  if (header_.Period == PeriodType::Date) {
    const auto date = ParseDate(text);
    if (!date)
      return Refuse(recordLine_, NotACalendarDate(text));
    record.PeriodNumber = 0;
    record.DayOfYear = DayOfYear(*date);
    return true;
  }
  const ParsedNumber year = ParseNumber(text);
  if (year.status != NumberStatus::Value)
    return Refuse(recordLine_, NotANumber(1, "Year", text));
  const std::string_view numberHead = WordsOf(header_.Period).numberHead;
  if (key.EndsLine()) ContinueRow(1);
  const auto numberField = fields_.Next();
  if (!RequireField(numberField, 2, numberHead)) return false;
  const ParsedNumber number = ParseNumber(numberField.text);
  if (number.status != NumberStatus::Value)
    return Refuse(recordLine_, NotANumber(2, numberHead, numberField.text));
  const bool monthly = header_.Period == PeriodType::Month;
  const int lastNumber = monthly ? 12 : 53;
  if (!(number.value >= 1 && number.value <= lastNumber && number.value == static_cast<int>(number.value)))
    return Refuse(numberField.line, "field 2 (" + std::string(numberHead) + ") " +
                                        QuotedField(TrimSpaces(numberField.text)) + " is not a " +
                                        (monthly ? "month" : "week") + " number from 1 to " +
                                        std::to_string(lastNumber) + ShiftedRow());
  record.PeriodNumber = number.value;
  record.DayOfYear = header_.Period == PeriodType::Week ? 7 * (number.value - 1) + 4 : 30 * (number.value - 1) + 16;
  lastPeriodFieldEndsLine_ = numberField.EndsLine();
  return true;
}

bool WeatherFileReader::ReadParameter(int column, const FieldReader::Field& field, bool atLineStart,
                                      WeatherRecord& record) {
  const ParsedNumber number = ParseNumber(field.text);
  if (number.status == NumberStatus::Invalid) {
    if (continuedOnLine_ != 0 && TrimSpaces(field.text) == "&")
      return Refuse(field.line, "the row of line " + std::to_string(recordLine_) + " has " +
                                    FieldsText(fieldsOnFirstLine_) + " of the " + std::to_string(RowFields()) +
                                    " of the header line; the '&' that ends the data comes before the rest");
    // A column of another head (RAIN, remarks) is dropped whatever text it holds.
    if (header_.ColumnCodes[static_cast<std::size_t>(column)] == Parameter::None) {
      Store(column, number, record);
      return true;
    }
    const int position = column + PeriodFields() + 1;
    return Refuse(continuedOnLine_ != 0 ? field.line : recordLine_,
                  NotANumber(position, header_.ColumnHeads[column], field.text) + ShiftedRow());
  }
  if (number.status == NumberStatus::Empty &&
      !NoteEmpty(column, field.line, atLineStart && field.EndsLine() && !field.quoted))
    return false;
  Store(column, number, record);
  return true;
}

// An empty field of a recognised column is counted; a blank line inside a row (an empty
// field that is a whole line) is refused, as it is between rows.
bool WeatherFileReader::NoteEmpty(int column, long line, bool blankLine) {
  if (blankLine) return Refuse(line, "a blank line in the middle of the data, inside the row of line " +
                                         std::to_string(recordLine_));
  const Parameter code = header_.ColumnCodes[static_cast<std::size_t>(column)];
  if (code == Parameter::None) return true;
  rowHasEmpty_ = true;
  if (emptyFields_.count++ == 0) {
    emptyFields_.firstLine = line;
    emptyFields_.firstParameter = code;
  }
  return true;
}

// The row runs on over a line end after `fieldsSoFar` of its fields.
void WeatherFileReader::ContinueRow(int fieldsSoFar) {
  if (continuedOnLine_ == 0) fieldsOnFirstLine_ = fieldsSoFar;
  continuedOnLine_ = fields_.Line();
}

// For a refusal inside a row that runs on over a line end: most such rows are a short
// row followed by the next, which then lends its fields to it.
std::string WeatherFileReader::ShiftedRow() const {
  if (continuedOnLine_ == 0) return {};
  return "; the row of line " + std::to_string(recordLine_) + " has " + FieldsText(fieldsOnFirstLine_) + " of the " +
         std::to_string(RowFields()) + " of the header line and runs on into line " +
         std::to_string(continuedOnLine_) + ": a short row shifts every later field, and every row must begin at "
         "the start of a line";
}

// The row's last field does not end its line, so the next row would begin inside it.
bool WeatherFileReader::RefuseRowEndingInsideALine() {
  const long line = fields_.Line();
  if (continuedOnLine_ == 0)
    return Refuse(line, "the line holds more than the " + std::to_string(RowFields()) +
                            " fields of a row (an extra field, or two rows on one line); every row must begin at "
                            "the start of a line");
  return Refuse(line, "a row would begin inside line " + std::to_string(line) + ": the row of line " +
                          std::to_string(recordLine_) + " has " + FieldsText(fieldsOnFirstLine_) + " of the " +
                          std::to_string(RowFields()) + " of the header line and takes the rest from line " +
                          std::to_string(line) + ", as a short row followed by a full one does; every row must "
                          "begin at the start of a line");
}

// By the MissingValues rule; a later column of the same parameter decides, as it does
// for the record's value.
ParameterSet WeatherFileReader::MissingParameters() const {
  ParameterSet missing = 0;
  for (std::size_t column = 0; column < rowValues_.size(); ++column) {
    const Parameter code = header_.ColumnCodes[column];
    if (code == Parameter::None) continue;
    const ParsedNumber& number = rowValues_[column];
    const bool noReading =
        number.status == NumberStatus::Empty
            ? missingRule_.emptyIsMissing
            : std::find(missingRule_.codes.begin(), missingRule_.codes.end(), number.value) != missingRule_.codes.end();
    missing = noReading ? (missing | Bit(code)) : (missing & ~Bit(code));
  }
  return missing;
}

void WeatherFileReader::Store(int column, ParsedNumber number, WeatherRecord& record) {
  rowValues_[static_cast<std::size_t>(column)] = number;
  if (double WeatherRecord::*target = columnTargets_[static_cast<std::size_t>(column)]) record.*target = number.value;
}

WeatherFileReader::Step WeatherFileReader::NextRecord(WeatherRecord& record) {
  recordLine_ = fields_.Line();
  const auto key = fields_.Next();
  if (key.status == FieldReader::Status::EndOfFile) return Step::End;
  if (key.status != FieldReader::Status::Ok) {
    Refuse(key.line, "field 1: " + std::string(FieldReader::Describe(key.status)));
    return Step::Problem;
  }
  if (TrimSpaces(key.text) == "&") return Step::End;
  if (key.EndsLine() && TrimSpaces(key.text).empty() && !key.quoted) {
    if (fields_.SkipBlankRest()) return Step::End;  // blank lines at the end end the data
    Refuse(recordLine_, "a blank line in the middle of the data");
    return Step::Problem;
  }

  record.TMAX = record.TMIN = record.RH1 = record.RH2 = record.WS = record.SS = record.EVP = 0;
  lastPeriodFieldEndsLine_ = key.EndsLine();
  continuedOnLine_ = 0;
  rowHasEmpty_ = false;
  if (!ReadPeriodFields(record, key)) return Step::Problem;

  const int periodFields = PeriodFields();
  bool previousEndsLine = lastPeriodFieldEndsLine_;
  for (int column = 0; column < header_.ParameterColumns; ++column) {
    const int position = periodFields + column + 1;
    if (previousEndsLine) ContinueRow(position - 1);  // a line end separates fields as a comma does
    if (FieldReader::ShortNumber quick; fields_.NextShortNumber(quick)) {
      if (quick.empty &&
          !NoteEmpty(column, fields_.Line() - (quick.endsLine ? 1 : 0), previousEndsLine && quick.endsLine))
        return Step::Problem;
      Store(column, {quick.empty ? NumberStatus::Empty : NumberStatus::Value, quick.value}, record);
      previousEndsLine = quick.endsLine;
      continue;
    }
    const auto field = fields_.Next();
    if ((field.status != FieldReader::Status::Ok &&
         !RequireField(field, position, header_.ColumnHeads[static_cast<std::size_t>(column)])) ||
        !ReadParameter(column, field, previousEndsLine, record))
      return Step::Problem;
    previousEndsLine = field.EndsLine();
  }
  if (!previousEndsLine) {
    RefuseRowEndingInsideALine();
    return Step::Problem;
  }
  missing_ = 0;
  if (rowHasEmpty_ || !missingRule_.codes.empty()) missing_ = MissingParameters();

  if (record.WS < 1.6) record.WS = 1.6;  // km/h: the wind floor
  record.Tmean = (record.TMAX + record.TMIN) / 2;
  return Step::Record;
}

}  // namespace sorvane
