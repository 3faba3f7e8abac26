// What every subcommand of sorvane-cli shares: the options of the whole program and
// the exit status it ends with.
#pragma once

#include <CLI/CLI.hpp>

#include <filesystem>
#include <optional>
#include <string>

#include "common/app_folder.h"
#include "common/data_file_list.h"

namespace sorvane::cli {

// Exit statuses: every file processed; some input refused; wrong usage; a notice ended
// the program (as the window would close).
enum ExitStatus { kExitOk = 0, kExitRefused = 1, kExitUsage = 2, kExitProgramEnded = 3 };

struct CliContext {
  std::optional<std::filesystem::path> appFolderOption;
  std::filesystem::path executable;
  int exitStatus = kExitOk;

  // The ApplicationFolder, or nullopt after an error on standard error (status 2).
  std::optional<AppFolder> ResolveAppFolder();

  // The names a run processes: those given, else those of the list file `listFile`,
  // else every .csv and .txt file of `dataFolder` in name order. nullopt after an error
  // on standard error (status 2) when the list cannot be read.
  std::optional<std::vector<ListedName>> NamesToProcess(const std::vector<std::string>& given,
                                                        const std::string& listFile,
                                                        const std::filesystem::path& dataFolder,
                                                        std::string_view listKind);
};

void AddInitCommand(CLI::App& app, CliContext& context);
void AddPetCommand(CLI::App& app, CliContext& context);
void AddCoeffCommand(CLI::App& app, CliContext& context);
void AddMethodsCommand(CLI::App& app, CliContext& context);
void AddAdjustCommand(CLI::App& app, CliContext& context);
void AddCheckCommand(CLI::App& app, CliContext& context);
void AddPlotCommand(CLI::App& app, CliContext& context);

}  // namespace sorvane::cli
