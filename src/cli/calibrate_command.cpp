// sorvane-cli calibrate (--against METHOD | --observed HEAD) [NAME...]: a reference
// coefficient table fitted on the user's own weather files, with its statistics and,
// on request, its cross-validation.
#include <iostream>

#include "cli/cli_context.h"
#include "cli/console_notices.h"
#include "cli/method_names.h"
#include "coefficients/calibration.h"
#include "coefficients/calibration_report.h"
#include "coefficients/cross_validation.h"
#include "common/atomic_file.h"
#include "common/text.h"
#include "run/method_table.h"

namespace sorvane::cli {

namespace {

struct CalibrateArguments {
  std::string against;
  std::string observed;
  std::vector<std::string> names;
  std::string listFile;
  std::string out;
  bool crossValidate = false;
  bool noEstimated = false;
  ReadingArguments reading;
  std::string heatIndex = "table";
};

std::optional<CalibrationReference> ReferenceOf(const CalibrateArguments& arguments) {
  CalibrationReference reference;
  if (!arguments.against.empty()) {
    std::vector<std::string> names;
    for (const MethodEntry& entry : kMethodTable) names.emplace_back(entry.name);
    const MethodNameMatch match = MatchMethodName(arguments.against, names);
    if (match.indices.empty()) {
      ShowError("sorvane-cli calibrate: --against '", arguments.against, "' is no method (", Suggestion(match),
                "); `sorvane-cli methods` lists them");
      return std::nullopt;
    }
    reference.method = static_cast<int>(kMethodTable[match.indices.front()].id);
    return reference;
  }
  reference.observedHead = NormaliseHead(arguments.observed);
  if (reference.observedHead.empty()) {
    ShowError("sorvane-cli calibrate: --observed needs the head of a column");
    return std::nullopt;
  }
  return reference;
}

bool Write(const std::filesystem::path& path, const std::string& text, const AppFolder& folder) {
  const auto written = WriteWholeFile(path, text);
  if (written) return true;
  ShowError(folder.Display(path), ": cannot be written (", written.error().message, ")");
  return false;
}

void RunCalibrate(CliContext& context, const CalibrateArguments& arguments) {
  const auto reference = ReferenceOf(arguments);
  if (!reference) {
    context.exitStatus = kExitUsage;
    return;
  }
  const auto folder = context.ResolveAppFolder();
  if (!folder) return;
  const auto names = context.NamesToProcess(arguments.names, arguments.listFile, folder->PetData(), "data files");
  if (!names) return;
  std::filesystem::path table = platform::PathFromUtf8(arguments.out);
  if (arguments.out.empty()) {
    const auto output = folder->EnsureOutput();
    if (!output) {
      ShowError(Located(output.error().file, output.error()));
      context.exitStatus = kExitRefused;
      return;
    }
    table = *output / "Coefficients.csv";
  }
  ConsoleNotices notices;
  const Calibration calibration =
      Calibrate(*names, *folder, *reference, arguments.reading.Rules(), notices,
                CalibrationRules{HeatIndexSourceOf(arguments.heatIndex), arguments.noEstimated});
  context.exitStatus = calibration.refused > 0 ? kExitRefused : kExitOk;
  if (calibration.stations.empty()) {
    ShowError("sorvane-cli calibrate: no station to calibrate; nothing is written");
    context.exitStatus = kExitRefused;
    return;
  }
  std::cout << CalibrationStatsSummary(calibration);
  bool written = Write(table, CoefficientTableText(calibration), *folder) &&
                 Write(BesideTable(table, "_stats.csv"), CalibrationStatsText(calibration), *folder);
  if (written && arguments.crossValidate) {
    const auto rows = CrossValidate(calibration);
    if (rows.empty())
      std::cout << "Cross-validation needs two stations or more and a method in the table\n";
    else
      std::cout << "\nCross-validation, each station interpolated from the others:\n"
                << CrossValidationSummary(rows, calibration.stations.front().period);
    written = Write(BesideTable(table, "_crossval.csv"),
                    CrossValidationText(rows, calibration.stations.front().period), *folder);
  }
  if (!written) {
    context.exitStatus = kExitRefused;
    return;
  }
  std::cout << calibration.stations.size() << " station" << (calibration.stations.size() == 1 ? "" : "s") << ", "
            << calibration.tableMethods.size() << " method" << (calibration.tableMethods.size() == 1 ? "" : "s")
            << " in " << folder->Display(table) << '\n';
}

}  // namespace

void AddCalibrateCommand(CLI::App& app, CliContext& context) {
  auto arguments = std::make_shared<CalibrateArguments>();
  auto* command = app.add_subcommand(
      "calibrate",
      "Fit a reference coefficient table on your own stations. Every weather file (found as `pet`\n"
      "finds them) is one reference station, named after the file less its last four characters,\n"
      "at the latitude and longitude of its line 3. Each method's PET, computed as `pet` computes\n"
      "it, is fitted by least squares to the reference, over the rows where both are present:\n"
      "reference = intercept + slope x value. The reference is a method (--against, a name as\n"
      "`methods` prints it) or a column of observed ET (--observed HEAD, compared upper-cased\n"
      "without spaces). Writes the table in the layout of support/Coefficients.csv (a method that\n"
      "cannot be fitted at every station, with fewer than 10 pairs or a value that never varies,\n"
      "is left out with a notice), <table less .csv>_stats.csv (pairs, coefficients, r2, RMSE and\n"
      "mean bias before and after adjustment, also shown here), and with --cross-validate\n"
      "<table less .csv>_crossval.csv: each station's coefficients interpolated from the others as\n"
      "`coeff` interpolates, and the RMSE of its PET adjusted with them.\n"
      "Exit status: 0 every file used, 1 some input refused or a file not written, 2 wrong usage.");
  auto* against = command->add_option("--against", arguments->against, "The reference method, such as \"Penman Montieth\"")
                      ->type_name("METHOD");
  auto* observed = command->add_option("--observed", arguments->observed,
                                       "The head of the weather files' column of observed ET")
                       ->type_name("HEAD");
  against->excludes(observed);
  command->add_option("NAME", arguments->names, "Weather files in data/PET_DATA, or paths to weather files");
  auto* list = command->add_option("--list", arguments->listFile,
                                   "Read the names from this DataFileList (one name per line) instead")
                   ->type_name("FILE");
  list->excludes(command->get_option("NAME"));
  command->add_option("--out", arguments->out, "The table to write (default OUTPUT/Coefficients.csv)")
      ->type_name("FILE");
  command->add_flag("--cross-validate", arguments->crossValidate,
                    "Interpolate each station from the others and report how well that does");
  AddReadingOptions(*command, arguments->reading);
  command
      ->add_flag("--no-estimated", arguments->noEstimated,
                 "Leave out the rows that hold estimates: fit on what the stations recorded")
      ->needs(command->get_option("--estimate-missing"));
  AddHeatIndexOption(*command, arguments->heatIndex);
  command->callback([&context, arguments] {
    if (arguments->against.empty() == arguments->observed.empty()) {
      ShowError("sorvane-cli calibrate: give either --against METHOD or --observed HEAD\n"
                "Run with --help for more information.");
      context.exitStatus = kExitUsage;
      return;
    }
    RunCalibrate(context, *arguments);
  });
}

}  // namespace sorvane::cli
