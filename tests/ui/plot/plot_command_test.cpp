// sorvane-cli plot as a user runs it, on the results of the bundled sample data.
#include <gtest/gtest.h>

#include <QImage>
#include <QSvgRenderer>

#include "support/run_program.h"
#include "support/temp_app_folder.h"

namespace sorvane {
namespace {

using testing::RunProgram;
using testing::TempAppFolder;

// What a server without a display has: no platform chosen, no display, no runtime folder.
const std::vector<std::string> kNoDisplay{"QT_QPA_PLATFORM=", "DISPLAY=", "WAYLAND_DISPLAY=", "XDG_RUNTIME_DIR="};

class PlotCommand : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    sample_ = new TempAppFolder;
    const auto folder = (sample_->Root() / "app").string();
    ASSERT_EQ(RunProgram(SORVANE_CLI, {"init", folder}).exitStatus, 0);
    ASSERT_EQ(RunProgram(SORVANE_CLI, {"--app-folder", folder, "pet"}).exitStatus, 0);
  }
  static void TearDownTestSuite() { delete sample_; }

  static std::filesystem::path App() { return sample_->Root() / "app"; }
  static std::string Out(const std::string& name) { return (sample_->Root() / name).string(); }
  testing::ProgramRun Plot(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"--app-folder", App().string(), "plot"});
    return RunProgram(SORVANE_CLI, arguments, kNoDisplay);
  }

 private:
  static inline TempAppFolder* sample_ = nullptr;
};

TEST_F(PlotCommand, DrawsTheDailySampleResultsAsAPngWithoutADisplay) {
  const std::string out = Out("daily.png");
  const auto run = Plot({"KESTREL_PET.csv", "--out", out});  // a bare name: taken from OUTPUT
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, "KESTREL_PET.csv: daily PET, 2011-01-01 to 2012-12-31, drawn as monthly means\n"
                     "731 rows, 7 methods; chart written to " + out + "\n");
  EXPECT_EQ(QImage(QString::fromStdString(out)).size(), QSize(1200, 600));
}

TEST_F(PlotCommand, DrawsWeeklyAndMonthlyResultsAsSvgOfTheSizeAskedFor) {
  const std::string weekly = Out("weekly.svg");
  const auto run = Plot({(App() / "OUTPUT" / "KESTREL_WEEKLY_PET.csv").string(), "-o", weekly, "--width", "800",
                         "--height", "400"});
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_TRUE(run.out.starts_with("KESTREL_WEEKLY_PET.csv: weekly PET, 2011 W1 to 2012 W52\n104 rows, 7 methods"))
      << run.out;
  EXPECT_EQ(QSvgRenderer(QString::fromStdString(weekly)).viewBox(), QRect(0, 0, 800, 400));

  const std::string monthly = Out("monthly.svg");
  const auto monthlyRun = Plot({"KESTREL_MONTHLY_PET.csv", "--out", monthly});
  EXPECT_EQ(monthlyRun.exitStatus, 0) << monthlyRun.err;
  EXPECT_TRUE(monthlyRun.out.starts_with("KESTREL_MONTHLY_PET.csv: monthly PET, 2009-01 to 2012-12\n48 rows, 8 methods"))
      << monthlyRun.out;
  EXPECT_TRUE(QSvgRenderer(QString::fromStdString(monthly)).isValid());
}

TEST_F(PlotCommand, AFileThatIsNoResultIsRefusedWithItsLine) {
  const std::string weather = (App() / "data" / "PET_DATA" / "KESTREL.csv").string();
  const auto run = Plot({weather, "--out", Out("no.svg")});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.err, weather + ":1: the header line begins with neither Date, Year,Week nor Year,Month: "
                               "this is no PET result file; no chart is drawn\n");
  EXPECT_FALSE(std::filesystem::exists(Out("no.svg")));

  const auto missing = Plot({"NOPE_PET.csv", "--out", Out("no.svg")});
  EXPECT_EQ(missing.exitStatus, 1);
  EXPECT_EQ(missing.err, "NOPE_PET.csv: no such file in the current folder nor in " + (App() / "OUTPUT").string() +
                             "; give the file's path, or the name of a file in that folder\n");
}

TEST_F(PlotCommand, WrongUsageExitsWithTwo) {
  const auto jpeg = Plot({"KESTREL_PET.csv", "--out", "chart.jpg"});
  EXPECT_EQ(jpeg.exitStatus, 2);
  EXPECT_EQ(jpeg.err, "sorvane-cli plot: chart.jpg: the chart is written as SVG or PNG; end the name in .svg or .png\n");
  EXPECT_EQ(Plot({"KESTREL_PET.csv"}).exitStatus, 2);  // no --out
  EXPECT_EQ(Plot({"KESTREL_PET.csv", "--out", Out("x.png"), "--width", "10"}).exitStatus, 2);
}

}  // namespace
}  // namespace sorvane
