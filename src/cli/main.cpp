// sorvane-cli: the command-line face of Sorvane. Each subcommand lives in a file of its
// own and calls one job of the core, exactly as the window's buttons do.
#include <unistd.h>

#include <iostream>

#include "cli/cli_context.h"

namespace sorvane::cli {

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

std::optional<std::vector<ListedName>> CliContext::NamesToProcess(const std::vector<std::string>& given,
                                                                  const std::string& listFile,
                                                                  const std::filesystem::path& dataFolder,
                                                                  std::string_view listKind) {
  if (listFile.empty()) return NamesGiven(given.empty() ? DataFilesIn(dataFolder) : given);
  std::string error;
  auto listed = ReadDataFileList(listFile, &error);
  if (!listed) {
    std::cerr << listFile << ": the list of " << listKind << " cannot be read (" << error << ")\n";
    exitStatus = kExitUsage;
  }
  return listed;
}

static std::filesystem::path ThisExecutable(const char* argv0) {
  std::error_code ec;
  auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::absolute(argv0) : self;
}

}  // namespace sorvane::cli

int main(int argc, char** argv) {
  using namespace sorvane::cli;
  CliContext context;
  context.executable = ThisExecutable(argv[0]);

  CLI::App app{
      "Sorvane: potential evapotranspiration from station weather files.\n\n"
      "Every path lies in the ApplicationFolder: weather files in data/PET_DATA, station lists\n"
      "in data/COEFFI_DATA, reference tables in support, results in OUTPUT. The folder is\n"
      "--app-folder DIR, else $SORVANE_HOME, else the folder of this program when it holds\n"
      "support/, else $XDG_DATA_HOME/sorvane (default ~/.local/share/sorvane), made on first use.\n\n"
      "Notices go to standard output, refusals (naming file, line and field) to standard error.\n"
      "Exit status: 0 every file processed, 1 some input refused, 2 wrong usage,\n"
      "3 a notice ended the program (duplicate station, missing or non-daily PET result).",
      "sorvane-cli"};
  app.option_defaults()->always_capture_default();
  app.add_option("--app-folder", context.appFolderOption, "The ApplicationFolder to work in")
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

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int status = app.exit(e);
    return status == 0 ? 0 : kExitUsage;
  }
  return context.exitStatus;
}
