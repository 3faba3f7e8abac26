#include "adjuster/pet_adjuster.h"

#include <cmath>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "coefficients/coefficient_table.h"
#include "coefficients/scratch_file.h"
#include "common/atomic_file.h"
#include "common/field_reader.h"
#include "common/line_fields.h"
#include "common/numbers.h"
#include "common/platform.h"
#include "common/text.h"
#include "run/estimate_missing.h"
#include "run/pet_result_reader.h"

namespace sorvane {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kNotAdjusted = "; nothing is adjusted";

// The first station row of a CoefficientFile, with the file's method names.
struct StationCoefficients {
  std::vector<std::string> methodNames;  // K, in the order of line 1
  std::string stationName;               // trimmed
  std::vector<double> coefficients;      // 2K: the intercept and the slope of each method
};

// A fault on `line` of the file shown as `file`, which stops the adjustment before any
// of it is kept.
Unexpected NotAdjusted(std::string_view file, long line, std::string_view what) {
  return Fail(Problem{std::string(file), line, {}, std::string(what) + std::string(kNotAdjusted)});
}

// A scratch file that cannot be used, or a line of `shown` (its line 1) that cannot be
// split into fields.
Unexpected ScratchFault(const Problem& problem, std::string_view shown, const fs::path& scratch,
                        const AppFolder& folder) {
  if (!problem.file.empty())
    return NotAdjusted(folder.Display(scratch), 0, "the scratch file cannot be used (" + problem.message + ")");
  return NotAdjusted(shown, 1, problem.message);
}

// Line 1 of the CoefficientFile: three heads, then the rest of the line, trimmed and
// split into fields through temp.txt (which stays in the ApplicationFolder), taken in
// pairs of a method name and a dropped field.
Expected<std::vector<std::string>> ReadMethodNames(FieldReader& reader, const std::string& shown,
                                                   const AppFolder& folder) {
  bool lineEnded = false;
  for (std::size_t head = 0; head < kStationHeads; ++head) {
    const FieldReader::Field field = reader.Next();
    if (field.status == FieldReader::Status::EndOfFile && head == 0) return NotAdjusted(shown, 0, "the file is empty");
    if (field.status != FieldReader::Status::Ok) return NotAdjusted(shown, 1, FieldReader::Describe(field.status));
    lineEnded = field.EndsLine();
    if (lineEnded && head + 1 < kStationHeads)
      return NotAdjusted(shown, 1,
                         WrongFieldCount(head + 1, "the heads line", kStationHeads,
                                         "Station, Latitude, Longitude, then the method names"));
  }
  std::string rest;
  if (!lineEnded) {
    const FieldReader::Status read = reader.ReadLine(rest);
    if (read != FieldReader::Status::Ok && read != FieldReader::Status::EndOfFile)
      return NotAdjusted(shown, 1, FieldReader::Describe(read));
  }
  const std::string_view methodsText = TrimSpaces(rest);
  const fs::path scratch = folder.Scratch("temp.txt");
  auto fields = SplitThroughScratch(scratch, methodsText);
  if (!fields) return ScratchFault(fields.error(), shown, scratch, folder);
  if (methodsText.empty()) return NotAdjusted(shown, 1, "no method follows the heads Station, Latitude, Longitude");
  auto names = MethodNamesOf(*fields, 0, 1);
  if (!names) return NotAdjusted(shown, names.error().line, names.error().message);
  return names;
}

Expected<StationCoefficients> ReadFirstStation(const fs::path& path, const AppFolder& folder) {
  const std::string shown = folder.Display(path);
  auto reader = FieldReader::Open(path);
  if (!reader) return NotAdjusted(shown, 0, "the coefficient file cannot be opened (" + reader.error().message + ")");
  auto methodNames = ReadMethodNames(*reader, shown, folder);
  if (!methodNames) return Fail(methodNames.error());
  StationCoefficients station;
  station.methodNames = std::move(*methodNames);

  std::string headsOfLine2;
  const FieldReader::Status line2 = reader->ReadLine(headsOfLine2);
  if (line2 != FieldReader::Status::Ok && line2 != FieldReader::Status::EndOfFile)
    return NotAdjusted(shown, 2, FieldReader::Describe(line2));
  CoefficientRowReader rows(*reader, station.methodNames);
  CoefficientRow row;
  const auto read = rows.Next(row, station.coefficients);
  if (!read) return NotAdjusted(shown, read.error().line, read.error().message);
  if (*read == LineRead::EndOfFile) return NotAdjusted(shown, 0, "no station row (the first is expected on line 3)");
  station.stationName = std::string(TrimSpaces(row.name));
  // The name becomes part of a file name in the output folder and must stay there.
  const std::string why = WhyNotBareName(station.stationName);
  if (!why.empty())
    return NotAdjusted(shown, row.line,
                       "field 1 (station name) '" + station.stationName + "' cannot name a PET result file: " + why);
  return station;
}

// For each PET column, the CoefficientFile method of exactly the same name (the first
// one when a name repeats), or none.
std::vector<std::optional<std::size_t>> ColumnMethods(const std::vector<std::string>& columns,
                                                      const std::vector<std::string>& methodNames) {
  std::vector<std::optional<std::size_t>> methodOf(columns.size());
  for (std::size_t c = 0; c < columns.size(); ++c)
    for (std::size_t k = 0; k < methodNames.size() && !methodOf[c]; ++k)
      if (columns[c] == methodNames[k]) methodOf[c] = k;
  return methodOf;
}

// The method heads of the PetResultFile: the rest of its header line, trimmed and split
// through tmp.txt, which is deleted once read.
Expected<void> ReadColumnNames(PetResultReader& pet, const std::string& shown, const fs::path& scratch,
                               const AppFolder& folder) {
  const auto columnsText = pet.ReadMethodHeadsText();
  if (!columnsText) return NotAdjusted(shown, columnsText.error().line, columnsText.error().message);
  auto columns = SplitThroughScratch(scratch, *columnsText);
  std::error_code ignored;
  fs::remove(scratch, ignored);  // read: no longer needed
  if (!columns) return ScratchFault(columns.error(), shown, scratch, folder);
  if (columnsText->empty()) columns->clear();  // a header of the date head alone
  pet.SetMethodHeads(std::move(*columns));
  return {};
}

// "," and a + b x v. A method whose intercept and slope are both 0, and an empty PET
// value (one the PET run could not compute), give an empty field, so that every value
// stays under its head.
void AppendAdjusted(std::string& out, double intercept, double slope, const std::optional<double>& value) {
  out += ',';
  if (!(std::fabs(intercept) + std::fabs(slope) > 0) || !value) return;
  const double adjusted = intercept + slope * *value;
  if (std::isfinite(adjusted)) AppendTwoPlace(out, adjusted);
}

// Every data line of the PetResultFile, up to its end or the blank lines that run to
// its end, becomes a line of the AdjustedPetFile: the date as written, then the adjusted
// value of each matched column. The problem of a line that cannot be read exactly.
Expected<void> AdjustDataLines(PetResultReader& pet, const std::string& shown,
                               const std::vector<std::optional<std::size_t>>& methodOf,
                               const std::vector<double>& coefficients, AtomicFile& adjusted) {
  std::string& out = adjusted.Buffer();
  PetResultRow row;
  Expected<PetResultReader::Step> step = PetResultReader::Step::End;
  while ((step = pet.NextRow(row)) == PetResultReader::Step::Row) {
    out += row.periodKey;
    for (std::size_t c = 0; c < methodOf.size(); ++c) {
      if (!methodOf[c]) continue;
      const std::size_t k = *methodOf[c];
      AppendAdjusted(out, coefficients[2 * k], coefficients[2 * k + 1], row.values[c]);
    }
    if (pet.FlagsEstimates()) out += ',' + row.estimated;  // adjusted values rest on the same estimates
    out += "\r\n";
    adjusted.FlushIfFull();
  }
  if (!step) return NotAdjusted(shown, step.error().line, step.error().message);
  return {};
}

// tmp.txt is deleted however the run ends, except at the not-daily stop, where it
// stays behind empty like the AdjustedPetFile.
struct ScratchRemoval {
  fs::path scratch;
  bool keep = false;
  ~ScratchRemoval() {
    std::error_code ignored;
    if (!keep) fs::remove(scratch, ignored);
  }
};

}  // namespace

Expected<AdjustedStation> Adjust(const fs::path& coefficientFile, const AppFolder& folder) {
  auto station = ReadFirstStation(coefficientFile, folder);
  if (!station) return Fail(station.error());
  AdjustedStation outcome;
  outcome.station = station->stationName;

  const fs::path output = folder.Output();
  const fs::path petPath = ChildIgnoringCase(output, station->stationName + "_PET.csv");
  std::error_code ec;
  if (!fs::exists(petPath, ec)) {
    outcome.end = AdjustEnd::NoPetResult;
    return outcome;
  }
  const std::string shown = folder.Display(petPath);
  auto pet = FieldReader::Open(petPath);
  if (!pet) return NotAdjusted(shown, 0, "cannot be opened (" + pet.error().message + ")");
  const fs::path adjustedPath = ChildIgnoringCase(output, station->stationName + "_PET_ADJ.csv");
  auto adjusted = AtomicFile::Create(adjustedPath);
  if (!adjusted)
    return NotAdjusted(folder.Display(adjustedPath), 0, "cannot be written (" + adjusted.error().message + ")");
  const fs::path scratch = folder.Scratch("tmp.txt");
  if (auto created = CreateEmptyScratch(scratch); !created)
    return ScratchFault(created.error(), shown, scratch, folder);
  ScratchRemoval removal{scratch};

  PetResultReader reader(std::move(*pet));
  const auto heads = reader.ReadPeriodHeads();
  if (!heads) return NotAdjusted(shown, heads.error().line, heads.error().message);
  if (*heads == PetResultReader::HeadsRead::NoPeriodHeads || reader.Period() != PeriodType::Date) {
    // Weekly and monthly results are not adjusted; the AdjustedPetFile stays empty.
    if (const auto committed = adjusted->Commit(); !committed)
      return NotAdjusted(folder.Display(adjustedPath), 0, "cannot be written (" + committed.error().message + ")");
    removal.keep = true;
    outcome.end = AdjustEnd::NotDaily;
    return outcome;
  }
  if (auto read = ReadColumnNames(reader, shown, scratch, folder); !read) return Fail(read.error());
  const std::vector<std::string>& columns = reader.MethodHeads();
  const auto methodOf = ColumnMethods(columns, station->methodNames);

  std::string& out = adjusted->Buffer();
  out += "Date";
  for (std::size_t c = 0; c < columns.size(); ++c)
    if (methodOf[c]) out += "," + columns[c];
  if (reader.FlagsEstimates()) out += "," + std::string(kEstimatedHead);
  out += "\r\n";

  if (auto lines = AdjustDataLines(reader, shown, methodOf, station->coefficients, *adjusted); !lines)
    return Fail(lines.error());
  if (const auto committed = adjusted->Commit(); !committed)
    return Fail(Problem{folder.Display(adjustedPath), 0, {},
                        "writing failed (" + committed.error().message +
                            "); an older file of that name is left as it was"});
  outcome.written = adjustedPath;
  return outcome;
}

}  // namespace sorvane
