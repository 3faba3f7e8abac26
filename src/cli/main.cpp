// sorvane-cli: the command-line face of Sorvane. Each subcommand lives in a file of its
// own and calls one job of the core, exactly as the window's buttons do.
#include <iostream>

#include "cli/cli_context.h"
#include "common/version.h"

int main(int argc, char** argv) {
  using namespace sorvane::cli;
  // Whatever is thrown past the jobs ends here, as a message and a status.
  return RunAtEdge("sorvane-cli", [&] {
    CliContext context;
    context.executable = ThisExecutable(argv[0]);

    CLI::App app{
        "Sorvane: potential evapotranspiration from station weather files.\n\n"
        "Every path lies in the ApplicationFolder: weather files in data/PET_DATA, station lists\n"
        "in data/COEFFI_DATA, reference tables in support, results in OUTPUT. The folder is\n"
        "--app-folder DIR, else $SORVANE_HOME, else the folder of this program when it holds\n"
        "support/, else " + std::string(sorvane::platform::kPerUserAppFolderHelp) + ", made on first use.\n\n"
        "Notices go to standard output, refusals (naming file, line and field) to standard error.\n"
        "Exit status: 0 every file processed, 1 some input refused, 2 wrong usage,\n"
        "3 a notice ended the program (duplicate station, missing or non-daily PET result),\n"
        "4 a fault stopped the program (memory ran out); no half-written result is left.",
        "sorvane-cli"};
    app.formatter(std::make_shared<SpacedFormatter>());  // before the subcommands, which inherit it
    app.option_defaults()->always_capture_default();
    // "/x" is a path here on every system, never an option (before the subcommands, which inherit it).
    app.allow_windows_style_options(false);
    auto takeFolder = [&context](const std::string& folder) {
      context.appFolderOption = sorvane::platform::PathFromUtf8(folder);
    };
    app.set_help_all_flag("--help-all", "Print this help with every subcommand's options, and exit");
    app.set_version_flag("--version", sorvane::kVersionText, "Print the version and licence and exit");
    app.add_option_function<std::string>("--app-folder", takeFolder, "The ApplicationFolder to work in")
        ->type_name("DIR");
    app.require_subcommand(1);
    app.fallthrough(false);

    AddInitCommand(app, context);
    AddPetCommand(app, context);
    AddCoeffCommand(app, context);
    AddMethodsCommand(app, context);
    AddAdjustCommand(app, context);
    AddCheckCommand(app, context);
    AddPlotCommand(app, context);
    AddCalibrateCommand(app, context);
    AddSummaryCommand(app, context);

    return ParseAndRun(app, argc, argv, context);
  });
}
