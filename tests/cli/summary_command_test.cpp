// sorvane-cli summary, run as a user runs it on the bundled data.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/run_program.h"
#include "support/temp_app_folder.h"

namespace sorvane {
namespace {

using testing::RunCli;
using testing::TempAppFolder;

std::filesystem::path Bundled() { return std::filesystem::path(SORVANE_SOURCE_DIR) / "appfolder"; }

TEST(SummaryCommand, ABareNameIsTakenFromOutput) {
  TempAppFolder app(Bundled());
  ASSERT_EQ(RunCli(app.Root(), {"pet", "KESTREL_MONTHLY.csv"}).exitStatus, 0);
  const auto run = RunCli(app.Root(), {"summary", "KESTREL_MONTHLY_PET.csv"});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  const std::string summary = app.Read("OUTPUT/KESTREL_MONTHLY_PET_SUMMARY.csv");
  EXPECT_EQ(summary.substr(0, 25), "Year,Month,Days,Modified ");
  EXPECT_EQ(RunCli(app.Root(), {"summary", "NO_SUCH_PET.csv"}).exitStatus, 1);
}

}  // namespace
}  // namespace sorvane
