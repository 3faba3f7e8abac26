// sorvane-cli coeff [--methods LIST] [NAME...] | --list FILE: a run of the coefficient
// generator over station lists of data/COEFFI_DATA with the methods selected by
// --methods (all by default).
#include <iostream>

#include "cli/cli_context.h"
#include "cli/console_notices.h"
#include "cli/method_names.h"
#include "coefficients/coefficient_table.h"
#include "common/text.h"
#include "jobs/coefficient_job.h"

namespace sorvane::cli {

namespace {

struct CoeffArguments {
  std::vector<std::string> names;
  std::string listFile;
  std::string methods;
  bool methodsGiven = false;
};

bool IsPosition(std::string_view text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// The MethodSelection from "--methods": positions from 1 or method names (as
// MatchMethodName reads them), separated by commas; an empty LIST marks no method.
// nullopt after an error on standard error.
std::optional<std::vector<bool>> MarksFromList(std::string_view list, const std::vector<std::string>& methodNames) {
  std::vector<bool> marks(methodNames.size(), false);
  if (TrimSpaces(list).empty()) return marks;
  for (;;) {
    const auto comma = list.find(',');
    const std::string_view entry = TrimSpaces(list.substr(0, comma));
    bool found = false;
    MethodNameMatch match;
    if (IsPosition(entry)) {
      const std::size_t position = entry.size() <= 9 ? std::stoul(std::string(entry)) : 0;
      found = position >= 1 && position <= methodNames.size();
      if (found) marks[position - 1] = true;
    } else {
      match = MatchMethodName(entry, methodNames);
      for (const std::size_t k : match.indices) marks[k] = true;
      found = !match.indices.empty();
    }
    if (!found) {
      ShowError("sorvane-cli: --methods: '", entry, "' is neither a position from 1 to ", methodNames.size(),
                " nor a method name of support/Coefficients.csv (", match.nearest.empty() ? "" : Suggestion(match) + " ",
                "see 'sorvane-cli methods')");
      return std::nullopt;
    }
    if (comma == std::string_view::npos) return marks;
    list.remove_prefix(comma + 1);
  }
}

void RunCoeff(CliContext& context, const CoeffArguments& arguments) {
  const auto folder = context.ResolveAppFolder();
  if (!folder) return;
  const auto names =
      context.NamesToProcess(arguments.names, arguments.listFile, folder->CoefficientData(), "station lists");
  if (!names) return;

  // Without --methods every method of the table is marked, whatever their number.
  const auto methodNames = ReadTableMethodNames(folder->CoefficientTable());
  std::vector<bool> marks(methodNames ? methodNames->size() : 0, true);
  if (arguments.methodsGiven) {
    if (!methodNames) {
      ShowError(Located(folder->Display(folder->CoefficientTable()), methodNames.error()),
                "; --methods cannot be matched with the table");
      context.exitStatus = kExitRefused;
      return;
    }
    auto chosen = MarksFromList(arguments.methods, *methodNames);
    if (!chosen) {
      context.exitStatus = kExitUsage;
      return;
    }
    marks = std::move(*chosen);
  }

  ConsoleNotices notices;
  const RunSummary summary = ProcessStationLists(*names, marks, *folder, notices);
  if (summary.programEnds) {
    context.exitStatus = kExitProgramEnded;
    return;
  }
  notices.Show(JobEndNotice());
  std::cout << summary.processed << " of " << names->size() << " station list" << (names->size() == 1 ? "" : "s")
            << " processed; results in " << platform::Utf8(folder->Output()) << '\n';
  context.exitStatus = summary.refused > 0 ? kExitRefused : kExitOk;
}

}  // namespace

void AddCoeffCommand(CLI::App& app, CliContext& context) {
  auto arguments = std::make_shared<CoeffArguments>();
  auto* command = app.add_subcommand(
      "coeff",
      "Interpolate each station's intercept and slope per method from the reference stations of\n"
      "support/Coefficients.csv (inverse distance in degrees). A NAME is a bare file name of a\n"
      "station list in data/COEFFI_DATA (a heading line, then name,latitude,longitude rows, ended by\n"
      "'&') or a path to one; without NAMEs, every .csv and .txt file there, in name order. Each result is\n"
      "OUTPUT/<name less its last four characters>_COEFFI.csv; a refused list leaves no result and\n"
      "an older one of the same name untouched. A station at the very coordinates of a reference\n"
      "station ends the run (status 3); the rows before it are kept.");
  command->add_option("NAME", arguments->names, "Station lists in data/COEFFI_DATA, or paths to station lists");
  auto* list = command
                   ->add_option("--list", arguments->listFile,
                                "Read the names from this DataFileList (one name per line) instead")
                   ->type_name("FILE");
  command
      ->add_option("--methods", arguments->methods,
                   "Methods to interpolate: positions from 1 or names from 'sorvane-cli methods' (case aside),\n"
                   "comma-separated (default: all; \"\" marks none: name, latitude and longitude only)")
      ->type_name("LIST");
  list->excludes(command->get_option("NAME"));
  command->callback([&context, arguments, command] {
    arguments->methodsGiven = command->get_option("--methods")->count() > 0;
    RunCoeff(context, *arguments);
  });
}

}  // namespace sorvane::cli
