// sorvane-cli pet [NAME...] | --list FILE: a PetRun over weather files of
// data/PET_DATA, named on the command line or in a DataFileList.
#include <iostream>
#include <thread>

#include "cli/cli_context.h"
#include "cli/console_notices.h"
#include "jobs/pet_job.h"

namespace sorvane::cli {

namespace {

struct PetArguments {
  std::vector<std::string> names;
  std::string listFile;
  unsigned jobs = std::max(1u, std::thread::hardware_concurrency());
  ReadingArguments reading;
  std::string heatIndex = "table";
};

void RunPet(CliContext& context, const PetArguments& arguments) {
  const auto folder = context.ResolveAppFolder();
  if (!folder) return;
  const auto names = context.NamesToProcess(arguments.names, arguments.listFile, folder->PetData(), "data files");
  if (!names) return;
  ConsoleNotices notices;
  const RunSummary summary =
      ProcessPetFiles(*names, *folder, notices,
                      RunOptions{arguments.jobs, arguments.reading.Rules(), HeatIndexSourceOf(arguments.heatIndex)});
  notices.Show(JobEndNotice());
  std::cout << summary.processed << " of " << names->size() << " file" << (names->size() == 1 ? "" : "s")
            << " processed";
  if (summary.withoutMethod > 0) std::cout << " (" << summary.withoutMethod << " without any method)";
  std::cout << "; results in " << platform::Utf8(folder->Output()) << '\n';
  context.exitStatus = summary.refused > 0 || summary.withoutMethod > 0 ? kExitRefused : kExitOk;
}

}  // namespace

void AddPetCommand(CLI::App& app, CliContext& context) {
  auto arguments = std::make_shared<PetArguments>();
  auto* command = app.add_subcommand(
      "pet",
      "Compute PET by every method each weather file allows. A NAME is a bare file name in\n"
      "data/PET_DATA, or a path (it holds a '/') to a file read where it is; without NAMEs, every\n"
      ".csv and .txt file of data/PET_DATA, in name order. Each result\n"
      "is OUTPUT/<name less its last four characters>_PET.csv; a refused file leaves no result\n"
      "and an older one of the same name untouched. An empty parameter field is read as 0 (each\n"
      "file says how many it had) unless --empty-is-missing says it holds no reading; a field\n"
      "holding a --missing-code holds none either. A method whose parameter holds no reading in\n"
      "a row leaves its value of that row empty.");
  command->add_option("NAME", arguments->names, "Weather files in data/PET_DATA, or paths to weather files");
  auto* list = command->add_option("--list", arguments->listFile,
                                   "Read the names from this DataFileList (one name per line) instead")
                   ->type_name("FILE");
  command->add_option("--jobs,-j", arguments->jobs, "Files processed at once (default: the number of cores)")
      ->check(CLI::Range(1u, 1024u));
  AddReadingOptions(*command, arguments->reading);
  AddHeatIndexOption(*command, arguments->heatIndex);
  list->excludes(command->get_option("NAME"));
  command->callback([&context, arguments] { RunPet(context, *arguments); });
}

}  // namespace sorvane::cli
