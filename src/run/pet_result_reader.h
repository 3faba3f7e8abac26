// PetResultReader: a PetResultFile read back, as the PetResultWriter wrote it or as a
// person edited it. Line 1 holds the period heads ("Date", "Year,Week" or "Year,Month")
// and then the method heads; every further line is one row of as many fields. Streaming:
// one row at a time, so a file of any length is read in a fixed amount of memory.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/field_reader.h"
#include "common/line_fields.h"
#include "common/notices.h"
#include "methods/weather_record.h"

namespace sorvane {

struct PetResultRow {
  long line = 0;
  std::string periodKey;  // field 1 as read: the date of a daily row, the year of the others
  double year = 0;        // weekly and monthly rows: the year as a number
  double number = 0;      // weekly and monthly rows: the week or the month
  std::vector<std::optional<double>> values;  // one per method head, mm per period; nullopt: empty
  std::string estimated;  // the field of the column Estimated, trimmed: the parameters estimated in the row
};

class PetResultReader {
 public:
  enum class HeadsRead { Period, NoPeriodHeads };
  enum class Step { Row, End };

  explicit PetResultReader(FieldReader fields) : fields_(std::move(fields)) {}

  // The period heads at the start of line 1. NoPeriodHeads when it begins with none of
  // them (this is no PET result file; NoPeriodHeadsProblem() says so), or the problem of
  // a line 1 that cannot be read.
  Expected<HeadsRead> ReadPeriodHeads();
  static Problem NoPeriodHeadsProblem();
  // The period heads and then the method heads: line 1 of a file that must be a PET
  // result, the problem of one without period heads included.
  Expected<void> ReadHeads();
  PeriodType Period() const { return period_; }

  // Rows whose period number (Week or Month) is empty are read, with number 0: the year
  // rows of a summary file ("Year,Month,Days,..."). Otherwise such a row is a Problem.
  void AllowEmptyPeriodNumbers() { emptyNumbersAllowed_ = true; }

  // The rest of line 1, leading and trailing spaces trimmed: the method heads, for a
  // reader that splits them itself (the adjuster splits them through a scratch file).
  // The problem when the line cannot be read.
  Expected<std::string> ReadMethodHeadsText();
  // The method heads that every row holds a value for, in column order. A last head
  // "Estimated" is no method: its field names the parameters a run estimated in the row.
  void SetMethodHeads(std::vector<std::string> heads);
  // Whether the rows end with the column Estimated.
  bool FlagsEstimates() const { return flagsEstimates_; }
  // The rest of line 1 split by the field rules: none when the period heads end it.
  Expected<void> ReadMethodHeads();
  const std::vector<std::string>& MethodHeads() const { return methods_; }

  // The next row, End after the last one (blank lines at the end end the data), or the
  // problem: a blank line between rows, a row of the wrong length, a field that is not
  // a number.
  Expected<Step> NextRow(PetResultRow& row);

 private:
  Expected<void> ReadPeriod(PetResultRow& row);
  int PeriodFields() const { return period_ == PeriodType::Date ? 1 : 2; }

  FieldReader fields_;
  PeriodType period_ = PeriodType::Date;
  bool headsEndLine1_ = false;
  bool emptyNumbersAllowed_ = false;
  bool flagsEstimates_ = false;
  std::vector<std::string> methods_;
  std::vector<std::string> line_;  // the fields of the current row, reused
};

}  // namespace sorvane
