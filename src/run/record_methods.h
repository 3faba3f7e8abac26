// Each method applied to one record of a station file: the record's readings, the
// station and the record's shared terms mapped onto the quantities of the method's
// formula (methods/methods.h), and the formula's result made the value of the record's
// period: a daily rate scaled to the week or month, never negative.
#pragma once

#include <cmath>
#include <limits>

#include "common/calendar.h"
#include "methods/weather_record.h"
#include "run/row_terms_maker.h"
#include "run/station_setup.h"

namespace sorvane {

// A value a method cannot give for a record; the result file holds an empty field.
inline constexpr double kNotComputable = std::numeric_limits<double>::quiet_NaN();

// What a method is to the driver: one record, the station, the file's constants and the
// record's terms in; mm for the record's period out, never negative, kNotComputable
// when the formula gives no number.
using RecordMethod = double(const WeatherRecord& record, const StationHeader& station,
                            const StationConstants& constants, const RowTerms& terms);

RecordMethod ModifiedPenmanOf;  // MethodId 1
RecordMethod HargreavesOf;      // MethodId 2
RecordMethod TurcOf;            // MethodId 3
RecordMethod ThornthwaiteOf;    // MethodId 4
RecordMethod BlaneyCriddleOf;   // MethodId 5
RecordMethod ChristiansenOf;    // MethodId 6
RecordMethod OpenPanOf;         // MethodId 7
RecordMethod PenmanMonteithOf;  // MethodId 8

// Every method's last step: a negative result becomes 0. A result that is not a
// finite number stays "not computable": tested first, as -inf would otherwise become 0.
inline double ClampAtZero(double value) {
  if (!std::isfinite(value)) return kNotComputable;
  return value < 0 ? 0.0 : value;
}

// The days of the record's period: 1 for a day, 7 for a week, the month's days for a
// month (February 28); kNotComputable for a month number no month has.
inline double PeriodDays(const WeatherRecord& record) {
  switch (record.Period) {
    case PeriodType::Week: return 7;
    case PeriodType::Month:
      // The reader lets only months 1..12 through; anything else has no month length.
      if (!(record.PeriodNumber >= 1 && record.PeriodNumber <= 12)) return kNotComputable;
      return kMonthDays[static_cast<std::size_t>(record.PeriodNumber)];
    case PeriodType::Date: break;
  }
  return 1;
}
// A daily rate over the record's period.
inline double ScaleToPeriod(double daily, const WeatherRecord& record) { return daily * PeriodDays(record); }

}  // namespace sorvane
