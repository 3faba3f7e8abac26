// sorvane-plot RESULT.csv --out FILE.svg|FILE.png: a chart of a PetResultFile, one line
// per method against the period, drawn off screen with Qt Charts. `sorvane-cli plot`
// runs this program, so that the command line itself never loads Qt.
#include <iostream>

#include "cli/cli_context.h"
#include "common/notices.h"
#include "common/text.h"
#include "common/version.h"
#include "ui/plot/pet_chart.h"

namespace sorvane::cli {

namespace {

// The rows of a readable result file; nullopt after a message on standard error.
std::optional<plot::PetResultTable> ReadResult(const std::filesystem::path& path) {
  const std::string shown = path.string();
  constexpr std::string_view kNoChart = "; no chart is drawn";
  auto reader = FieldReader::Open(path);
  if (!reader) {
    ShowError(shown, ": cannot be opened (", reader.error().message, ")", kNoChart);
    return std::nullopt;
  }
  auto table = plot::ReadPetResultTable(std::move(*reader));
  if (!table) {
    ShowError(Located(shown, table.error()), kNoChart);
    return std::nullopt;
  }
  if (table->methods.empty() || table->rows.empty()) {
    ShowError(shown, (table->methods.empty() ? ": the file holds no method column" : ": the file holds no data rows"), kNoChart);
    return std::nullopt;
  }
  return std::move(*table);
}

void RunPlot(CliContext& context, const PlotArguments& arguments) {
  const auto format = plot::ImageFormatOf(arguments.out);
  if (!format) {
    ShowError("sorvane-cli plot: ", arguments.out, ": the chart is written as SVG or PNG; end the name in .svg or .png");
    context.exitStatus = kExitUsage;
    return;
  }
  const auto path = context.HereOrInOutput(arguments.result);
  if (!path) return;
  const auto table = ReadResult(*path);
  if (!table) {
    context.exitStatus = kExitRefused;
    return;
  }
  const plot::ChartPlan plan =
      plot::PlanPetChart(*table, path->filename().string(), plot::TicksForWidth(arguments.width));
  const plot::ChartApplication application;
  if (auto written = plot::WriteChart(plan, arguments.out, *format, {arguments.width, arguments.height}); !written) {
    ShowError(arguments.out, ": the chart cannot be written (", written.error().message, ")");
    context.exitStatus = kExitRefused;
    return;
  }
  std::cout << plan.title << "\n" << table->rows.size() << (table->rows.size() == 1 ? " row, " : " rows, ")
            << table->methods.size() << (table->methods.size() == 1 ? " method" : " methods") << "; chart written to "
            << arguments.out << '\n';
}

}  // namespace

}  // namespace sorvane::cli

int main(int argc, char** argv) {
  using namespace sorvane::cli;
  // Whatever is thrown past the jobs ends here, as a message and a status.
  return RunAtEdge("sorvane-plot", [&] {
    CliContext context;
    context.executable = ThisExecutable(argv[0]);
    CLI::App app{std::string(kPlotDescription), "sorvane-cli plot"};
    app.set_version_flag("--version", sorvane::kVersionText, "Print the version and licence and exit");
    app.add_option("--app-folder", context.appFolderOption, "The ApplicationFolder to work in")->type_name("DIR");
    PlotArguments arguments;
    AddPlotOptions(app, arguments);
    app.callback([&context, &arguments] { RunPlot(context, arguments); });
    return ParseAndRun(app, argc, argv, context);
  });
}
