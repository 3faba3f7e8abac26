#include "run/date_forms.h"

#include <algorithm>

#include "common/text.h"

namespace sorvane {

namespace {

bool AllDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The value of a few digits (AllDigits, at most four).
int Number(std::string_view digits) {
  int value = 0;
  for (const char digit : digits) value = value * 10 + (digit - '0');
  return value;
}

std::optional<CalendarDate> Checked(int year, int month, int day) {
  if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) return std::nullopt;
  return CalendarDate{year, month, day};
}

// The three numbers of "a/b/yyyy" (one or two digits, then four), or nullopt.
struct Slashed {
  int first, second, year;
};
std::optional<Slashed> SlashedNumbers(std::string_view text) {
  const auto one = text.find('/');
  const auto two = one == std::string_view::npos ? one : text.find('/', one + 1);
  if (two == std::string_view::npos) return std::nullopt;
  const std::string_view a = text.substr(0, one), b = text.substr(one + 1, two - one - 1), y = text.substr(two + 1);
  if (!AllDigits(a) || !AllDigits(b) || !AllDigits(y) || a.size() > 2 || b.size() > 2 || y.size() != 4)
    return std::nullopt;
  return Slashed{Number(a), Number(b), Number(y)};
}

}  // namespace

OrderEvidence SlashedOrderOf(std::string_view text) {
  const auto numbers = SlashedNumbers(text);
  if (!numbers) return OrderEvidence::NotSlashed;
  const bool monthFirst = Checked(numbers->year, numbers->first, numbers->second).has_value();
  const bool dayFirst = Checked(numbers->year, numbers->second, numbers->first).has_value();
  if (monthFirst && dayFirst) return OrderEvidence::Either;
  if (monthFirst) return OrderEvidence::MonthFirstOnly;
  if (dayFirst) return OrderEvidence::DayFirstOnly;
  return OrderEvidence::NotSlashed;
}

std::optional<CalendarDate> ParseStationDate(std::string_view text, DateOrder order) {
  if (const auto numbers = SlashedNumbers(text)) {
    return order == DateOrder::MonthFirst ? Checked(numbers->year, numbers->first, numbers->second)
                                          : Checked(numbers->year, numbers->second, numbers->first);
  }
  if (text.size() == 10 && text[4] == '-' && text[7] == '-') {
    const std::string_view y = text.substr(0, 4), m = text.substr(5, 2), d = text.substr(8, 2);
    if (AllDigits(y) && AllDigits(m) && AllDigits(d)) return Checked(Number(y), Number(m), Number(d));
    return std::nullopt;
  }
  if (text.size() == 8 && AllDigits(text))
    return Checked(Number(text.substr(0, 4)), Number(text.substr(4, 2)), Number(text.substr(6, 2)));
  return std::nullopt;
}

OrderScan FirstDecisiveOrder(std::string_view rows, long firstLine, int fieldsBefore, char separator) {
  OrderScan scan;
  long line = firstLine;
  while (!rows.empty()) {
    const std::size_t end = LineEndIn(rows);
    std::string_view row = rows.substr(0, end);
    for (int skip = 0; skip < fieldsBefore && !row.empty(); ++skip) {
      const std::size_t at = row.find(separator);
      row = at == std::string_view::npos ? std::string_view{} : row.substr(at + 1);
    }
    std::string_view date = row.substr(0, row.find(separator));
    while (!date.empty() && (date.front() == ' ' || date.front() == '"')) date.remove_prefix(1);
    while (!date.empty() && (date.back() == ' ' || date.back() == '"')) date.remove_suffix(1);
    if (date == "&") return scan;
    const OrderEvidence evidence = SlashedOrderOf(date);
    scan.slashed = scan.slashed || evidence != OrderEvidence::NotSlashed;
    if (evidence == OrderEvidence::MonthFirstOnly || evidence == OrderEvidence::DayFirstOnly) {
      const DateOrder order = evidence == OrderEvidence::MonthFirstOnly ? DateOrder::MonthFirst : DateOrder::DayFirst;
      scan.fixed = FixedOrder{order, line, std::string(date)};
      return scan;
    }
    if (end == std::string_view::npos) break;
    const bool crlf = rows[end] == '\r' && end + 1 < rows.size() && rows[end + 1] == '\n';
    rows.remove_prefix(end + (crlf ? 2 : 1));
    ++line;
  }
  return scan;
}

void ReversedOrderWatch::Note(std::string_view date, long line) {
  if (!last_.empty()) {
    const auto read = ParseStationDate(date, DateOrder::MonthFirst), before = ParseStationDate(last_, DateOrder::MonthFirst);
    const auto other = ParseStationDate(date, DateOrder::DayFirst);
    const auto otherBefore = ParseStationDate(last_, DateOrder::DayFirst);
    if (read && before && other && otherBefore) {
      ++steps_;
      const long step = DayNumber(*read) - DayNumber(*before);
      if (step != 1 && DayNumber(*other) - DayNumber(*otherBefore) == 1 && reversed_++ == 0) {
        firstLine_ = line;
        firstText_ = "'" + std::string(date) + "' follows line " +
                     std::to_string(lastLine_) + " '" + last_ + "' by " + std::to_string(step) + " days read " +
                     std::string(OrderWords(DateOrder::MonthFirst)) + ", by one day read " +
                     std::string(OrderWords(DateOrder::DayFirst));
      }
    }
  }
  last_.assign(date);
  lastLine_ = line;
}

std::string ReversedOrderWatch::Finding() const {
  if (reversed_ == 0 || 2 * reversed_ <= steps_) return "";
  return firstText_ + ", as " + std::to_string(reversed_) + " of the " + std::to_string(steps_) +
         " steps between rows do: the dates look written day/month/year; give --day-first if they are";
}

std::string_view OrderWords(DateOrder order) {
  return order == DateOrder::MonthFirst ? "month/day/year" : "day/month/year";
}

std::string MonthFirstText(const CalendarDate& date) {
  char text[16];
  auto two = [](char* at, int n) {
    at[0] = static_cast<char>('0' + n / 10 % 10);
    at[1] = static_cast<char>('0' + n % 10);
  };
  two(text, date.month);
  text[2] = '/';
  two(text + 3, date.day);
  text[5] = '/';
  two(text + 6, date.year / 100);
  two(text + 8, date.year % 100);
  return std::string(text, 10);
}

}  // namespace sorvane
