// sorvane-cli methods, run as a user runs it.
#include <gtest/gtest.h>

#include "support/run_program.h"
#include "support/temp_app_folder.h"

namespace sorvane {
namespace {

using testing::RunCli;
using testing::TempAppFolder;
using testing::TestData;

TEST(MethodsCommand, ListsTheTablesMethodsWithTheirPositions) {
  TempAppFolder app(TestData("coefficients/appfolder"));
  const auto run = RunCli(app.Root(), {"methods"});
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.out, "1  Hargreaves\n2  Turc\n3  PET Open pan\n");
  EXPECT_FALSE(app.Exists("out.txt"));
}

TEST(MethodsCommand, AMissingTableIsRefused) {
  TempAppFolder app;
  const auto run = RunCli(app.Root(), {"methods"});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.err, "support/Coefficients.csv: cannot be opened (No such file or directory)\n");
}

}  // namespace
}  // namespace sorvane
