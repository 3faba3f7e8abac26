// What every subcommand of sorvane-cli shares: the options of the whole program and
// the exit status it ends with.
#pragma once

#include <CLI/CLI.hpp>

#include <filesystem>
#include <functional>
#include <iostream>
#include <optional>
#include <string>

#include "common/app_folder.h"
#include "common/data_file_list.h"
#include "common/platform.h"
#include "run/heat_index_table.h"
#include "run/weather_file_reader.h"

namespace sorvane::cli {

// Exit statuses: every file processed; some input refused; wrong usage; a notice ended
// the program (as the window would close); a fault stopped the program (memory ran out).
enum ExitStatus { kExitOk = 0, kExitRefused = 1, kExitUsage = 2, kExitProgramEnded = 3, kExitFault = 4 };

// Every line the command line writes to standard error passes here: its parts, then a
// line end.
template <class... Parts>
void ShowError(const Parts&... parts) {
  (std::cerr << ... << parts) << '\n';
}

// A program's whole work, its exit status returned. Whatever is thrown past the jobs
// (memory running out, a library's exception) ends here, the one place it is caught: a
// message on standard error and kExitFault, never an abort. Results already in place
// are whole; the one being written is removed, and an older result of its name stays.
int RunAtEdge(std::string_view program, const std::function<int()>& work);

struct CliContext {
  std::optional<std::filesystem::path> appFolderOption;
  std::filesystem::path executable;
  int exitStatus = kExitOk;

  // The ApplicationFolder, or nullopt after an error on standard error (status 2).
  std::optional<AppFolder> ResolveAppFolder();

  // A file named on the command line: as given when it is a file here or a path; a bare
  // name that is no file here is taken from OUTPUT, where the runs write their results.
  // nullopt after an error on standard error: no ApplicationFolder (status 2), or a bare
  // name that is in neither folder (status 1; the message names both).
  std::optional<std::filesystem::path> HereOrInOutput(const std::string& given);

  // The names a run processes: those given, else those of the list file `listFile`,
  // else every .csv and .txt file of `dataFolder` in name order. nullopt after an error
  // on standard error (status 2) when the list cannot be read.
  std::optional<std::vector<ListedName>> NamesToProcess(const std::vector<std::string>& given,
                                                        const std::string& listFile,
                                                        const std::filesystem::path& dataFolder,
                                                        std::string_view listKind);
};

// The options of pet, check and calibrate that say how weather files are read: which
// fields hold no reading (--empty-is-missing, --missing-code VALUE|TEXT), which column is
// which (--column HEAD=WORD), the wind's height (--wind-height METRES) and the order of
// slashed dates (--day-first); and whether readings not made are estimated
// (--estimate-missing, --krs, --dew-point-offset, --wind-default).
struct ReadingArguments {
  bool emptyIsMissing = false;
  std::vector<std::string> codes;    // numbers or texts
  std::vector<std::string> columns;  // HEAD=WORD, checked as the option is parsed
  std::optional<double> windHeight;  // metres
  bool dayFirst = false;
  bool estimateMissing = false;  // --estimate-missing, with the three values below
  MissingEstimates estimates;

  ReadingRules Rules() const;
};
void AddReadingOptions(CLI::App& command, ReadingArguments& into);

// --heat-index table|station of pet, check and calibrate: where Thornthwaite's heat
// index comes from.
void AddHeatIndexOption(CLI::App& command, std::string& into);
HeatIndexSource HeatIndexSourceOf(const std::string& word);

// What `plot` draws, for the help of sorvane-cli and of sorvane-plot alike.
inline constexpr std::string_view kPlotDescription =
    "Draw a PET result file (daily, weekly or monthly) as a chart: one line per method column\n"
    "against the period, a legend with the method names, empty values left as gaps. Daily files\n"
    "spanning two years or more are drawn as monthly means (the title says so). A summary file\n"
    "(sorvane-cli summary) is drawn as its monthly totals. RESULT is a\n"
    "path; a bare name that is no file in the current folder is taken from OUTPUT. Needs no\n"
    "display. Usage: plot RESULT --out FILE.svg|FILE.png [--width PX] [--height PX].\n"
    "Exit status: 0 drawn, 1 the result file unreadable or the image not written,\n"
    "2 wrong usage (or a build without charts).";

// The words of `plot`, declared alike by sorvane-cli (which checks them and hands them on)
// and by sorvane-plot (which draws), so that both say the same in --help.
struct PlotArguments {
  std::string result;
  std::string out;
  int width = 1200;  // pixels
  int height = 600;  // pixels
};
void AddPlotOptions(CLI::App& command, PlotArguments& arguments);

// The help of --help-all as CLI11 writes it, but with a blank line before each
// subcommand's "Positionals:" and "Options:", so that they stand apart from its
// description, on the terminal and in the manual page that help2man makes from it.
class SpacedFormatter : public CLI::Formatter {
 public:
  std::string make_expanded(const CLI::App* sub) const override;
};

// The running program's own path (for finding the ApplicationFolder beside it).
std::filesystem::path ThisExecutable(const char* argv0);

// Parses the command line, which runs the chosen subcommand, and gives the exit status:
// the subcommand's, 0 after --help, or kExitUsage for words that do not parse.
int ParseAndRun(CLI::App& app, int argc, char** argv, const CliContext& context);

void AddInitCommand(CLI::App& app, CliContext& context);
void AddPetCommand(CLI::App& app, CliContext& context);
void AddCoeffCommand(CLI::App& app, CliContext& context);
void AddMethodsCommand(CLI::App& app, CliContext& context);
void AddAdjustCommand(CLI::App& app, CliContext& context);
void AddCheckCommand(CLI::App& app, CliContext& context);
void AddPlotCommand(CLI::App& app, CliContext& context);
void AddCalibrateCommand(CLI::App& app, CliContext& context);
void AddSummaryCommand(CLI::App& app, CliContext& context);

}  // namespace sorvane::cli
