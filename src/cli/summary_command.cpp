// sorvane-cli summary RESULT...: the monthly and yearly totals of PET result files.
#include <iostream>

#include "cli/cli_context.h"
#include "common/atomic_file.h"
#include "common/text.h"
#include "run/pet_summary.h"

namespace sorvane::cli {

namespace {

struct SummaryArguments {
  std::vector<std::string> results;
  std::string out;
};

// Summarises one result file into `target` (empty: beside the results in OUTPUT). False
// after a message on standard error.
bool Summarise(CliContext& context, const std::string& given, const std::string& out) {
  const auto path = context.HereOrInOutput(given);
  if (!path) return false;
  const std::string shown = platform::Utf8(*path);
  constexpr std::string_view kNoSummary = "; no summary is written";
  auto fields = FieldReader::Open(*path);
  if (!fields) {
    ShowError(shown, ": cannot be opened (", fields.error().message, ")", kNoSummary);
    return false;
  }
  const auto summary = SummarisePetResult(std::move(*fields));
  if (!summary) {
    ShowError(Located(shown, summary.error()), kNoSummary);
    return false;
  }
  std::filesystem::path target = platform::PathFromUtf8(out);
  if (out.empty()) {
    const auto folder = context.ResolveAppFolder();
    if (!folder) return false;
    const auto output = folder->EnsureOutput();
    if (!output) {
      ShowError(Located(output.error().file, output.error()), kNoSummary);
      return false;
    }
    target = *output / platform::PathFromUtf8(ResultFileName(platform::Utf8(path->filename()), "_SUMMARY.csv"));
  }
  if (const auto written = WriteWholeFile(target, summary->text); !written) {
    ShowError(platform::Utf8(target), ": cannot be written (", written.error().message, ")");
    return false;
  }
  std::cout << shown << ": totals in " << platform::Utf8(target) << '\n';
  if (summary->incomplete > 0) std::cout << shown << ": " << IncompleteNotice(*summary) << '\n';
  return true;
}

}  // namespace

void AddSummaryCommand(CLI::App& app, CliContext& context) {
  auto arguments = std::make_shared<SummaryArguments>();
  auto* command = app.add_subcommand(
      "summary",
      "Total PET result files by month and year. RESULT is a path, or a bare name taken from\n"
      "OUTPUT; a daily, weekly or monthly PET result. Writes OUTPUT/<RESULT less its last four\n"
      "characters>_SUMMARY.csv: Year,Month,Days and one total per method column. A daily result\n"
      "gives one row per month present and after each year's months a row for the year (Month\n"
      "empty); weekly and monthly results give one row per year. Totals are sums of the values\n"
      "as the result file writes them, rendered as result values. A month missing days, or\n"
      "with an empty value of the method, has an empty total, and so has a year without twelve\n"
      "complete months (weeks 1 to 52 for weekly results); the incomplete ones are counted.\n"
      "Exit status: 0 every file summarised, 1 some file unreadable or not written, 2 wrong usage.");
  command->add_option("RESULT", arguments->results, "PET result files, such as OUTPUT/KESTREL_PET.csv")->required();
  command->add_option("--out", arguments->out, "The file to write (one RESULT only)")->type_name("FILE");
  command->callback([&context, arguments] {
    if (!arguments->out.empty() && arguments->results.size() > 1) {
      ShowError("sorvane-cli summary: --out takes one RESULT only");
      context.exitStatus = kExitUsage;
      return;
    }
    for (const std::string& result : arguments->results)
      if (!Summarise(context, result, arguments->out) && context.exitStatus == kExitOk)
        context.exitStatus = kExitRefused;
  });
}

}  // namespace sorvane::cli
