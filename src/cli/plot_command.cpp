// sorvane-cli plot RESULT.csv --out FILE.svg|FILE.png: a chart of a PetResultFile, one
// line per method against the period, drawn off screen with Qt Charts. A build without
// the Qt user interface has no charts and says so.
#include <iostream>

#include "cli/cli_context.h"
#include "common/text.h"

#ifdef SORVANE_HAS_CHARTS
#include "common/notices.h"
#include "ui/plot/pet_chart.h"
#endif

namespace sorvane::cli {

namespace {

struct PlotArguments {
  std::string result;
  std::string out;
  int width = 1200;  // pixels
  int height = 600;  // pixels
};

#ifdef SORVANE_HAS_CHARTS

// The result file as given; a bare name that is no file here is looked up in the
// OUTPUT folder of the ApplicationFolder, where the runs write their results.
std::optional<std::filesystem::path> ResultPath(CliContext& context, const std::string& given) {
  std::error_code ec;
  if (std::filesystem::exists(given, ec) || !WhyNotBareName(given).empty()) return std::filesystem::path(given);
  const auto folder = context.ResolveAppFolder();
  if (!folder) return std::nullopt;
  return ChildIgnoringCase(folder->Output(), given);
}

// The rows of a readable result file; nullopt after a message on standard error.
std::optional<plot::PetResultTable> ReadResult(const std::filesystem::path& path) {
  const std::string shown = path.string();
  constexpr std::string_view kNoChart = "; no chart is drawn";
  std::string error;
  auto reader = FieldReader::Open(path, &error);
  if (!reader) {
    std::cerr << shown << ": cannot be opened (" << error << ")" << kNoChart << '\n';
    return std::nullopt;
  }
  plot::ResultProblem problem;
  auto table = plot::ReadPetResultTable(*reader, &problem);
  if (!table) {
    std::cerr << Located(shown, problem.line, problem.what) << kNoChart << '\n';
    return std::nullopt;
  }
  if (table->methods.empty() || table->rows.empty()) {
    std::cerr << shown << (table->methods.empty() ? ": the file holds no method column" : ": the file holds no data rows")
              << kNoChart << '\n';
    return std::nullopt;
  }
  return table;
}

void RunPlot(CliContext& context, const PlotArguments& arguments) {
  const auto format = plot::ImageFormatOf(arguments.out);
  if (!format) {
    std::cerr << "sorvane-cli plot: " << arguments.out << ": the chart is written as SVG or PNG; end the name in .svg or .png\n";
    context.exitStatus = kExitUsage;
    return;
  }
  const auto path = ResultPath(context, arguments.result);
  if (!path) return;
  const auto table = ReadResult(*path);
  if (!table) {
    context.exitStatus = kExitRefused;
    return;
  }
  const plot::ChartPlan plan =
      plot::PlanPetChart(*table, path->filename().string(), plot::TicksForWidth(arguments.width));
  const plot::ChartApplication application;
  std::string error;
  if (!plot::WriteChart(plan, arguments.out, *format, {arguments.width, arguments.height}, &error)) {
    std::cerr << arguments.out << ": the chart cannot be written (" << error << ")\n";
    context.exitStatus = kExitRefused;
    return;
  }
  std::cout << plan.title << "\n" << table->rows.size() << (table->rows.size() == 1 ? " row, " : " rows, ")
            << table->methods.size() << (table->methods.size() == 1 ? " method" : " methods") << "; chart written to "
            << arguments.out << '\n';
}

#else

void RunPlot(CliContext& context, const PlotArguments&) {
  std::cerr << "sorvane-cli plot: this build has no charts (it was built without the Qt user interface)\n";
  context.exitStatus = kExitUsage;
}

#endif

}  // namespace

void AddPlotCommand(CLI::App& app, CliContext& context) {
  auto arguments = std::make_shared<PlotArguments>();
  auto* command = app.add_subcommand(
      "plot",
      "Draw a PET result file (daily, weekly or monthly) as a chart: one line per method column\n"
      "against the period, a legend with the method names, empty values left as gaps. Daily files\n"
      "spanning two years or more are drawn as monthly means (the title says so). RESULT is a\n"
      "path; a bare name that is no file in the current folder is taken from OUTPUT. Needs no\n"
      "display. Exit status: 0 drawn, 1 the result file unreadable or the image not written,\n"
      "2 wrong usage (or a build without charts).");
  command->add_option("RESULT", arguments->result, "The PET result file, such as OUTPUT/STN1_PET.csv")->required();
  command->add_option("--out,-o", arguments->out, "The image to write: FILE.svg or FILE.png")
      ->required()
      ->type_name("FILE");
  command->add_option("--width", arguments->width, "Width in pixels")->check(CLI::Range(200, 10000));
  command->add_option("--height", arguments->height, "Height in pixels")->check(CLI::Range(150, 10000));
  command->callback([&context, arguments] { RunPlot(context, *arguments); });
}

}  // namespace sorvane::cli
