// Checking a weather data file before it is computed. The file is read by the same
// WeatherFileReader as a PetRun and its rows are computed by the same methods, so the
// check sees exactly what a run would see; on top of that it points at the values
// that logger faults and missing-value codes leave behind, each with its line.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/app_folder.h"
#include "common/data_file_list.h"
#include "common/notices.h"
#include "run/heat_index_table.h"
#include "run/weather_file_reader.h"

namespace sorvane {

enum class FindingKind {
  IgnoredHead,            // a head that contains a parameter word but is none of the seven
  AbsentParameter,        // a method that runs takes a parameter without a column as 0
  NoMethod,               // the columns allow no method at all
  OutsideHeatIndexGrid,   // Thornthwaite's heat index extrapolated from the table
  TmaxBelowTmin,
  HumidityOutOfRange,     // RH1 or RH2 below 0 % or above 100 %
  OtherUnit,              // temperatures in degrees F, humidities as fractions
  Rh2AboveRh1,
  BelowZero,              // WS, SS or EVP
  SunshineLongerThanDay,  // SS above the day length N of the record's day
  MissingValueCode,       // -99, -999, -9999 or 9999, or a code the user declared
  EmptyField,             // an empty field of a recognised parameter column
  DateOutOfOrder,         // daily files: earlier than a date above it
  DateRepeated,
  DaysMissing,            // daily files: a gap between two rows
  PeriodRepeated,         // weekly and monthly files: a year and number an earlier row has
  EmptyPetValue,          // a method cannot compute the row: its result field is empty
  ImplausiblePet,         // a PET value no climate gives: a unit mistake the ranges let through
  DateOrderReversed,      // slashed dates read month/day/year that look written day/month/year
};

struct FindingKindEntry {
  FindingKind kind;
  std::string_view word;   // the kind column of the CSV report
  std::string_view title;  // the heading of the text report
};

inline constexpr std::array<FindingKindEntry, 19> kFindingKinds{{
    {FindingKind::IgnoredHead, "ignored-head", "heads not used"},
    {FindingKind::AbsentParameter, "absent-parameter", "parameters without a column, taken as 0"},
    {FindingKind::NoMethod, "no-method", "no method can run"},
    {FindingKind::OutsideHeatIndexGrid, "outside-heat-index-grid", "station outside the heat index table"},
    {FindingKind::TmaxBelowTmin, "tmax-below-tmin", "TMAX below TMIN"},
    {FindingKind::HumidityOutOfRange, "humidity-out-of-range", "humidity below 0 or above 100"},
    {FindingKind::OtherUnit, "other-unit", "columns that look read in the wrong unit"},
    {FindingKind::Rh2AboveRh1, "rh2-above-rh1", "RH2 above RH1"},
    {FindingKind::BelowZero, "below-zero", "wind, sunshine or pan evaporation below 0"},
    {FindingKind::SunshineLongerThanDay, "sunshine-longer-than-day", "sunshine longer than the day"},
    {FindingKind::MissingValueCode, "missing-value-code", "values that look like missing-value codes"},
    {FindingKind::EmptyField, "empty-field", "empty fields"},
    {FindingKind::DateOutOfOrder, "date-out-of-order", "dates out of order"},
    {FindingKind::DateRepeated, "date-repeated", "dates repeated"},
    {FindingKind::DaysMissing, "days-missing", "days missing"},
    {FindingKind::PeriodRepeated, "period-repeated", "weeks or months repeated"},
    {FindingKind::EmptyPetValue, "empty-pet-value", "PET values that would be empty"},
    {FindingKind::ImplausiblePet, "implausible-pet", "PET values no climate gives"},
    {FindingKind::DateOrderReversed, "date-order-reversed", "dates that look read in the wrong order"},
}};
static_assert(kFindingKinds[static_cast<int>(FindingKind::DateOrderReversed)].kind == FindingKind::DateOrderReversed);
static_assert(kFindingKinds[static_cast<int>(FindingKind::ImplausiblePet)].kind == FindingKind::ImplausiblePet);
static_assert(kFindingKinds[static_cast<int>(FindingKind::OtherUnit)].kind == FindingKind::OtherUnit);
static_assert(kFindingKinds[static_cast<int>(FindingKind::EmptyPetValue)].kind == FindingKind::EmptyPetValue);
static_assert(kFindingKinds[static_cast<int>(FindingKind::SunshineLongerThanDay)].kind ==
              FindingKind::SunshineLongerThanDay);
static_assert(kFindingKinds[static_cast<int>(FindingKind::EmptyField)].kind == FindingKind::EmptyField);

inline const FindingKindEntry& EntryFor(FindingKind kind) { return kFindingKinds[static_cast<std::size_t>(kind)]; }


struct Finding {
  long line = 0;  // the data row's line in the file; 4, the header line, for heads and absent parameters
  FindingKind kind = FindingKind::TmaxBelowTmin;
  std::string field;   // the parameter (TMAX ... EVP), "Date", a method's column name, or an ignored head
  std::string value;   // the field's value in its shortest form, or the date; empty for an empty PET value
  std::string detail;  // the finding in words, field and value included: "TMAX 12.4 is below TMIN 14.1"
};

// Receives the findings of a file in the order of its lines.
class FindingSink {
 public:
  virtual ~FindingSink() = default;
  virtual void Add(const Finding& finding) = 0;
};

struct WeatherCheckReport {
  std::string file;                         // the path as notices name it
  std::optional<WeatherFileHeader> header;  // nullopt when the file is refused before its data
  std::vector<int> methods;                 // the AvailableMethods of the header
  HeatIndexUse heatIndex;                   // the heat index a run would use (monthly files)
  std::string firstPeriod, lastPeriod;      // "01/01/2011", "2011 week 1", "2009 month 12"
  long rows = 0;                            // data rows read
  std::array<long, kFindingKinds.size()> counts{};  // findings per kind
  std::optional<EstimateTally> estimates;  // with --estimate-missing: the rows a run would give estimates
  // The notice a PetRun shows when it refuses this file, the same text; rows after the
  // one that broke the reading are not checked.
  std::optional<Notice> refusal;

  long FindingCount() const;
};

// Checks the weather file `entry` names in data/PET_DATA of `folder`, with the fields
// that hold no reading by `missing` as a run with the same rule sees them; the findings
// go to `sink` as they are found, the rest is in the report.
WeatherCheckReport CheckWeatherFile(const ListedName& entry, const AppFolder& folder, FindingSink& sink,
                                    const ReadingRules& rules = {},
                                    HeatIndexSource heatIndex = HeatIndexSource::Table);

}  // namespace sorvane
