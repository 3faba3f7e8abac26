// sorvane-cli init DIR: a fresh ApplicationFolder made from the installed skeleton.
#include <iostream>

#include "cli/cli_context.h"
#include "common/text.h"

namespace sorvane::cli {

void AddInitCommand(CLI::App& app, CliContext& context) {
  auto* command = app.add_subcommand(
      "init", "Make a fresh ApplicationFolder (data/PET_DATA, data/COEFFI_DATA, support, OUTPUT) at DIR");
  auto target = std::make_shared<std::string>();
  command->add_option("DIR", *target, "Folder to make; files already there are kept")->required();
  command->callback([&context, target] {
    // An empty DIR would be the current folder, filled with the skeleton unasked.
    if (TrimSpaces(*target).empty()) {
      ShowError("sorvane-cli init: DIR is empty; name the folder to make");
      context.exitStatus = kExitUsage;
      return;
    }
    const std::filesystem::path folder = platform::PathFromUtf8(*target);
    if (auto made = MakeAppFolder(folder, context.executable); !made) {
      ShowError("sorvane-cli: ", Located(made.error()));
      context.exitStatus = kExitUsage;
      return;
    }
    std::error_code ec;
    const std::filesystem::path shown = std::filesystem::absolute(folder, ec);
    std::cout << "ApplicationFolder ready: " << platform::Utf8(ec ? folder : shown) << '\n';
  });
}

}  // namespace sorvane::cli
