// What the subcommands of sorvane-cli (and sorvane-plot) share.
#include "cli/cli_context.h"
#include "common/numbers.h"
#include "common/text.h"

namespace sorvane::cli {

ReadingRules ReadingArguments::Rules() const {
  ReadingRules rules;
  rules.missing.emptyIsMissing = emptyIsMissing;
  for (const std::string& code : codes) {
    const ParsedNumber number = ParseNumber(code);
    if (number.status == NumberStatus::Value) {
      rules.missing.codes.push_back(number.value);
    } else {
      rules.missing.texts.emplace_back(TrimSpaces(code));
    }
  }
  for (const std::string& column : columns) {
    const std::size_t equals = column.find('=');
    rules.columns.push_back({column.substr(0, equals), column.substr(equals + 1)});
  }
  rules.windHeight = windHeight;
  rules.dayFirst = dayFirst;
  if (estimateMissing) rules.estimates = estimates;
  return rules;
}

void AddReadingOptions(CLI::App& command, ReadingArguments& into) {
  command.add_flag("--empty-is-missing", into.emptyIsMissing,
                   "An empty parameter field holds no reading (by default it is read as 0)");
  const CLI::Validator notEmpty(
      [](std::string& text) { return TrimSpaces(text).empty() ? std::string("an empty missing-value code") : ""; },
      "VALUE");
  command
      .add_option("--missing-code", into.codes,
                  "A parameter field holding this number or text (NA, \"#N/A\") holds no reading (repeatable)")
      ->type_name("VALUE")
      ->allow_extra_args(false)
      ->check(notEmpty);
  const CLI::Validator naming(
      [](std::string& text) {
        const std::size_t equals = text.find('=');
        if (equals == std::string::npos || TrimSpaces(text.substr(0, equals)).empty())
          return "'" + text + "' is not HEAD=WORD";
        return std::string();
      },
      "HEAD=WORD");
  command
      .add_option("--column", into.columns,
                  "The file's column HEAD is the parameter or period WORD, with an optional unit: \"TX=TMAX\",\n"
                  "\"FG=WS (m/s)\", \"Data=Date\"; an empty WORD leaves the column unused (repeatable)")
      ->type_name("HEAD=WORD")
      ->allow_extra_args(false)
      ->check(naming);
  command
      .add_option("--wind-height", into.windHeight,
                  "The wind was measured this many metres above ground; it is brought to 2 m (FAO-56 eq. 47)")
      ->type_name("METRES")
      ->check(CLI::Range(kLowestWindHeight, kHighestWindHeight));
  command.add_flag("--day-first", into.dayFirst, "Slashed dates are day/month/year (by default month/day/year)");
  auto* estimate = command.add_flag(
      "--estimate-missing", into.estimateMissing,
      "Estimate what a row lacks (a missing reading, or no column) from its TMAX and TMIN as FAO-56\n"
      "chapter 3 does: radiation Rs = kRs sqrt(TMAX - TMIN) Ra (eq. 50), humidity from the dew point\n"
      "TMIN - offset (eq. 48), wind the station's mean; a missing temperature is never estimated.\n"
      "Results end with the column Estimated, naming the parameters estimated in each row");
  command
      .add_option("--krs", into.estimates.radiationCoefficient,
                  "kRs of the radiation estimate: 0.16 for interior stations (the default), 0.19 for coastal ones")
      ->type_name("VALUE")
      ->check(CLI::Range(0.05, 0.5))
      ->needs(estimate);
  command
      .add_option("--dew-point-offset", into.estimates.dewPointOffset,
                  "The dew point lies this far below TMIN, in K: 0 (the default) for humid stations, 2 to 3\n"
                  "for arid and semi-arid ones")
      ->type_name("K")
      ->check(CLI::Range(0.0, 10.0))
      ->needs(estimate);
  command
      .add_option("--wind-default", into.estimates.windAt2m,
                  "The wind of a row without one, in m/s at 2 m: the station's mean (default 2, FAO-56's\n"
                  "world average)")
      ->type_name("VALUE")
      ->check(CLI::Range(0.0, 20.0))
      ->needs(estimate);
}

void AddHeatIndexOption(CLI::App& command, std::string& into) {
  command
      .add_option("--heat-index", into,
                  "Where Thornthwaite's heat index comes from: 'table' (interpolated from "
                  "support/heat_index_data.csv, the default) or 'station' (the station's own, from the monthly "
                  "means of the file's complete calendar years)")
      ->type_name("table|station")
      ->check(CLI::IsMember({"table", "station"}));
}

HeatIndexSource HeatIndexSourceOf(const std::string& word) {
  return word == "station" ? HeatIndexSource::Station : HeatIndexSource::Table;
}

std::optional<AppFolder> CliContext::ResolveAppFolder() {
  auto folder = LocateAppFolder(appFolderOption, executable);
  if (!folder) {
    ShowError("sorvane-cli: ", Located(folder.error()));
    exitStatus = kExitUsage;
    return std::nullopt;
  }
  return AppFolder(*folder);
}

std::optional<std::filesystem::path> CliContext::HereOrInOutput(const std::string& given) {
  std::error_code ec;
  if (std::filesystem::exists(given, ec) || !WhyNotBareName(given).empty()) return std::filesystem::path(given);
  const auto folder = ResolveAppFolder();
  if (!folder) return std::nullopt;
  auto inOutput = ChildIgnoringCase(folder->Output(), given);
  if (std::filesystem::exists(inOutput, ec)) return inOutput;
  ShowError(given, ": no such file in the current folder nor in ", folder->Output().string(),
            "; give the file's path, or the name of a file in that folder");
  exitStatus = kExitRefused;
  return std::nullopt;
}

namespace {

// A bare name is looked up in the data folder alone; one that is missing there but is a
// file of the current folder was most likely meant as that file, and is shown how.
void PointAtFilesHere(const std::vector<std::string>& given, const std::filesystem::path& dataFolder) {
  std::error_code ec;
  const std::string shownFolder = platform::Utf8(dataFolder.parent_path().filename() / dataFolder.filename());
  for (const std::string& name : given) {
    if (!WhyNotBareName(name).empty() || std::filesystem::exists(ChildIgnoringCase(dataFolder, name), ec)) continue;
    if (!std::filesystem::is_regular_file(platform::PathFromUtf8(name), ec)) continue;
    ShowError(EscapedText(name), ": no such file in ", shownFolder, ", but there is one in the current folder: ./",
              EscapedText(name), " reads it where it is");
  }
}

}  // namespace

std::optional<std::vector<ListedName>> CliContext::NamesToProcess(const std::vector<std::string>& given,
                                                                  const std::string& listFile,
                                                                  const std::filesystem::path& dataFolder,
                                                                  std::string_view listKind) {
  PointAtFilesHere(given, dataFolder);
  if (listFile.empty()) return NamesGiven(given.empty() ? DataFilesIn(dataFolder) : given);
  auto listed = ReadDataFileList(platform::PathFromUtf8(listFile));
  if (!listed) {
    ShowError(listFile, ": the list of ", listKind, " cannot be read (", Reason(listed.error()), ")");
    exitStatus = kExitUsage;
    return std::nullopt;
  }
  return std::move(*listed);
}

void AddPlotOptions(CLI::App& command, PlotArguments& arguments) {
  command.add_option("RESULT", arguments.result, "The PET result file, such as OUTPUT/STN1_PET.csv")->required();
  command.add_option("--out,-o", arguments.out, "The image to write: FILE.svg or FILE.png")
      ->required()
      ->type_name("FILE");
  command.add_option("--width", arguments.width, "Width in pixels")->check(CLI::Range(200, 10000))->type_name("PX");
  command.add_option("--height", arguments.height, "Height in pixels")->check(CLI::Range(150, 10000))->type_name("PX");
}

std::string SpacedFormatter::make_expanded(const CLI::App* sub) const {
  std::string text = CLI::Formatter::make_expanded(sub);
  for (const std::string_view head : {"\n  Positionals:", "\n  Options:"})
    if (const auto at = text.find(head); at != std::string::npos) text.insert(at, "\n");
  return text;
}

int RunAtEdge(std::string_view program, const std::function<int()>& work) {
  try {
    return work();
  } catch (const std::bad_alloc&) {
    ShowError(std::string(program) + ": the memory ran out; the run stopped, and the file being written was not put in place");
  } catch (const std::exception& e) {
    ShowError(std::string(program) + ": the run stopped on a fault (" + EscapedText(e.what()) +
              "); the file being written was not put in place");
  } catch (...) {
    ShowError(std::string(program) + ": the run stopped on an unknown fault; the file being written was not put in place");
  }
  return kExitFault;
}

std::filesystem::path ThisExecutable(const char* argv0) { return platform::ThisExecutable(argv0); }

int ParseAndRun(CLI::App& app, int argc, char** argv, const CliContext& context) {
  std::vector<std::string> words = platform::Arguments(argc, argv);
  std::vector<char*> pointers;
  for (auto& word : words) pointers.push_back(word.data());
  try {
    app.parse(static_cast<int>(pointers.size()), pointers.data());
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? 0 : kExitUsage;
  }
  return context.exitStatus;
}

}  // namespace sorvane::cli
