// A PetResultFile read back whole for drawing: its period kind, its method columns and
// one row per data line, with every empty field kept as "no value".
#pragma once

#include <string>
#include <vector>

#include "common/calendar.h"
#include "common/field_reader.h"
#include "common/notices.h"
#include "common/problem.h"
#include "methods/weather_record.h"

namespace sorvane::plot {

struct PetResultRow {
  long line = 0;
  CalendarDate date;           // daily files
  double year = 0;             // weekly and monthly files: the PeriodKey
  double number = 0;           // weekly and monthly files: the week or the month
  std::vector<double> values;  // one per method column, mm per period; NaN where the field is empty
};

struct PetResultTable {
  PeriodType period = PeriodType::Date;
  std::vector<std::string> methods;  // the column heads after the period heads
  std::vector<PetResultRow> rows;    // in file order
  bool monthlyTotals = false;        // the months of a summary file ("Year,Month,Days,...")
};

// Reads a whole PetResultFile (header "Date,..." or "Year,Week,..." or "Year,Month,...",
// then rows of as many fields, the dates of daily rows true dates of the calendar).
// A summary file ("Year,Month,Days,...") is read as the monthly file of its months: its
// year rows and its Days column are left out. The problem when it is not one.
Expected<PetResultTable> ReadPetResultTable(FieldReader file);

}  // namespace sorvane::plot
