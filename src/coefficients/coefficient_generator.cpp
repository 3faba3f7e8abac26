#include "coefficients/coefficient_generator.h"

#include <cmath>
#include <filesystem>
#include <optional>

#include "coefficients/coefficient_table.h"
#include "coefficients/interpolation.h"
#include "coefficients/scratch_file.h"
#include "common/atomic_file.h"
#include "common/field_reader.h"
#include "common/line_fields.h"
#include "common/numbers.h"
#include "common/text.h"
#include "methods/inverse_distance.h"

namespace sorvane {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kNotProcessed = "; the station list is not processed";
constexpr std::size_t kStationListFields = 3;  // name, latitude, longitude
constexpr std::string_view kCannotBeWritten = " holds a comma or a line break, which a coefficient file cannot hold";

// The CoefficientFile is written without quotes, so a name holding a comma or a line
// break would split its line.
bool FitsUnquoted(std::string_view name) { return name.find_first_of(",\r\n") == std::string_view::npos; }

// What one StationList came to. Its files are closed (and a partial CoefficientFile
// put in place) before any of its notices is shown.
struct ListResult {
  bool refused = false;
  bool programEnds = false;  // a station coincides with a reference station
  std::vector<Notice> notices;
};

ListResult RefusedWith(std::string text) { return {true, false, {Refusal(std::move(text))}}; }

Notice DuplicateStationNotice(std::string_view nameAsRead) {
  return {NoticeKind::ProgramEnd,
          PaddedNotice("ERROR " + std::string(nameAsRead) + " Coefficients are already exist", 15)};
}

// The MethodSelection as table positions (from 0): method k is selected when marks[k]
// is set; a method beyond the marks is not.
std::vector<std::size_t> SelectedMethods(std::size_t methodCount, const std::vector<bool>& marks) {
  std::vector<std::size_t> selected;
  for (std::size_t k = 0; k < methodCount && k < marks.size(); ++k)
    if (marks[k]) selected.push_back(k);
  return selected;
}

// "Station,Latitude,Longitude,A,,B," and ",,,Intercept,Slope,Intercept,Slope": each
// name stands above its method's Intercept column.
void AppendHeaderLines(std::string& out, const std::vector<std::string>& methodNames,
                       const std::vector<std::size_t>& selected) {
  out += "Station,Latitude,Longitude";
  for (std::size_t k : selected) {
    out += ',';
    out += methodNames[k];
    out += ',';
  }
  out += "\r\n,,";
  for (std::size_t i = 0; i < selected.size(); ++i) out += ",Intercept,Slope";
  out += "\r\n";
}

struct Station {
  long line = 0;
  std::string nameAsRead;  // leading spaces skipped by the reader; trailing ones kept
  double latitudeDegrees = 0;
  double longitudeDegrees = 0;
};

// A station farther than this beyond the outermost reference stations gets coefficients
// extrapolated from another climate.
constexpr double kTableMarginDegrees = 1;

CoordinateExtent ExtentOf(const CoefficientTable& table) {
  CoordinateExtent extent;
  for (std::size_t i = 0; i < table.RowCount(); ++i) extent.Add(table.latitudesDegrees[i], table.longitudesDegrees[i]);
  return extent;
}

// "station 'X' (line 5) lies outside the reference stations of ...: the nearest, 'Y', is
// 41.3 degrees away; its coefficients are extrapolated"
std::string OutsideTableNotice(std::string_view shown, const Station& station, const CoefficientTable& table,
                               const StationDistances& distances) {
  std::size_t nearest = 0;
  for (std::size_t i = 1; i < distances.degrees.size(); ++i)
    if (distances.degrees[i] < distances.degrees[nearest]) nearest = i;
  const std::string name = nearest < table.rowNames.size() ? table.rowNames[nearest] : "";
  return Located(shown, station.line,
                 "station '" + std::string(TrimSpaces(station.nameAsRead)) +
                     "' lies more than 1 degree beyond the reference stations of support/Coefficients.csv; the "
                     "nearest, '" + name + "', is " + ShortestText(std::round(distances.degrees[nearest] * 10) / 10) +
                     " degrees away, so its coefficients are extrapolated from stations of another climate");
}

enum class StationRead { Station, End, Problem };

// The next row of a StationList whose heading has been read. The list ends at a row
// whose first field is "&", at the end of the file, or at blank lines that run to the
// end of the file; a blank line between rows is refused.
StationRead NextStation(FieldReader& reader, std::vector<std::string>& fields, Station& station, LineProblem& problem) {
  const long lineBefore = reader.Line();
  if (reader.SkipBlankRest()) return StationRead::End;
  const bool blankLinesBefore = reader.Line() != lineBefore;
  const long line = reader.Line();
  const FieldReader::Field first = reader.Next();
  if (first.status == FieldReader::Status::Ok && TrimSpaces(first.text) == "&") return StationRead::End;
  if (blankLinesBefore) {
    problem = {lineBefore, "a blank line between station rows (only the end of the list may be blank)"};
    return StationRead::Problem;
  }
  switch (ContinueLineFields(reader, first, fields, problem)) {
    case LineRead::Fields:
      break;
    case LineRead::EndOfFile:
      return StationRead::End;
    case LineRead::Problem:
      return StationRead::Problem;
  }
  if (fields.size() != kStationListFields) {
    problem = {line, WrongFieldCount(fields.size(), "a station row", kStationListFields, "name, latitude, longitude")};
    return StationRead::Problem;
  }
  if (!FitsUnquoted(fields[0])) {
    problem = {line, "field 1 (station name) '" + fields[0] + "'" + std::string(kCannotBeWritten)};
    return StationRead::Problem;
  }
  const ParsedNumber latitude = ParseNumber(fields[1]);
  if (latitude.status == NumberStatus::Invalid) {
    problem = {line, NotANumber(2, "latitude", fields[1])};
    return StationRead::Problem;
  }
  const ParsedNumber longitude = ParseNumber(fields[2]);
  if (longitude.status == NumberStatus::Invalid) {
    problem = {line, NotANumber(3, "longitude", fields[2])};
    return StationRead::Problem;
  }
  station = {line, fields[0], latitude.value, longitude.value};
  return StationRead::Station;
}

// Puts the header lines and the rows written so far in place, then ends the program.
ListResult StopAtDuplicate(AtomicFile& file, const Station& station, const AppFolder& folder) {
  ListResult result{false, true, {}};
  std::string error;
  if (!file.Commit(&error))
    result.notices.push_back(Refusal(folder.Display(file.Target()) + ": the rows before station '" +
                                     station.nameAsRead + "' cannot be kept (" + error + ")"));
  result.notices.push_back(DuplicateStationNotice(station.nameAsRead));
  return result;
}

// One row per station of the list, in list order. Returns nothing when every row is
// written; otherwise how the list ended (a refusal, or the duplicate-station stop).
std::optional<ListResult> WriteStationRows(FieldReader& reader, const CoefficientTable& table,
                                           const std::vector<std::size_t>& selected, const std::string& shown,
                                           AtomicFile& file, const AppFolder& folder,
                                           std::vector<Notice>& warnings) {
  const CoordinateExtent extent = ExtentOf(table);
  std::string& out = file.Buffer();
  std::vector<std::string> fields;
  Station station;
  StationDistances distances;
  LineProblem problem;
  StationRead read;
  while ((read = NextStation(reader, fields, station, problem)) == StationRead::Station) {
    // A station is compared with the reference rows only when a method is selected.
    std::size_t coincidentRow = 0;
    if (!selected.empty() &&
        !DistancesFrom(table, station.latitudeDegrees, station.longitudeDegrees, distances, coincidentRow))
      return StopAtDuplicate(file, station, folder);
    if (!selected.empty() && extent.Outside(station.latitudeDegrees, station.longitudeDegrees, kTableMarginDegrees))
      warnings.push_back(Warning(OutsideTableNotice(shown, station, table, distances)));

    out += TrimSpaces(station.nameAsRead);
    out += ',';
    AppendTwoPlace(out, station.latitudeDegrees);
    out += ',';
    AppendTwoPlace(out, station.longitudeDegrees);
    for (std::size_t k : selected) {
      for (std::size_t column : {2 * k, 2 * k + 1}) {
        const double value = InterpolatedValue(table, distances, column);
        if (!std::isfinite(value))
          return RefusedWith(Located(shown, station.line,
                                     "the coefficients of station '" + station.nameAsRead +
                                         "' cannot be computed (its distances to the reference stations are "
                                         "too small or too large for numbers)") +
                             std::string(kNotProcessed));
        out += ',';
        AppendTwoPlace(out, value);
      }
    }
    out += "\r\n";
    file.FlushIfFull();
  }
  if (read == StationRead::Problem)
    return RefusedWith(Located(shown, problem.line, problem.what) + std::string(kNotProcessed));
  return std::nullopt;
}

ListResult ProcessStationList(const ListedName& entry, const std::vector<bool>& marks, const AppFolder& folder,
                              const fs::path& output) {
  if (!entry.problem.empty()) return RefusedWith(ListedNameRefusal(entry));

  // The table is read anew for every StationList.
  const fs::path tablePath = folder.CoefficientTable();
  LineProblem problem;
  const auto table = ReadCoefficientTable(tablePath, problem);
  if (!table)
    return RefusedWith(Located(folder.Display(tablePath), problem.line, problem.what) + "; station list '" +
                       entry.name + "' is not processed");
  const std::vector<std::size_t> selected = SelectedMethods(table->MethodCount(), marks);
  for (std::size_t k : selected)
    if (!FitsUnquoted(table->methodNames[k]))
      return RefusedWith(Located(folder.Display(tablePath), 1,
                                 "method name '" + table->methodNames[k] + "'" + std::string(kCannotBeWritten)) +
                         "; station list '" + entry.name + "' is not processed");

  const fs::path listPath = FileOf(entry, folder.CoefficientData());
  const std::string shown = folder.Display(listPath);
  std::string error;
  auto reader = FieldReader::Open(listPath, &error);
  if (!reader) return RefusedWith(shown + ": cannot be opened (" + error + ")" + std::string(kNotProcessed));
  std::string heading;
  const FieldReader::Status headingRead = reader->ReadLine(heading);
  if (headingRead != FieldReader::Status::Ok && headingRead != FieldReader::Status::EndOfFile)
    return RefusedWith(Located(shown, 1, FieldReader::Describe(headingRead)) + std::string(kNotProcessed));

  const fs::path target = ChildIgnoringCase(output, ResultFileName(entry.name, "_COEFFI.csv"));
  auto file = AtomicFile::Create(target, &error);
  if (!file)
    return RefusedWith(folder.Display(target) + ": cannot be written (" + error + ")" + std::string(kNotProcessed));
  AppendHeaderLines(file->Buffer(), table->methodNames, selected);

  std::vector<Notice> warnings;
  if (auto stopped = WriteStationRows(*reader, *table, selected, shown, *file, folder, warnings)) {
    // The rows written before a duplicate station are kept, and so are their warnings.
    if (stopped->programEnds) stopped->notices.insert(stopped->notices.begin(), warnings.begin(), warnings.end());
    return std::move(*stopped);
  }
  if (!file->Commit(&error))
    return RefusedWith(folder.Display(target) + ": writing failed (" + error +
                       "); an older file of that name is left as it was");
  return {false, false, std::move(warnings)};
}

}  // namespace

CoefficientRunSummary ProcessStationLists(const std::vector<ListedName>& names, const std::vector<bool>& marks,
                                          const AppFolder& folder, Notices& notices) {
  CoefficientRunSummary summary;
  if (names.empty()) return summary;
  std::string error;
  const auto output = folder.EnsureOutput(&error);
  if (!output) {
    notices.Show(Refusal(error + "; no station list is processed"));
    summary.refused = names.size();
    return summary;
  }
  RemoveStaleTemporaries(*output);
  for (std::size_t index = 0; index < names.size(); ++index) {
    notices.Progress(index, names.size(), names[index].name);
    const ListResult result = ProcessStationList(names[index], marks, folder, *output);
    for (const Notice& notice : result.notices) notices.Show(notice);
    if (result.programEnds) {
      summary.programEnds = true;
      return summary;
    }
    ++(result.refused ? summary.refused : summary.processed);
  }
  return summary;
}

Notice CoefficientJobEndNotice() { return Information(JobEndNotice(15)); }

JobReport RunCoefficientJob(std::string_view chosenDataFile, const std::vector<bool>& selectedMethods,
                            const AppFolder& folder, Notices& notices) {
  JobReport report;
  if (TrimSpaces(chosenDataFile).empty()) {
    notices.Show(Information(NoDataFileNotice()));
    return report;
  }
  std::string error;
  const auto names = ReadDataFileList(folder.DataFileList(), &error);
  if (!names) {
    notices.Show(
        Refusal("dir.txt: the list of station lists cannot be read (" + error + "); choose a data file again"));
    report.anyRefused = true;
    notices.Show(CoefficientJobEndNotice());
    return report;
  }
  GatheredWarnings gathered(notices);
  const CoefficientRunSummary summary = ProcessStationLists(*names, selectedMethods, folder, gathered);
  report.anyRefused = summary.refused > 0;
  gathered.ShowGathered();
  if (summary.programEnds) {
    // The program ends: the DataFileList stays.
    report.programEnds = true;
    return report;
  }
  std::error_code ignored;
  fs::remove(folder.DataFileList(), ignored);
  report.listUsedUp = true;
  notices.Show(CoefficientJobEndNotice());
  return report;
}

MethodNames ReadMethodNamesForList(const AppFolder& folder) {
  const fs::path tablePath = folder.CoefficientTable();
  const std::string shown = folder.Display(tablePath);
  std::string error;
  auto table = FieldReader::Open(tablePath, &error);
  if (!table) return {{}, shown + ": cannot be opened (" + error + ")"};
  std::string line1;
  const FieldReader::Status read = table->ReadLine(line1);
  if (read == FieldReader::Status::EndOfFile) return {{}, shown + ": the file is empty"};
  if (read != FieldReader::Status::Ok) return {{}, Located(shown, 1, FieldReader::Describe(read))};
  table.reset();

  const fs::path scratch = folder.Scratch("out.txt");
  std::vector<std::string> fields;
  const ScratchSplit split = SplitThroughScratch(scratch, line1, fields, &error);
  std::error_code ignored;
  fs::remove(scratch, ignored);
  if (split == ScratchSplit::WriteFailed)
    return {{}, folder.Display(scratch) + ": the scratch file cannot be used (" + error + ")"};
  if (split == ScratchSplit::Unreadable) return {{}, Located(shown, 1, error)};

  LineProblem problem;
  auto names = MethodNamesOf(fields, kStationHeads, 1, problem);
  if (!names) return {{}, Located(shown, problem.line, problem.what)};
  for (std::string& name : *names) name = std::string(TrimSpaces(name));
  return {std::move(*names), {}};
}

}  // namespace sorvane
