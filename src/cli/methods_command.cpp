// sorvane-cli methods: the method names of support/Coefficients.csv with their
// positions, the order in which --methods of coeff counts them.
#include <iostream>

#include "cli/cli_context.h"
#include "coefficients/coefficient_table.h"

namespace sorvane::cli {

void AddMethodsCommand(CLI::App& app, CliContext& context) {
  auto* command = app.add_subcommand(
      "methods", "List the methods of support/Coefficients.csv with their positions, for 'coeff --methods'");
  command->callback([&context] {
    const auto folder = context.ResolveAppFolder();
    if (!folder) return;
    const auto methods = ReadMethodNamesForList(*folder);
    if (!methods) {
      ShowError(Located(methods.error()));
      context.exitStatus = kExitRefused;
      return;
    }
    const std::size_t width = std::to_string(methods->size()).size();
    for (std::size_t k = 0; k < methods->size(); ++k) {
      const std::string position = std::to_string(k + 1);
      std::cout << std::string(width - position.size(), ' ') << position << "  " << (*methods)[k] << '\n';
    }
  });
}

}  // namespace sorvane::cli
