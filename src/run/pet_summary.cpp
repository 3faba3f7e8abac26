#include "run/pet_summary.h"

#include <bitset>
#include <cmath>
#include <map>
#include <vector>

#include "common/calendar.h"
#include "common/numbers.h"
#include "run/pet_result_reader.h"
#include "run/weather_file_reader.h"

namespace sorvane {

namespace {

// The sums of one period (a month of a daily file, a year of the others): which of its
// parts (days, weeks, months) are present, and per method the sum and whether a value
// was empty.
struct PeriodSums {
  std::bitset<54> parts;
  std::bitset<54> estimated;  // the parts whose row holds estimates
  std::vector<double> sums;
  std::vector<bool> empty;

  bool Add(int part, const PetResultRow& row) {
    const std::vector<std::optional<double>>& values = row.values;
    if (parts.test(static_cast<std::size_t>(part))) return false;
    parts.set(static_cast<std::size_t>(part));
    if (!row.estimated.empty()) estimated.set(static_cast<std::size_t>(part));
    sums.resize(values.size(), 0.0);
    empty.resize(values.size(), false);
    for (std::size_t m = 0; m < values.size(); ++m) {
      if (values[m])
        sums[m] += *values[m];
      else
        empty[m] = true;
    }
    return true;
  }
  // Whether parts 1 to `whole` are all present.
  bool Whole(int whole) const {
    for (int part = 1; part <= whole; ++part)
      if (!parts.test(static_cast<std::size_t>(part))) return false;
    return true;
  }
};

// The days of a row, and of them those with estimates (-1: the result flags none).
struct DayCounts {
  long days = 0;
  long estimated = -1;
};

void AppendRow(std::string& out, int year, int month, DayCounts days, const std::vector<double>& sums,
               const std::vector<bool>& complete) {
  out += std::to_string(year) + ',' + (month > 0 ? std::to_string(month) : std::string()) + ',' +
         std::to_string(days.days);
  if (days.estimated >= 0) out += ',' + std::to_string(days.estimated);
  for (std::size_t m = 0; m < complete.size(); ++m) {
    out += ',';
    if (complete[m]) AppendPetValue(out, sums[m]);
  }
  out += "\r\n";
}

// Whole numbers in a range, as the weekly and monthly rows must hold.
bool WholeIn(double value, int first, int last) {
  return value == std::floor(value) && value >= first && value <= last;
}

void SummariseDaily(const std::map<int, std::map<int, PeriodSums>>& years, std::size_t methods, bool flagged,
                    PetSummary& summary) {
  for (const auto& [year, months] : years) {
    std::vector<double> yearSums(methods, 0.0);
    std::vector<bool> yearComplete(methods, months.size() == 12);
    DayCounts yearDays{0, flagged ? 0 : -1};
    for (const auto& [month, sums] : months) {
      const bool wholeMonth = sums.Whole(DaysInMonth(year, month));
      std::vector<bool> complete(methods);
      bool all = true;
      for (std::size_t m = 0; m < methods; ++m) {
        complete[m] = wholeMonth && !sums.empty[m];
        all = all && complete[m];
        yearSums[m] += sums.sums[m];
        yearComplete[m] = yearComplete[m] && complete[m];
      }
      if (!all) ++summary.incomplete;
      const DayCounts days{static_cast<long>(sums.parts.count()),
                           flagged ? static_cast<long>(sums.estimated.count()) : -1};
      yearDays.days += days.days;
      if (flagged) yearDays.estimated += days.estimated;
      AppendRow(summary.text, year, month, days, sums.sums, complete);
    }
    AppendRow(summary.text, year, 0, yearDays, yearSums, yearComplete);
  }
}

void SummariseYears(const std::map<int, PeriodSums>& years, std::size_t methods, bool weekly, bool flagged,
                    PetSummary& summary) {
  for (const auto& [year, sums] : years) {
    const bool whole = sums.Whole(weekly ? 52 : 12);
    std::vector<bool> complete(methods);
    bool all = true;
    for (std::size_t m = 0; m < methods; ++m) {
      complete[m] = whole && !sums.empty[m];
      all = all && complete[m];
    }
    if (!all) ++summary.incomplete;
    DayCounts days{0, flagged ? 0 : -1};
    for (int part = 1; part <= (weekly ? 53 : 12); ++part) {
      if (!sums.parts.test(static_cast<std::size_t>(part))) continue;
      const long length = weekly ? 7 : DaysInMonth(year, part);
      days.days += length;
      if (flagged && sums.estimated.test(static_cast<std::size_t>(part))) days.estimated += length;
    }
    AppendRow(summary.text, year, 0, days, sums.sums, complete);
  }
}

}  // namespace

Expected<PetSummary> SummarisePetResult(FieldReader fields) {
  PetResultReader reader(std::move(fields));
  if (auto heads = reader.ReadHeads(); !heads) return Fail(heads.error());
  PetSummary summary;
  summary.daily = reader.Period() == PeriodType::Date;
  const bool weekly = reader.Period() == PeriodType::Week;
  const bool flagged = reader.FlagsEstimates();
  summary.text = flagged ? "Year,Month,Days," + std::string(kEstimatedDaysHead) : "Year,Month,Days";
  for (const std::string& head : reader.MethodHeads()) summary.text += ',' + head;
  summary.text += "\r\n";

  std::map<int, std::map<int, PeriodSums>> days;  // daily: by year and month
  std::map<int, PeriodSums> parts;                // weekly and monthly: by year
  PetResultRow row;
  Expected<PetResultReader::Step> step = PetResultReader::Step::End;
  const auto refuse = [&](std::string what) { return Fail(row.line, std::move(what)); };
  while ((step = reader.NextRow(row)) == PetResultReader::Step::Row) {
    bool added = false;
    if (summary.daily) {
      const auto date = ParseDate(row.periodKey);
      if (!date) return refuse(NotACalendarDate(row.periodKey));
      added = days[date->year][date->month].Add(date->day, row);
    } else {
      if (!WholeIn(row.year, 1, 9999)) return refuse("field 1 (Year) '" + row.periodKey + "' is not a year");
      if (!WholeIn(row.number, 1, weekly ? 53 : 12))
        return refuse(std::string("field 2 (") + (weekly ? "Week" : "Month") + ") is not a " +
                      (weekly ? "week from 1 to 53" : "month from 1 to 12"));
      added = parts[static_cast<int>(row.year)].Add(static_cast<int>(row.number), row);
    }
    if (!added) return refuse("the period of this row comes twice in the file");
  }
  if (!step) return Fail(step.error());
  const std::size_t methods = reader.MethodHeads().size();
  if (summary.daily)
    SummariseDaily(days, methods, flagged, summary);
  else
    SummariseYears(parts, methods, weekly, flagged, summary);
  return summary;
}

std::string IncompleteNotice(const PetSummary& summary) {
  const std::string count = std::to_string(summary.incomplete);
  if (summary.daily)
    return count + (summary.incomplete == 1 ? " month is" : " months are") +
           " incomplete: their totals, and those of their years, are left empty";
  return count + (summary.incomplete == 1 ? " year is" : " years are") + " incomplete: its totals are left empty";
}

}  // namespace sorvane
