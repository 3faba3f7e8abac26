// The periods of weather rows: the dates of daily files in their forms, the year and
// week or month of the others, and the day of the year the solar geometry is taken for.
#include <algorithm>
#include <charconv>

#include "common/calendar.h"
#include "common/notices.h"
#include "common/text.h"
#include "run/weather_file_reader.h"

namespace sorvane {

namespace {

// A run of 1..maxDigits ASCII digits (exactly `maxDigits` when `exact`).
std::optional<int> Digits(std::string_view text, std::size_t maxDigits, bool exact) {
  if (text.empty() || text.size() > maxDigits || (exact && text.size() != maxDigits)) return std::nullopt;
  if (!std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) return std::nullopt;
  int value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

// A date of the calendar, or nullopt.
std::optional<CalendarDate> CheckedDate(int year, int month, int day) {
  if (month < 1 || month > 12) return std::nullopt;
  if (day < 1 || day > DaysInMonth(year, month)) return std::nullopt;
  return CalendarDate{year, month, day};
}

std::string LowerFirst(std::string_view word) {
  std::string lower(word);
  if (!lower.empty() && lower[0] >= 'A' && lower[0] <= 'Z') lower[0] = static_cast<char>(lower[0] - 'A' + 'a');
  return lower;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
int DigitValue(char c) { return c - '0'; }

}  // namespace

std::string NotACalendarDate(std::string_view text) {
  return "field 1 (Date) " + QuotedField(text) + " is not a date of the calendar written month/day/year";
}

std::optional<CalendarDate> ParseDate(std::string_view text) {
  // The form almost every station writes, "mm/dd/yyyy", is read in one go.
  if (text.size() == 10 && text[2] == '/' && text[5] == '/' && IsDigit(text[0]) && IsDigit(text[1]) &&
      IsDigit(text[3]) && IsDigit(text[4]) && IsDigit(text[6]) && IsDigit(text[7]) && IsDigit(text[8]) &&
      IsDigit(text[9])) {
    const int month = DigitValue(text[0]) * 10 + DigitValue(text[1]);
    const int day = DigitValue(text[3]) * 10 + DigitValue(text[4]);
    const int year = ((DigitValue(text[6]) * 10 + DigitValue(text[7])) * 10 + DigitValue(text[8])) * 10 +
                     DigitValue(text[9]);
    if (day >= 1 && day <= 28 && month >= 1 && month <= 12) return CalendarDate{year, month, day};  // in every month
    return CheckedDate(year, month, day);
  }
  const auto firstSlash = text.find('/');
  const auto secondSlash = firstSlash == std::string_view::npos ? firstSlash : text.find('/', firstSlash + 1);
  if (secondSlash == std::string_view::npos) return std::nullopt;
  const auto month = Digits(text.substr(0, firstSlash), 2, false);
  const auto day = Digits(text.substr(firstSlash + 1, secondSlash - firstSlash - 1), 2, false);
  const auto year = Digits(text.substr(secondSlash + 1), 4, true);
  if (!month || !day || !year) return std::nullopt;
  return CheckedDate(*year, *month, *day);
}

int DayOfYear(const CalendarDate& date) {
  const int leapDay = (date.month >= 3 && date.year % 4 == 0) ? 1 : 0;
  return date.day + kDaysBeforeMonth[static_cast<std::size_t>(date.month)] + leapDay;
}

// The fields before the period heads ("Station,Date,..."), read and dropped; the
// first period field of the row, or nullopt.
std::optional<FieldReader::Field> WeatherFileReader::SkipLeadingColumns() {
  FieldReader::Field field;
  for (int position = 2; position <= layout_.leadingColumns + 1; ++position) {
    if (lastPeriodFieldEndsLine_) ContinueRow(position - 1);
    field = fields_.Next();
    const bool period = position == layout_.leadingColumns + 1;
    if (!RequireField(field, position, period ? (header_.Period == PeriodType::Date ? "Date" : "Year") : "before the period"))
      return std::nullopt;
    lastPeriodFieldEndsLine_ = field.EndsLine();
  }
  return field;
}

void WeatherFileReader::SetPeriodKey(std::string_view text, WeatherRecord& record) {
  // The key is kept apart from the reader's buffer, which the rest of the row may move:
  // the short ones (every date) in a fixed array, without the work of a string.
  if (text.size() <= shortPeriodKey_.size()) {
    std::copy(text.begin(), text.end(), shortPeriodKey_.begin());
    record.PeriodKey = std::string_view(shortPeriodKey_.data(), text.size());
  } else {
    periodKey_.assign(text);
    record.PeriodKey = periodKey_;
  }
}

bool WeatherFileReader::ReadPeriodFields(WeatherRecord& record, const FieldReader::Field& key) {
  const std::string_view text = TrimSpaces(key.text);
  SetPeriodKey(text, record);
  record.Period = header_.Period;
  record.PeriodNumber = 0;
  if (layout_.periodFields == PeriodFields::Date) {
    // The form almost every station writes, "mm/dd/yyyy", first; its key stays as read.
    if (dateOrder_ == DateOrder::MonthFirst)
      if (const auto date = ParseDate(text)) {
        record.DayOfYear = DayOfYear(*date);
        return true;
      }
    return ReadDate(text, record);
  }
  const int first = layout_.leadingColumns + 1;
  const ParsedNumber year = ParsePeriodNumber(text);
  if (year.status != NumberStatus::Value)
    return Refuse(recordLine_, NotANumber(static_cast<std::size_t>(first), "Year", text) + MixedSeparators(text, true));
  lastPeriodFieldEndsLine_ = key.EndsLine();
  if (layout_.periodFields == PeriodFields::YearMonthDay) return ReadYearMonthDay(record, year.value, text);
  const bool weekly = header_.Period == PeriodType::Week;
  double number = 0;
  if (!ReadNextPeriodNumber(first + 1, weekly ? "Week" : "Month", weekly ? 53 : 12, number)) return false;
  record.PeriodNumber = number;
  record.DayOfYear = weekly ? 7 * (number - 1) + 4 : 30 * (number - 1) + 16;
  NoteRepeat(year.value, number);
  return true;
}

// The week, month or day number after the field before it; a whole number from 1 to
// `lastNumber`.
bool WeatherFileReader::ReadNextPeriodNumber(int position, std::string_view head, int lastNumber, double& value) {
  if (lastPeriodFieldEndsLine_) ContinueRow(position - 1);
  const auto field = fields_.Next();
  if (!RequireField(field, position, head)) return false;
  const ParsedNumber number = ParsePeriodNumber(field.text);
  if (number.status != NumberStatus::Value)
    return Refuse(recordLine_, NotANumber(static_cast<std::size_t>(position), head, field.text));
  if (!(number.value >= 1 && number.value <= lastNumber && number.value == static_cast<int>(number.value)))
    return Refuse(field.line, "field " + std::to_string(position) + " (" + std::string(head) + ") " +
                                  QuotedField(TrimSpaces(field.text)) + " is not a " + LowerFirst(head) +
                                  " number from 1 to " + std::to_string(lastNumber) + ShiftedRow());
  lastPeriodFieldEndsLine_ = field.EndsLine();
  value = number.value;
  return true;
}

// Years, months and weeks are mostly written as a few plain digits: such a text is their
// number, read here without the general parse, which reads everything else.
ParsedNumber WeatherFileReader::ParsePeriodNumber(std::string_view text) const {
  if (text.empty() || text.size() > 4) return ParseField(text);
  int value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return ParseField(text);
    value = value * 10 + (c - '0');
  }
  return {NumberStatus::Value, static_cast<double>(value)};
}

bool WeatherFileReader::ReadYearMonthDay(WeatherRecord& record, double year, std::string_view yearText) {
  const int first = layout_.leadingColumns + 1;
  if (!(year >= 1 && year <= 9999 && year == static_cast<int>(year)))
    return Refuse(recordLine_, "field " + std::to_string(first) + " (Year) " + QuotedField(yearText) +
                                   " is not a year from 1 to 9999");
  double month = 0, day = 0;
  if (!ReadNextPeriodNumber(first + 1, "Month", 12, month) || !ReadNextPeriodNumber(first + 2, "Day", 31, day))
    return false;
  const CalendarDate date{static_cast<int>(year), static_cast<int>(month), static_cast<int>(day)};
  if (date.day > DaysInMonth(date.year, date.month))
    return Refuse(recordLine_, "fields " + std::to_string(first) + " to " + std::to_string(first + 2) +
                                   " (Year,Month,Day) " + ShortestText(year) + "," + ShortestText(month) + "," +
                                   ShortestText(day) + " are no date of the calendar");
  SetPeriodKey(MonthFirstText(date), record);
  record.DayOfYear = DayOfYear(date);
  return true;
}

// Weekly and monthly rows: a year and number seen before makes the row a repeat.
void WeatherFileReader::NoteRepeat(double year, double number) {
  const std::pair<double, double> period{year, number};
  // Rows mostly come in the order of their periods: a period after every one seen is
  // new, and goes at the end without a search.
  if (periodsSeen_.empty() || periodsSeen_.back().first < period) {
    lastNotedPeriod_ = periodsSeen_.size();
    periodsSeen_.push_back({period, recordLine_});
    return;
  }
  // A file that holds its periods twice over repeats them in order too: the period after
  // the one last noted is tried before a search.
  auto at = periodsSeen_.begin() + static_cast<std::ptrdiff_t>(lastNotedPeriod_ + 1);
  if (at == periodsSeen_.end() || at->first != period)
    at = std::lower_bound(periodsSeen_.begin(), periodsSeen_.end(), period,
                          [](const auto& seen, const auto& wanted) { return seen.first < wanted; });
  lastNotedPeriod_ = static_cast<std::size_t>(at - periodsSeen_.begin());
  if (at != periodsSeen_.end() && at->first == period) {
    repeatOf_ = at->second;
    if (firstRepeat_ == 0) {
      firstRepeat_ = recordLine_;
      firstRepeated_ = at->second;
    }
    return;
  }
  periodsSeen_.insert(at, {period, recordLine_});
}

bool WeatherFileReader::ReadDate(std::string_view text, WeatherRecord& record) {
  const auto date = ParseStationDate(text, dateOrder_);
  if (!date) return RefuseDate(text);
  // Every other form becomes the program's own, which the result file's readers take.
  SetPeriodKey(MonthFirstText(*date), record);
  record.DayOfYear = DayOfYear(*date);
  return true;
}

bool WeatherFileReader::RefuseDate(std::string_view text) {
  const std::string field = "field " + std::to_string(layout_.leadingColumns + 1) + " (Date) " + QuotedField(text);
  const OrderEvidence evidence = SlashedOrderOf(text);
  const bool otherOrder = evidence == (dateOrder_ == DateOrder::MonthFirst ? OrderEvidence::DayFirstOnly
                                                                           : OrderEvidence::MonthFirstOnly);
  const std::string other(OrderWords(dateOrder_ == DateOrder::MonthFirst ? DateOrder::DayFirst : DateOrder::MonthFirst));
  const std::string ours(OrderWords(dateOrder_));
  if (otherOrder && fixedOrder_)
    return Refuse(recordLine_, field + " can only be " + other + ", but line " + std::to_string(fixedOrder_->line) +
                                   " ('" + fixedOrder_->text + "') can only be " + ours +
                                   "; a file writes all its dates one way");
  if (otherOrder)
    return Refuse(recordLine_, field + " can only be " + other + ", but the dates are read " + ours +
                                   (rules_.dayFirst ? " (--day-first)" : "; give --day-first when the file writes the day first"));
  if (text.find('/') != std::string_view::npos)
    return Refuse(recordLine_, field + " is not a date of the calendar written " + ours + MixedSeparators(text, true));
  return Refuse(recordLine_, field + " is no date; the forms known are month/day/year (day/month/year with "
                                     "--day-first), YYYY-MM-DD and YYYYMMDD" + MixedSeparators(text, true));
}

}  // namespace sorvane
