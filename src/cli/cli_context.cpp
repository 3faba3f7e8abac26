// What the subcommands of sorvane-cli (and sorvane-plot) share.
#include <iostream>

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
}

std::optional<AppFolder> CliContext::ResolveAppFolder() {
  std::string error;
  auto folder = LocateAppFolder(appFolderOption, executable, &error);
  if (!folder) {
    std::cerr << "sorvane-cli: " << error << '\n';
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
  std::cerr << given << ": no such file in the current folder nor in " << folder->Output().string()
            << "; give the file's path, or the name of a file in that folder\n";
  exitStatus = kExitRefused;
  return std::nullopt;
}

std::optional<std::vector<ListedName>> CliContext::NamesToProcess(const std::vector<std::string>& given,
                                                                  const std::string& listFile,
                                                                  const std::filesystem::path& dataFolder,
                                                                  std::string_view listKind) {
  if (listFile.empty()) return NamesGiven(given.empty() ? DataFilesIn(dataFolder) : given);
  std::string error;
  auto listed = ReadDataFileList(platform::PathFromUtf8(listFile), &error);
  if (!listed) {
    std::cerr << listFile << ": the list of " << listKind << " cannot be read (" << error << ")\n";
    exitStatus = kExitUsage;
  }
  return listed;
}

void AddPlotOptions(CLI::App& command, PlotArguments& arguments) {
  command.add_option("RESULT", arguments.result, "The PET result file, such as OUTPUT/STN1_PET.csv")->required();
  command.add_option("--out,-o", arguments.out, "The image to write: FILE.svg or FILE.png")
      ->required()
      ->type_name("FILE");
  command.add_option("--width", arguments.width, "Width in pixels")->check(CLI::Range(200, 10000))->type_name("PX");
  command.add_option("--height", arguments.height, "Height in pixels")->check(CLI::Range(150, 10000))->type_name("PX");
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
