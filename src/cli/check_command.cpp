// sorvane-cli check [NAME...]: reads weather files of data/PET_DATA exactly as a PetRun
// would and reports, before anything is computed, what the file holds and every value
// that looks like a logger fault, with its line.
#include <cmath>
#include <iostream>

#include "cli/cli_context.h"
#include "cli/console_notices.h"
#include "common/text.h"
#include "run/method_table.h"
#include "run/period_words.h"
#include "run/weather_check.h"

namespace sorvane::cli {

namespace {

// The text report lists this many findings of one kind, then counts the rest.
constexpr std::size_t kLinesPerKind = 20;

// Exit statuses of a check: every file clean (kExitOk), suspicious values found, a file
// that cannot be read (the status of wrong usage, which leaves nothing checked either).
constexpr int kExitCheckWarnings = 1;
constexpr int kExitCheckUnreadable = kExitUsage;

struct CheckArguments {
  std::vector<std::string> names;
  std::string listFile;
  std::string format = "text";
  ReadingArguments reading;
  std::string heatIndex = "table";
};

// Keeps the first findings of each kind for the text report.
class FirstFindings : public FindingSink {
 public:
  void Add(const Finding& finding) override {
    auto& kept = byKind[static_cast<std::size_t>(finding.kind)];
    if (kept.size() < kLinesPerKind) kept.push_back(finding);
  }
  std::array<std::vector<Finding>, kFindingKinds.size()> byKind;
};

// A CSV field: quoted, with its quotes doubled, when it holds a comma, a quote or a line end.
std::string CsvField(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted.push_back('"');
    quoted.push_back(c);
  }
  return quoted + "\"";
}

void PrintCsvRow(std::string_view file, long line, std::string_view field, std::string_view kind,
                 std::string_view value) {
  std::cout << CsvField(file) << ',' << (line > 0 ? std::to_string(line) : "") << ',' << CsvField(field) << ','
            << CsvField(kind) << ',' << CsvField(value) << '\n';
}

// Writes each finding as a CSV row as soon as it is found: a long file is never held.
class CsvFindings : public FindingSink {
 public:
  explicit CsvFindings(std::string file) : file_(std::move(file)) {}
  void Add(const Finding& finding) override {
    PrintCsvRow(file_, finding.line, finding.field, EntryFor(finding.kind).word, finding.value);
  }
 private:
  std::string file_;
};

std::string Joined(const std::vector<std::string>& items) {
  if (items.empty()) return "none";
  std::string text;
  for (const auto& item : items) text += (text.empty() ? "" : ", ") + item;
  return text;
}

// The unit of each recognised column and its conversion, when a head names a unit or
// the wind a height.
void PrintUnits(const WeatherFileHeader& header) {
  for (std::size_t column = 0; column < header.ColumnUnits.size(); ++column)
    if (header.ColumnCodes[column] != Parameter::None)
      std::cout << (column == 0 ? "  units:       " : "               ") << header.ColumnUnits[column] << '\n';
}

// The parameter columns, recognised or ignored, as their heads are written; a head that
// is recognised under another spelling shows the word it stands for.
void PrintColumns(const WeatherFileHeader& header) {
  std::vector<std::string> recognised, ignored;
  for (std::size_t column = 0; column < header.ColumnCodes.size(); ++column) {
    const std::string& head = header.ColumnHeads[column];
    const Parameter code = header.ColumnCodes[column];
    if (code == Parameter::None) {
      ignored.push_back(head.empty() ? "(an empty head)" : head);
      continue;
    }
    const std::string_view word = kParameterHeads[static_cast<std::size_t>(code)];
    recognised.push_back(head == word ? head : head + " (" + std::string(word) + ")");
  }
  std::cout << "  columns:     " << Joined(recognised) << '\n' << "  ignored:     " << Joined(ignored) << '\n';
  PrintUnits(header);
}

void PrintHeader(const WeatherCheckReport& report) {
  const WeatherFileHeader& header = *report.header;
  const StationHeader& station = header.Station;
  std::cout << "  station:     " << EscapedText(station.StationName) << '\n'
            << "  coordinates: latitude " << ShortestText(station.Latitude) << ", longitude "
            << ShortestText(station.Longitude) << ", elevation " << ShortestText(station.Elevation) << " m\n"
            << "  period:      " << WordsOf(header.Period).headerWord << ", "
            << (report.rows == 0 ? "no data rows" : report.firstPeriod + " to " + report.lastPeriod) << '\n'
            << "  rows:        " << report.rows << '\n';
  PrintColumns(header);
  for (const std::string& note : header.ReadingNotes) std::cout << "  note:        " << note << '\n';
  std::vector<std::string> methods;
  for (int id : report.methods) methods.emplace_back(MethodEntryFor(id).name);
  std::cout << "  methods:     " << Joined(methods) << '\n';
  if (report.estimates)
    std::cout << "  estimates:   "
              << (report.estimates->rows == 0
                      ? std::string("none: no row lacks what could be estimated")
                      : std::to_string(report.estimates->rows) + (report.estimates->rows == 1 ? " row" : " rows") +
                            " would hold estimates (" + EstimateCounts(*report.estimates) + ")")
              << '\n';
  const HeatIndexUse& heatIndex = report.heatIndex;
  if (heatIndex.value)
    std::cout << "  heat index:  " << ShortestText(std::round(*heatIndex.value * 100) / 100)
              << (heatIndex.source == HeatIndexSource::Station
                      ? " (the station's own, from " + std::to_string(heatIndex.completeYears) +
                            (heatIndex.completeYears == 1 ? " complete year)" : " complete years)")
                      : std::string(heatIndex.outsideGrid ? " (extrapolated from support/heat_index_data.csv)"
                                                          : " (interpolated from support/heat_index_data.csv)"))
              << '\n';
}

void PrintFindings(const WeatherCheckReport& report, const FirstFindings& findings) {
  for (const FindingKindEntry& entry : kFindingKinds) {
    const long count = report.counts[static_cast<std::size_t>(entry.kind)];
    if (count == 0) continue;
    std::cout << "  " << entry.title << ": " << count << '\n';
    const auto& kept = findings.byKind[static_cast<std::size_t>(entry.kind)];
    for (const Finding& finding : kept) std::cout << "    line " << finding.line << ": " << finding.detail << '\n';
    if (count > static_cast<long>(kept.size())) std::cout << "    and " << count - kept.size() << " more\n";
  }
  const long total = report.FindingCount();
  if (total > 0)
    std::cout << "  " << total << (total == 1 ? " suspicious value\n" : " suspicious values\n");
  else if (!report.refusal)
    std::cout << "  no suspicious values\n";
}

struct Tally {
  int clean = 0, warned = 0, refused = 0;
};

void CheckAsText(const std::vector<ListedName>& names, const AppFolder& folder, const ReadingRules& missing,
                 HeatIndexSource heatIndex, Tally& tally) {
  ConsoleNotices notices;
  for (std::size_t index = 0; index < names.size(); ++index) {
    if (index > 0) std::cout << '\n';
    FirstFindings findings;
    const WeatherCheckReport report = CheckWeatherFile(names[index], folder, findings, missing, heatIndex);
    std::cout << report.file << '\n';
    if (report.header) {
      PrintHeader(report);
      PrintFindings(report, findings);
    }
    if (report.refusal) {
      std::cout << "  not processed: a PET run refuses this file\n";
      notices.Show(*report.refusal);  // on standard error, as the run shows it
    }
    ++(report.refusal ? tally.refused : report.FindingCount() > 0 ? tally.warned : tally.clean);
  }
  std::cout << (names.empty() ? "" : "\n") << names.size() << (names.size() == 1 ? " file" : " files")
            << " checked: " << tally.clean << " clean, " << tally.warned << " with suspicious values, "
            << tally.refused << " refused\n";
}

void CheckAsCsv(const std::vector<ListedName>& names, const AppFolder& folder, const ReadingRules& missing,
                HeatIndexSource heatIndex, Tally& tally) {
  ConsoleNotices notices;
  std::cout << "file,line,field,kind,value\n";
  for (const ListedName& name : names) {
    CsvFindings findings(name.problem.empty() ? EscapedText(folder.Display(FileOf(name, folder.PetData())))
                                              : name.name);
    const WeatherCheckReport report = CheckWeatherFile(name, folder, findings, missing, heatIndex);
    if (report.refusal) {
      PrintCsvRow(report.file, 0, "", "refused", TrimSpaces(report.refusal->text));
      notices.Show(*report.refusal);
    }
    ++(report.refusal ? tally.refused : report.FindingCount() > 0 ? tally.warned : tally.clean);
  }
}

void RunCheck(CliContext& context, const CheckArguments& arguments) {
  const auto folder = context.ResolveAppFolder();
  if (!folder) return;
  // The names as pet takes them: given, from a DataFileList, or every data file.
  const auto names = context.NamesToProcess(arguments.names, arguments.listFile, folder->PetData(), "data files");
  if (!names) return;
  Tally tally;
  const ReadingRules missing = arguments.reading.Rules();
  const HeatIndexSource heatIndex = HeatIndexSourceOf(arguments.heatIndex);
  if (arguments.format == "csv")
    CheckAsCsv(*names, *folder, missing, heatIndex, tally);
  else
    CheckAsText(*names, *folder, missing, heatIndex, tally);
  context.exitStatus = tally.refused > 0 ? kExitCheckUnreadable : tally.warned > 0 ? kExitCheckWarnings : kExitOk;
}

}  // namespace

void AddCheckCommand(CLI::App& app, CliContext& context) {
  auto arguments = std::make_shared<CheckArguments>();
  auto* command = app.add_subcommand(
      "check",
      "Check weather files before computing them. Each file is read as 'pet' reads it and reported:\n"
      "station, coordinates, period and rows, the parameter columns recognised and ignored, the\n"
      "methods that will run, and every suspicious value with its line (TMAX below TMIN, humidity\n"
      "outside 0..100, RH2 above RH1, negative wind, sunshine or pan evaporation, sunshine longer\n"
      "than the day, missing-value codes such as -99 or a declared --missing-code, empty fields,\n"
      "dates out of order, repeated or missing in daily files, PET values that would be empty or\n"
      "that no climate gives, columns whose values betray another unit), a station outside the\n"
      "heat index table, a file on which no method can run,\n"
      "heads that look like parameters but are not used, and parameters that a method which runs\n"
      "takes as 0 for want of a column; at most 20 lines of each kind. A file 'pet'\n"
      "would refuse gets the same notice on standard error. A NAME is a bare file name in\n"
      "data/PET_DATA or a path to a file (or the names of a DataFileList, --list FILE); without\n"
      "NAMEs, every .csv and .txt file of data/PET_DATA.\n"
      "Exit status: 0 clean, 1 suspicious values found, 2 a file unreadable (or wrong usage).");
  command->add_option("NAME", arguments->names, "Weather files in data/PET_DATA, or paths to weather files");
  command->add_option("--list", arguments->listFile, "Read the names from this DataFileList (one name per line) instead")
      ->type_name("FILE")
      ->excludes(command->get_option("NAME"));
  command->add_option("--format", arguments->format, "text (a report per file) or csv (file,line,field,kind,value)")
      ->check(CLI::IsMember({"text", "csv"}));
  AddReadingOptions(*command, arguments->reading);
  AddHeatIndexOption(*command, arguments->heatIndex);
  command->callback([&context, arguments] { RunCheck(context, *arguments); });
}

}  // namespace sorvane::cli
