// sorvane-cli adjust PATH: a run of the PET adjuster with the CoefficientFile at PATH (a
// bare name from OUTPUT), as the window's adjuster runs one with the chosen file.
#include <iostream>

#include "jobs/adjust_job.h"
#include "cli/cli_context.h"
#include "cli/console_notices.h"
#include "common/text.h"

namespace sorvane::cli {

void AddAdjustCommand(CLI::App& app, CliContext& context) {
  auto path = std::make_shared<std::string>();
  auto* command = app.add_subcommand(
      "adjust",
      "Adjust the daily PET results of the first station of a coefficient file: every value v of a\n"
      "method column that the file has coefficients for becomes intercept + slope x v. Reads\n"
      "OUTPUT/<station>_PET.csv and writes OUTPUT/<station>_PET_ADJ.csv; after JOB END it names the\n"
      "station and the file written. A missing or non-daily PET\n"
      "result ends the run (status 3). Leaves the scratch file temp.txt in the ApplicationFolder.");
  command
      ->add_option("PATH", *path,
                   "The coefficient file: a path, or a bare name such as stations_COEFFI.csv\n"
                   "that is no file in the current folder, taken from OUTPUT")
      ->required();
  command->callback([&context, path] {
    const auto folder = context.ResolveAppFolder();
    if (!folder) return;
    // An empty PATH stays empty: the run says that no data file was selected.
    const auto file = TrimSpaces(*path).empty() ? std::filesystem::path(*path) : context.HereOrInOutput(*path);
    if (!file) return;
    ConsoleNotices notices;
    const JobReport report = AdjustPetResults(platform::Utf8(*file), *folder, notices);
    // The window's notices end with "JOB END" alone; a terminal also says what was done.
    if (!report.written.empty())
      std::cout << "station " << EscapedText(report.station) << " adjusted; written to "
                << folder->Display(report.written) << '\n';
    if (report.programEnds) {
      context.exitStatus = kExitProgramEnded;
    } else if (report.anyRefused) {
      context.exitStatus = kExitRefused;
    } else if (TrimSpaces(*path).empty()) {
      context.exitStatus = kExitUsage;  // "NO Data file selected"
    }
  });
}

}  // namespace sorvane::cli
