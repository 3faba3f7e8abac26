// The period totals of a PET result file: for a daily result one row per month present
// and one per year, for a weekly or monthly result one row per year. Totals are sums of
// the values as the result file writes them (so a spreadsheet gives the same numbers),
// rendered as result values are; a total over a period the file does not cover whole
// is left empty.
#pragma once

#include "common/problem.h"
#include <string>
#include <string_view>

#include "common/field_reader.h"
#include "common/line_fields.h"

namespace sorvane {

// The column after "Days" in the summary of a result that flags estimates: the days of
// the period whose rows hold estimates.
inline constexpr std::string_view kEstimatedDaysHead = "Estimated days";

struct PetSummary {
  std::string text;      // "Year,Month,Days,<method>..." and its rows, lines ended by CR LF
  long incomplete = 0;   // months (daily results) or years (weekly, monthly) with an empty total
  bool daily = false;
};

// The summary of the result file read by `fields`, or the problem when the file is no
// PET result or a row cannot be read exactly or repeats a period.
Expected<PetSummary> SummarisePetResult(FieldReader fields);

// "3 months are incomplete: their totals, and those of their years, are left empty"
std::string IncompleteNotice(const PetSummary& summary);

}  // namespace sorvane
