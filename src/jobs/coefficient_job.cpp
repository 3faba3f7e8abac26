#include "jobs/coefficient_job.h"

#include <cmath>
#include <filesystem>
#include <optional>

#include "coefficients/coefficient_table.h"
#include "coefficients/interpolation.h"
#include "coefficients/station_list.h"
#include "common/atomic_file.h"
#include "common/field_reader.h"
#include "common/numbers.h"
#include "common/text.h"
#include "methods/inverse_distance.h"

namespace sorvane {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kNotProcessed = "; the station list is not processed";

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

// Puts the header lines and the rows written so far in place, then ends the program.
NameOutcome StopAtDuplicate(AtomicFile& file, const Station& station, const AppFolder& folder) {
  NameOutcome result{{}, false, true};
  if (const auto committed = file.Commit(); !committed)
    result.notices.push_back(Refusal(folder.Display(file.Target()) + ": the rows before station '" +
                                     station.nameAsRead + "' cannot be kept (" + committed.error().message + ")"));
  result.notices.push_back(DuplicateStationNotice(station.nameAsRead));
  return result;
}

// One row per station of the list, in list order. Returns nothing when every row is
// written; otherwise how the list ended (a refusal, or the duplicate-station stop).
std::optional<NameOutcome> WriteStationRows(FieldReader& reader, const CoefficientTable& table,
                                           const std::vector<std::size_t>& selected, const std::string& shown,
                                           AtomicFile& file, const AppFolder& folder,
                                           std::vector<Notice>& warnings) {
  const CoordinateExtent extent = ExtentOf(table);
  std::string& out = file.Buffer();
  std::vector<std::string> fields;
  Station station;
  StationDistances distances;
  Expected<StationRead> read = StationRead::Station;
  while ((read = NextStation(reader, fields, station)) && *read == StationRead::Station) {
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
  if (!read) return RefusedWith(Located(shown, read.error()) + std::string(kNotProcessed));
  return std::nullopt;
}

NameOutcome ProcessStationList(const ListedName& entry, const std::vector<bool>& marks, const AppFolder& folder,
                              const fs::path& output) {
  if (!entry.problem.empty()) return RefusedWith(ListedNameRefusal(entry));

  // The table is read anew for every StationList.
  const fs::path tablePath = folder.CoefficientTable();
  const auto table = ReadCoefficientTable(tablePath);
  if (!table)
    return RefusedWith(Located(folder.Display(tablePath), table.error()) + "; station list '" + entry.name +
                       "' is not processed");
  const std::vector<std::size_t> selected = SelectedMethods(table->MethodCount(), marks);
  for (std::size_t k : selected)
    if (!FitsUnquoted(table->methodNames[k]))
      return RefusedWith(Located(folder.Display(tablePath), 1,
                                 "method name '" + table->methodNames[k] + "'" + std::string(kCannotBeWritten)) +
                         "; station list '" + entry.name + "' is not processed");

  const fs::path listPath = FileOf(entry, folder.CoefficientData());
  const std::string shown = folder.Display(listPath);
  auto reader = FieldReader::Open(listPath);
  if (!reader)
    return RefusedWith(shown + ": cannot be opened (" + reader.error().message + ")" + std::string(kNotProcessed));
  std::string heading;
  const FieldReader::Status headingRead = reader->ReadLine(heading);
  if (headingRead != FieldReader::Status::Ok && headingRead != FieldReader::Status::EndOfFile)
    return RefusedWith(Located(shown, 1, FieldReader::Describe(headingRead)) + std::string(kNotProcessed));

  const fs::path target = ChildIgnoringCase(output, ResultFileName(entry.name, "_COEFFI.csv"));
  auto file = AtomicFile::Create(target);
  if (!file)
    return RefusedWith(folder.Display(target) + ": cannot be written (" + file.error().message + ")" +
                       std::string(kNotProcessed));
  AppendHeaderLines(file->Buffer(), table->methodNames, selected);

  std::vector<Notice> warnings;
  if (auto stopped = WriteStationRows(*reader, *table, selected, shown, *file, folder, warnings)) {
    // The rows written before a duplicate station are kept, and so are their warnings.
    if (stopped->programEnds) stopped->notices.insert(stopped->notices.begin(), warnings.begin(), warnings.end());
    return std::move(*stopped);
  }
  if (const auto committed = file->Commit(); !committed)
    return RefusedWith(folder.Display(target) + ": writing failed (" + committed.error().message +
                       "); an older file of that name is left as it was");
  return {std::move(warnings), false, false};
}

}  // namespace

RunSummary ProcessStationLists(const std::vector<ListedName>& names, const std::vector<bool>& marks,
                               const AppFolder& folder, Notices& notices) {
  RunSummary summary;
  if (names.empty()) return summary;
  const auto output = OutputOfRun(names, folder, "station list", notices, summary);
  if (!output) return summary;
  return ProcessEachInOrder(names, notices,
                            [&](const ListedName& name) { return ProcessStationList(name, marks, folder, *output); });
}

JobReport RunCoefficientJob(std::string_view chosenDataFile, const std::vector<bool>& marks, const AppFolder& folder,
                            Notices& notices) {
  const ListJob job{"station lists", false, [&](const std::vector<ListedName>& names, Notices& shown) {
                      return ProcessStationLists(names, marks, folder, shown);
                    }};
  return RunListJob(chosenDataFile, folder, notices, job);
}

}  // namespace sorvane
