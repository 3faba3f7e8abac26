#include "ui/plot/pet_result_table.h"

#include <limits>

#include "common/text.h"
#include "run/pet_result_reader.h"
#include "run/pet_summary.h"
#include "run/weather_file_reader.h"

namespace sorvane::plot {

Expected<PetResultTable> ReadPetResultTable(FieldReader file) {
  PetResultReader reader(std::move(file));
  if (auto heads = reader.ReadHeads(); !heads) return Fail(heads.error());
  PetResultTable table;
  table.period = reader.Period();
  for (const std::string& head : reader.MethodHeads()) table.methods.emplace_back(TrimSpaces(head));
  table.monthlyTotals = table.period == PeriodType::Month && !table.methods.empty() && table.methods[0] == "Days";
  // The day counts of a summary ("Days", and "Estimated days" when it counts estimates) are no methods.
  std::size_t counts = 0;
  if (table.monthlyTotals) {
    reader.AllowEmptyPeriodNumbers();
    counts = table.methods.size() > 1 && table.methods[1] == kEstimatedDaysHead ? 2 : 1;
    table.methods.erase(table.methods.begin(), table.methods.begin() + static_cast<std::ptrdiff_t>(counts));
  }

  sorvane::PetResultRow read;
  Expected<PetResultReader::Step> step = PetResultReader::Step::End;
  while ((step = reader.NextRow(read)) == PetResultReader::Step::Row) {
    if (table.monthlyTotals && read.number == 0) continue;  // a year's row
    PetResultRow row{read.line, {}, read.year, read.number, {}};
    if (table.period == PeriodType::Date) {
      const std::string_view text = TrimSpaces(read.periodKey);
      const auto date = ParseDate(text);
      if (!date) return Fail(read.line, NotACalendarDate(text));
      row.date = *date;
    }
    for (std::size_t m = counts; m < read.values.size(); ++m)
      row.values.push_back(read.values[m].value_or(std::numeric_limits<double>::quiet_NaN()));
    table.rows.push_back(std::move(row));
  }
  if (!step) return Fail(step.error());
  return table;
}

}  // namespace sorvane::plot
