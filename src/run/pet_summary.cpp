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
  std::vector<double> sums;
  std::vector<bool> empty;

  bool Add(int part, const std::vector<std::optional<double>>& values) {
    if (parts.test(static_cast<std::size_t>(part))) return false;
    parts.set(static_cast<std::size_t>(part));
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

void AppendRow(std::string& out, int year, int month, long days, const std::vector<double>& sums,
               const std::vector<bool>& complete) {
  out += std::to_string(year) + ',' + (month > 0 ? std::to_string(month) : std::string()) + ',' +
         std::to_string(days);
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

void SummariseDaily(const std::map<int, std::map<int, PeriodSums>>& years, std::size_t methods, PetSummary& summary) {
  for (const auto& [year, months] : years) {
    std::vector<double> yearSums(methods, 0.0);
    std::vector<bool> yearComplete(methods, months.size() == 12);
    long yearDays = 0;
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
      const long days = static_cast<long>(sums.parts.count());
      yearDays += days;
      AppendRow(summary.text, year, month, days, sums.sums, complete);
    }
    AppendRow(summary.text, year, 0, yearDays, yearSums, yearComplete);
  }
}

void SummariseYears(const std::map<int, PeriodSums>& years, std::size_t methods, bool weekly, PetSummary& summary) {
  for (const auto& [year, sums] : years) {
    const bool whole = sums.Whole(weekly ? 52 : 12);
    std::vector<bool> complete(methods);
    bool all = true;
    for (std::size_t m = 0; m < methods; ++m) {
      complete[m] = whole && !sums.empty[m];
      all = all && complete[m];
    }
    if (!all) ++summary.incomplete;
    long days = 0;
    for (int part = 1; part <= (weekly ? 53 : 12); ++part)
      if (sums.parts.test(static_cast<std::size_t>(part))) days += weekly ? 7 : DaysInMonth(year, part);
    AppendRow(summary.text, year, 0, days, sums.sums, complete);
  }
}

}  // namespace

std::optional<PetSummary> SummarisePetResult(FieldReader fields, Problem& problem) {
  PetResultReader reader(std::move(fields));
  if (reader.ReadPeriodHeads() != PetResultReader::HeadsRead::Period || !reader.ReadMethodHeads()) {
    problem = reader.LastProblem();
    return std::nullopt;
  }
  PetSummary summary;
  summary.daily = reader.Period() == PeriodType::Date;
  const bool weekly = reader.Period() == PeriodType::Week;
  summary.text = "Year,Month,Days";
  for (const std::string& head : reader.MethodHeads()) summary.text += ',' + head;
  summary.text += "\r\n";

  std::map<int, std::map<int, PeriodSums>> days;  // daily: by year and month
  std::map<int, PeriodSums> parts;                // weekly and monthly: by year
  PetResultRow row;
  PetResultReader::Step step;
  const auto refuse = [&](std::string what) {
    problem = AtLine(row.line, std::move(what));
    return std::nullopt;
  };
  while ((step = reader.NextRow(row)) == PetResultReader::Step::Row) {
    bool added = false;
    if (summary.daily) {
      const auto date = ParseDate(row.periodKey);
      if (!date) return refuse(NotACalendarDate(row.periodKey));
      added = days[date->year][date->month].Add(date->day, row.values);
    } else {
      if (!WholeIn(row.year, 1, 9999)) return refuse("field 1 (Year) '" + row.periodKey + "' is not a year");
      if (!WholeIn(row.number, 1, weekly ? 53 : 12))
        return refuse(std::string("field 2 (") + (weekly ? "Week" : "Month") + ") is not a " +
                      (weekly ? "week from 1 to 53" : "month from 1 to 12"));
      added = parts[static_cast<int>(row.year)].Add(static_cast<int>(row.number), row.values);
    }
    if (!added) return refuse("the period of this row comes twice in the file");
  }
  if (step == PetResultReader::Step::Problem) {
    problem = reader.LastProblem();
    return std::nullopt;
  }
  const std::size_t methods = reader.MethodHeads().size();
  if (summary.daily)
    SummariseDaily(days, methods, summary);
  else
    SummariseYears(parts, methods, weekly, summary);
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
