// The forms daily weather files write their dates in: month/day/year (the program's
// own), day/month/year (most of the world), YYYY-MM-DD (ISO 8601) and YYYYMMDD.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/calendar.h"

namespace sorvane {

// How a file writes the numbers of its slashed dates.
enum class DateOrder { MonthFirst, DayFirst };

// What a slashed date's two first numbers allow: 05/06/2011 either order, 13/01/2011
// day first only, 01/13/2011 month first only.
enum class OrderEvidence { NotSlashed, Either, MonthFirstOnly, DayFirstOnly };
OrderEvidence SlashedOrderOf(std::string_view text);

// A date of the calendar in any of the forms, slashed dates in `order`; nullopt otherwise.
std::optional<CalendarDate> ParseStationDate(std::string_view text, DateOrder order);

// The order the first decisive slashed date of `rows` fixes, with the line it stands on
// (counted from `firstLine`), or no `fixed` when every date there allows either order;
// `slashed` when a date there is slashed. `rows` are lines of data; the date is the
// field after `fieldsBefore` separators.
struct FixedOrder {
  DateOrder order;
  long line;
  std::string text;
};
struct OrderScan {
  std::optional<FixedOrder> fixed;
  bool slashed = false;
};
OrderScan FirstDecisiveOrder(std::string_view rows, long firstLine, int fieldsBefore, char separator);

// Slashed dates read month/day/year only because no date of the file reads one way
// alone: rows that jump by a month where the other reading steps by a day betray a file
// written day/month/year whose days are all 12 or less.
class ReversedOrderWatch {
 public:
  void Note(std::string_view date, long line);  // each row's date as written, in file order
  // "'02/01/2011' follows line 5 '01/01/2011' by 31 days read month/day/year ...",
  // when most steps look reversed; empty otherwise.
  std::string Finding() const;
  long FirstLine() const { return firstLine_; }

 private:
  std::string last_;
  long lastLine_ = 0;
  long reversed_ = 0, steps_ = 0;
  long firstLine_ = 0;
  std::string firstText_;
};

// "month/day/year" or "day/month/year".
std::string_view OrderWords(DateOrder order);

// "01/31/2012": the program's own date text, which every later step reads.
std::string MonthFirstText(const CalendarDate& date);

}  // namespace sorvane
