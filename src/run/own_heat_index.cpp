// The station's own Thornthwaite heat index, from the monthly mean temperatures of the
// complete calendar years of its monthly file, instead of the heat index table.
#include <array>
#include <map>
#include <optional>
#include <string>

#include "common/field_reader.h"
#include "methods/heat_index.h"
#include "run/heat_index_table.h"
#include "run/method_table.h"

namespace sorvane {

namespace {

// One calendar year of a monthly file: the mean temperature of each month it holds.
struct YearOfMonths {
  std::array<double, 12> mean{};  // degrees C
  std::array<int, 12> rows{};     // rows of the month with both temperatures read
  bool spoilt = false;            // a month repeated or without a temperature reading

  bool Complete() const {
    if (spoilt) return false;
    for (int count : rows)
      if (count != 1) return false;
    return true;
  }
};

}  // namespace

Expected<double> OwnHeatIndex(const std::filesystem::path& path, const ReadingRules& rules, int& completeYears) {
  completeYears = 0;
  auto fields = FieldReader::Open(path);
  if (!fields) return Fail(fields.error());
  WeatherFileReader reader(std::move(*fields));
  reader.SetRules(rules);
  if (auto header = reader.ReadHeader(); !header) return Fail(header.error());
  std::map<std::string, YearOfMonths, std::less<>> years;
  WeatherRecord record;
  Expected<WeatherFileReader::Step> step = WeatherFileReader::Step::End;
  while ((step = reader.NextRecord(record)) && *step == WeatherFileReader::Step::Record) {
    YearOfMonths& year = years[std::string(record.PeriodKey)];
    const auto month = static_cast<std::size_t>(record.PeriodNumber) - 1;  // the reader lets only 1..12 through
    if ((reader.MissingInLastRecord() & kTemperatures) != 0 || year.rows[month] > 0) year.spoilt = true;
    year.mean[month] = record.Tmean;
    ++year.rows[month];
  }
  if (!step) return Fail(step.error());
  std::array<double, 12> sums{};  // degrees C, over the complete years
  for (const auto& [key, year] : years) {
    if (!year.Complete()) continue;
    ++completeYears;
    for (std::size_t m = 0; m < 12; ++m) sums[m] += year.mean[m];
  }
  if (completeYears == 0)
    return Fail("the file holds no complete calendar year (all twelve months, each once, with TMAX and TMIN)");
  std::array<double, 12> meanYear{};
  for (std::size_t m = 0; m < 12; ++m) meanYear[m] = sums[m] / completeYears;
  return HeatIndexOfMonthlyMeans(meanYear);
}

}  // namespace sorvane
