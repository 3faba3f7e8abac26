// sorvane-cli plot RESULT.csv --out FILE.svg|FILE.png: a chart of a PetResultFile. The
// charts are drawn with Qt by the program sorvane-plot beside this one, so that the other
// subcommands start without loading Qt; a build without the Qt user interface has no
// charts and says so.
#include <iostream>

#include "cli/cli_context.h"

namespace sorvane::cli {

namespace {

// The words sorvane-plot is started with: the options checked here, defaults spelt out.
std::vector<std::string> PlotterWords(const CliContext& context, const PlotArguments& arguments) {
  std::vector<std::string> words;
  if (context.appFolderOption) words.insert(words.end(), {"--app-folder", platform::Utf8(*context.appFolderOption)});
  words.insert(words.end(), {"--out", arguments.out, "--width", std::to_string(arguments.width), "--height",
                             std::to_string(arguments.height), "--", arguments.result});
  return words;
}

void RunPlot(CliContext& context, const PlotArguments& arguments) {
  const auto plotter = platform::ProgramBeside(context.executable, "sorvane-plot");
  if (!plotter) {
    ShowError("sorvane-cli plot: this build has no charts (it was built without the Qt user interface)");
    context.exitStatus = kExitUsage;
    return;
  }
  std::vector<std::string> words{platform::Utf8(*plotter)};
  for (auto& word : PlotterWords(context, arguments)) words.push_back(std::move(word));
  std::cout.flush();
  platform::RunInstead(*plotter, words);
  ShowError("sorvane-cli plot: ", platform::Utf8(*plotter), " cannot be started");
  context.exitStatus = kExitUsage;
}

}  // namespace

void AddPlotCommand(CLI::App& app, CliContext& context) {
  auto* command = app.add_subcommand("plot", std::string(kPlotDescription));
  auto arguments = std::make_shared<PlotArguments>();
  AddPlotOptions(*command, *arguments);
  command->callback([&context, arguments] { RunPlot(context, *arguments); });
}

}  // namespace sorvane::cli
