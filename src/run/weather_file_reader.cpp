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

std::string FieldsText(int count) { return std::to_string(count) + (count == 1 ? " field" : " fields"); }

// Some recognised column's head says more than its parameter word: a unit, a height, or
// another word named by --column.
bool HeadsSayMoreThanParameters(const WeatherFileHeader& header) {
  for (std::size_t column = 0; column < header.ColumnCodes.size(); ++column) {
    const Parameter code = header.ColumnCodes[column];
    if (code != Parameter::None && header.ColumnHeads[column] != kParameterHeads[static_cast<std::size_t>(code)])
      return true;
  }
  return false;
}

// The header line last laid out on this thread, with what laid it out. A run reads
// hundreds or thousands of files of one station network, all with the same header line:
// laying it out once, not once per file, spares a small file a good part of its reading.
struct LastHeaderLine {
  std::string line;
  char separator = 0;
  std::vector<ColumnNaming> namings;
  std::optional<double> windHeight;
  HeaderLayout layout;
  std::string normalisedLine;  // the line upper-cased without spaces
};

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
    case Parameter::RS: return &WeatherRecord::RS;
    case Parameter::TDEW: return &WeatherRecord::TDEW;
    case Parameter::RH: return &WeatherRecord::RH;
    case Parameter::None: break;  // read and dropped
  }
  return nullptr;
}

bool WeatherFileReader::Refuse(long line, std::string what) {
  problem_ = AtLine(line, std::move(what));
  return false;
}

Expected<WeatherFileHeader> WeatherFileReader::ReadHeader() {
  if (auto text = ReadableAsText(fields_.Beginning()); !text) return Fail(text.error());
  const FieldSeparators separators = SeparatorsOf(fields_.Beginning());
  fields_.UseSeparators(separators.separator, separators.decimalPoint);
  std::string line;
  auto readWholeLine = [&](long number, std::string_view missing) {
    const auto status = fields_.ReadLine(line);
    if (status == FieldReader::Status::EndOfFile) return Refuse(number, std::string(missing));
    if (status != FieldReader::Status::Ok) return Refuse(number, std::string(FieldReader::Describe(status)));
    return true;
  };

  if (!readWholeLine(1, "the file is empty")) return Refused();
  std::string name;
  for (char c : WithoutByteOrderMark(line))
    if (c != ',') name.push_back(c);
  header_.Station.StationName = std::string(TrimSpaces(name));
  const std::string firstLine = ToUpperAscii(line);

  if (!readWholeLine(2, "the file ends before line 2 (the coordinate heads)")) return Refused();
  const int line2Commas = static_cast<int>(std::count(line.begin(), line.end(), separators.separator));
  if (!ReadCoordinates(line2Commas)) {
    // A file that begins with its header line reads a date where the latitude belongs.
    const bool headerFirst = firstLine.find("TMAX") != std::string::npos &&
                             (firstLine.find("DATE") != std::string::npos || firstLine.find("YEAR") != std::string::npos);
    if (headerFirst && problem_.line == 3 && problem_.message.starts_with("field 1 (latitude)"))
      problem_.message += "; the file begins with its header line, but the station name, the heads "
                       "Latitude,Longitude,Elevation and the coordinates (lines 1 to 3) must come before it";
    return Refused();
  }

  if (!readWholeLine(4, "the file ends before line 4 (the header line)")) return Refused();
  if (!ReadHeaderLine(line, separators.separator)) return Refused();
  if (header_.Period == PeriodType::Date && layout_.periodFields == PeriodFields::Date) FixDateOrder();
  return header_;
}

bool WeatherFileReader::LayOutHeaderLine(const std::string& line, char separator) {
  const int commas = static_cast<int>(std::count(line.begin(), line.end(), separator));
  std::vector<std::string> heads;
  heads.reserve(static_cast<std::size_t>(commas) + 1);
  FieldReader headFields(line);
  headFields.UseSeparators(separator, '.');
  for (auto head = headFields.Next(); head.status != FieldReader::Status::EndOfFile; head = headFields.Next()) {
    if (head.status != FieldReader::Status::Ok)
      return Refuse(4, "in the header line, " + std::string(FieldReader::Describe(head.status)));
    heads.emplace_back(head.text);
    if (head.end == FieldReader::End::FileEnd) break;
  }
  std::string why;
  auto layout = LayOutHeader(line, heads, rules_.columns, rules_.windHeight, why);
  if (!layout) return Refuse(4, why);
  if (static_cast<int>(heads.size()) != commas + 1)
    return Refuse(4, "the header line holds a comma inside double quotes");
  layout_ = std::move(*layout);
  return true;
}

bool WeatherFileReader::ReadHeaderLine(const std::string& line, char separator) {
  thread_local LastHeaderLine last;
  const bool same = !last.line.empty() && last.line == line && last.separator == separator &&
                    last.namings == rules_.columns && last.windHeight == rules_.windHeight;
  if (same) {
    layout_ = last.layout;
  } else {
    if (!LayOutHeaderLine(line, separator)) return false;
    last = {line, separator, rules_.columns, rules_.windHeight, layout_, NormaliseHead(layout_.upperLine)};
  }
  header_.Period = layout_.period;
  header_.NormalisedHeaderLine = last.normalisedLine;
  header_.ParameterColumns = static_cast<int>(layout_.codes.size());
  header_.ColumnCodes = layout_.codes;
  header_.ColumnHeads = layout_.heads;
  columns_.reserve(layout_.codes.size());
  for (std::size_t column = 0; column < layout_.codes.size(); ++column) {
    columns_.push_back({FieldOf(layout_.codes[column]), {},
                        layout_.units[column].convert != nullptr || layout_.windHeights[column] > 0});
    anyConversion_ = anyConversion_ || columns_.back().converted;
  }
  header_.ColumnIgnored = layout_.ignored;
  if (HeadsSayMoreThanParameters(header_))
    for (std::size_t column = 0; column < layout_.codes.size(); ++column)
      header_.ColumnUnits.push_back(ColumnUnitText(layout_, column));
  rowValues_.assign(layout_.codes.size(), ParsedNumber{});
  rawIsCode_.assign(layout_.codes.size(), 0);
  return true;
}

// The order of slashed dates: --day-first, else the first date of the file's first
// block that only one order reads, else month/day/year.
void WeatherFileReader::FixDateOrder() {
  if (rules_.dayFirst) {
    dateOrder_ = DateOrder::DayFirst;
    return;
  }
  const OrderScan scan =
      FirstDecisiveOrder(fields_.Beginning(), fields_.Line(), layout_.leadingColumns, fields_.Separator());
  fixedOrder_ = scan.fixed;
  slashedUndecided_ = scan.slashed && !scan.fixed;
  if (!fixedOrder_ || fixedOrder_->order == DateOrder::MonthFirst) return;
  dateOrder_ = DateOrder::DayFirst;
  header_.ReadingNotes.push_back("dates are read day/month/year, as line " + std::to_string(fixedOrder_->line) +
                                 " ('" + fixedOrder_->text +
                                 "') can only be read; give --day-first to say so yourself");
}

bool WeatherFileReader::ReadCoordinates(int line2Commas) {
  static constexpr const char* kNames[3] = {"latitude", "longitude", "elevation"};
  double values[3] = {0, 0, 0};
  bool empty[3] = {false, false, false};
  std::string latitudeText;
  int count = 0;
  for (;;) {
    const auto field = fields_.Next();
    if (field.status == FieldReader::Status::EndOfFile)
      return Refuse(3, count == 0 ? "the file ends before line 3 (the coordinates)"
                                  : "the file ends inside line 3 (the coordinates)");
    if (field.status != FieldReader::Status::Ok) return Refuse(field.line, std::string(FieldReader::Describe(field.status)));
    if (count < 3) {
      const ParsedNumber number = ParseField(field.text);
      if (number.status == NumberStatus::Invalid)
        return Refuse(3, NotANumber(count + 1, kNames[count], field.text));
      if (number.status == NumberStatus::Empty) empty[count] = true;
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
  // The latitude enters every formula, and 0 would put the station on the equator; the
  // longitude enters only the heat index interpolation, the elevation only the pressure.
  if (empty[0])
    return Refuse(3, "field 1 (latitude) is empty; write the station's latitude in decimal degrees, negative "
                     "south of the equator");
  for (int i = 1; i < 3; ++i)
    if (empty[i]) header_.ReadingNotes.push_back("line 3: the " + std::string(kNames[i]) + " is empty and read as 0");
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

bool WeatherFileReader::ReadParameter(int column, const FieldReader::Field& field, bool atLineStart,
                                      WeatherRecord& record) {
  ParsedNumber number = ParseField(field.text);
  if (number.status == NumberStatus::Invalid) {
    if (continuedOnLine_ != 0 && TrimSpaces(field.text) == "&")
      return Refuse(field.line, "the row of line " + std::to_string(recordLine_) + " has " +
                                    FieldsText(fieldsOnFirstLine_) + " of the " + std::to_string(RowFields()) +
                                    " of the header line; the '&' that ends the data comes before the rest");
    // A column of another head (RAIN, remarks) is dropped whatever text it holds; a
    // declared missing-value text ("NA") holds no reading.
    const bool textCode = std::find(missingRule_.texts.begin(), missingRule_.texts.end(), TrimSpaces(field.text)) !=
                          missingRule_.texts.end();
    if (header_.ColumnCodes[static_cast<std::size_t>(column)] == Parameter::None || textCode) {
      if (textCode) rowHasEmpty_ = true;  // decided with the empty fields, after the row
      Store(column, number, record);
      return true;
    }
    const int position = column + PeriodFields() + 1;
    return Refuse(continuedOnLine_ != 0 ? field.line : recordLine_,
                  NotANumber(position, header_.ColumnHeads[column], field.text) + ShiftedRow() +
                      MixedSeparators(field.text, false));
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
    const bool converted = columns_[column].converted;
    const bool noReading =
        number.status == NumberStatus::Empty     ? missingRule_.emptyIsMissing
        : number.status == NumberStatus::Invalid ? true  // a declared missing-value text
        : converted                              ? rawIsCode_[column] != 0
                                                 : std::find(missingRule_.codes.begin(), missingRule_.codes.end(),
                                                             number.value) != missingRule_.codes.end();
    missing = noReading ? (missing | Bit(code)) : (missing & ~Bit(code));
  }
  return missing;
}

// To the program's units, once, as the field is read: the unit of the head, then for
// the wind the height it was measured at. A declared numeric code is told by the text
// as the station wrote it, before the conversion.
void WeatherFileReader::Convert(std::size_t index, ParsedNumber& number) {
  if (!missingRule_.codes.empty())
    rawIsCode_[index] =
        std::find(missingRule_.codes.begin(), missingRule_.codes.end(), number.value) != missingRule_.codes.end();
  if (const UnitConversion convert = layout_.units[index].convert) number.value = convert(number.value);
  if (const double height = layout_.windHeights[index]; height > 0) number.value = WindAt2m(number.value, height);
}

ParsedNumber WeatherFileReader::ParseField(std::string_view text) const {
  if (fields_.DecimalPoint() != ',' || text.find(',') == std::string_view::npos) return ParseNumber(text);
  std::string pointed(text);
  std::replace(pointed.begin(), pointed.end(), ',', '.');
  return ParseNumber(pointed);
}

// For a field that is no number or date: the line may be separated otherwise than the
// header line, as when rows were pasted from another file.
std::string WeatherFileReader::MixedSeparators(std::string_view text, bool periodField) const {
  const char separator = fields_.Separator();
  auto named = [](char c) { return c == ',' ? "commas" : c == ';' ? "semicolons" : "tabs"; };
  for (char other : {',', ';', '\t'}) {
    if (other == separator || (other == ',' && !periodField && fields_.DecimalPoint() == ',')) continue;
    if (text.find(other) != std::string_view::npos)
      return std::string("; the line is separated by ") + named(other) + " where the header line is separated by " +
             named(separator) + ": a file takes one separator throughout";
  }
  return {};
}

void WeatherFileReader::Store(int column, ParsedNumber number, WeatherRecord& record) {
  const auto index = static_cast<std::size_t>(column);
  const ColumnStore& store = columns_[index];
  rowValues_[index] = number;
  if (!(number.value > store.plain.above && number.value < store.plain.below)) leftPlainRange_ = true;
  if (store.target) record.*store.target = number.value;
}

// The row's readings in the program's units, once all its fields are stored: the loop
// over the fields then holds no call, which costs plain files a few per cent. Every
// column is stored again in order, so that a later column of a parameter still decides.
void WeatherFileReader::ConvertRow(WeatherRecord& record) {
  for (std::size_t index = 0; index < columns_.size(); ++index) {
    const ColumnStore& store = columns_[index];
    ParsedNumber& number = rowValues_[index];
    if (store.converted && number.status == NumberStatus::Value) {
      Convert(index, number);
      if (!(number.value > store.plain.above && number.value < store.plain.below)) leftPlainRange_ = true;
    }
    if (store.target) record.*store.target = number.value;
  }
}

// Out of line, so that the refusal's path takes none of the registers of the row loop.
[[gnu::noinline]] Expected<WeatherFileReader::Step> WeatherFileReader::RefusedRow() { return Refused(); }

WeatherFileReader::RowRead WeatherFileReader::ReadRow(WeatherRecord& record) {
  recordLine_ = fields_.Line();
  const auto key = fields_.Next();
  if (key.status == FieldReader::Status::EndOfFile) return RowRead::End;
  if (key.status != FieldReader::Status::Ok) {
    Refuse(key.line, "field 1: " + std::string(FieldReader::Describe(key.status)));
    return RowRead::Refused;
  }
  const std::string_view keyText = TrimSpaces(key.text);
  if (keyText == "&") return RowRead::End;
  if (key.EndsLine() && keyText.empty() && !key.quoted) {
    if (fields_.SkipEmptyRowsRest()) return RowRead::End;  // blank lines at the end end the data
    Refuse(recordLine_, "a blank line in the middle of the data");
    return RowRead::Refused;
  }
  // Rows of empty fields (",,,,"), as a spreadsheet saves the rows below its data, end
  // the data when nothing else follows them.
  if (keyText.empty() && !key.quoted && fields_.RestOfLineIsEmptyFields()) {
    if (fields_.SkipEmptyRowsRest()) return RowRead::End;
    Refuse(recordLine_, "a row of empty fields in the middle of the data");
    return RowRead::Refused;
  }

  record.TMAX = record.TMIN = record.RH1 = record.RH2 = record.WS = record.SS = record.EVP = 0;
  record.RS = record.TDEW = record.RH = 0;
  lastPeriodFieldEndsLine_ = key.EndsLine();
  continuedOnLine_ = 0;
  rowHasEmpty_ = false;
  leftPlainRange_ = false;
  repeatOf_ = 0;
  if (layout_.leadingColumns > 0) {
    const auto first = SkipLeadingColumns();
    if (!first) return RowRead::Refused;
    if (!ReadPeriodFields(record, *first)) return RowRead::Refused;
  } else if (!ReadPeriodFields(record, key)) {
    return RowRead::Refused;
  }

  const int periodFields = PeriodFields();
  bool previousEndsLine = lastPeriodFieldEndsLine_;
  for (int column = 0; column < header_.ParameterColumns; ++column) {
    const int position = periodFields + column + 1;
    if (previousEndsLine) ContinueRow(position - 1);  // a line end separates fields as a comma does
    if (FieldReader::ShortNumber quick; fields_.NextShortNumber(quick)) {
      if (quick.empty &&
          !NoteEmpty(column, fields_.Line() - (quick.endsLine ? 1 : 0), previousEndsLine && quick.endsLine))
        return RowRead::Refused;
      Store(column, {quick.empty ? NumberStatus::Empty : NumberStatus::Value, quick.value}, record);
      previousEndsLine = quick.endsLine;
      continue;
    }
    const auto field = fields_.Next();
    if ((field.status != FieldReader::Status::Ok &&
         !RequireField(field, position, header_.ColumnHeads[static_cast<std::size_t>(column)])) ||
        !ReadParameter(column, field, previousEndsLine, record))
      return RowRead::Refused;
    previousEndsLine = field.EndsLine();
  }
  if (!previousEndsLine) {
    RefuseRowEndingInsideALine();
    return RowRead::Refused;
  }
  if (anyConversion_) ConvertRow(record);
  missing_ = 0;
  if (rowHasEmpty_ || !missingRule_.codes.empty()) missing_ = MissingParameters();

  if (record.WS < 1.6) record.WS = 1.6;  // km/h: the wind floor
  record.Tmean = (record.TMAX + record.TMIN) / 2;
  return RowRead::Record;
}

}  // namespace sorvane
