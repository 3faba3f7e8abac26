// sorvane-cli plot RESULT.csv --out FILE.svg|FILE.png: a chart of a PetResultFile. The
// charts are drawn with Qt by the program sorvane-plot beside this one, so that the other
// subcommands start without loading Qt; a build without the Qt user interface has no
// charts and says so.
#include <unistd.h>

#include <iostream>

#include "cli/cli_context.h"

namespace sorvane::cli {

namespace {

void RunPlot(CliContext& context, const std::vector<std::string>& arguments) {
  const std::filesystem::path plotter = context.executable.parent_path() / "sorvane-plot";
  if (::access(plotter.c_str(), X_OK) != 0) {
    std::cerr << "sorvane-cli plot: this build has no charts (it was built without the Qt user interface)\n";
    context.exitStatus = kExitUsage;
    return;
  }
  std::vector<std::string> words{plotter.string()};
  if (context.appFolderOption) words.insert(words.end(), {"--app-folder", context.appFolderOption->string()});
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (auto& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  std::cout.flush();
  ::execv(plotter.c_str(), argv.data());
  std::cerr << "sorvane-cli plot: " << plotter.string() << " cannot be started\n";
  context.exitStatus = kExitUsage;
}

}  // namespace

void AddPlotCommand(CLI::App& app, CliContext& context) {
  auto* command = app.add_subcommand("plot", std::string(kPlotDescription));
  command->prefix_command();  // everything after "plot" goes to sorvane-plot, --help included
  command->callback([&context, command] { RunPlot(context, command->remaining()); });
}

}  // namespace sorvane::cli
