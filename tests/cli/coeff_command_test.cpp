// sorvane-cli coeff, run as a user runs it.
#include <gtest/gtest.h>

#include "support/temp_app_folder.h"
#include "support/run_program.h"

namespace sorvane {
namespace {

using testing::Lines;
using testing::RunCli;
using testing::TempAppFolder;
using testing::TestData;

const std::string kAllHeads = "Station,Latitude,Longitude,Hargreaves,,Turc,,PET Open pan,";
const std::string kAllLine2 = ",,,Intercept,Slope,Intercept,Slope,Intercept,Slope";

std::string Summary(const TempAppFolder& app, int processed, int lists) {
  return std::to_string(processed) + " of " + std::to_string(lists) + " station list" + (lists == 1 ? "" : "s") +
         " processed; results in " + (app.Root() / "OUTPUT").string() + "\n";
}

TEST(CoeffCommand, WithoutNamesEveryListIsProcessedWithEveryMethod) {
  TempAppFolder app(TestData("coefficients/appfolder"));
  const auto run = RunCli(app.Root(), {"coeff"});
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.out, "JOB END\n" + Summary(app, 2, 2));
  EXPECT_EQ(run.err, "");
  // The reference rows are followed by blank lines, which are skipped.
  EXPECT_EQ(app.Read("OUTPUT/west_COEFFI.csv"),
            Lines({kAllHeads, kAllLine2, "WEST ONE,15.,72.5,-.19,1.02,.04,.98,.19,.8",
                  "WEST TWO,18.25,75.,.04,.98,-.05,1.02,.14,.78"}));
  EXPECT_EQ(app.Read("OUTPUT/east_COEFFI.csv"), Lines({kAllHeads, kAllLine2, "EAST,21.,88.,.06,.98,-.04,1.02,.07,.87"}));
}

TEST(CoeffCommand, MethodsArePositionsOrNames) {
  TempAppFolder app(TestData("coefficients/appfolder"));
  const auto run = RunCli(app.Root(), {"coeff", "--methods", "3, hargreaves", "east.txt"});
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(app.Read("OUTPUT/east_COEFFI.csv"),
            Lines({"Station,Latitude,Longitude,Hargreaves,,PET Open pan,", ",,,Intercept,Slope,Intercept,Slope",
                  "EAST,21.,88.,.06,.98,.07,.87"}));
  EXPECT_FALSE(app.Exists("OUTPUT/west_COEFFI.csv"));
}

TEST(CoeffCommand, AnEmptyMethodListMarksNone) {
  TempAppFolder app(TestData("coefficients/appfolder"));
  const auto run = RunCli(app.Root(), {"coeff", "--methods", "", "east.txt"});
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(app.Read("OUTPUT/east_COEFFI.csv"), Lines({"Station,Latitude,Longitude", ",,", "EAST,21.,88."}));
}

TEST(CoeffCommand, AnUnknownMethodIsAUsageError) {
  const struct {
    const char* methods;
    const char* suggestion;
  } cases[] = {{"4", ""}, {"0", ""}, {"Hargraves", "did you mean 'Hargreaves'? "}};
  for (const auto& c : cases) {
    TempAppFolder app(TestData("coefficients/appfolder"));
    const auto run = RunCli(app.Root(), {"coeff", "--methods", c.methods});
    EXPECT_EQ(run.exitStatus, 2) << c.methods;
    EXPECT_EQ(run.err, std::string("sorvane-cli: --methods: '") + c.methods +
                           "' is neither a position from 1 to 3 nor a method name of support/Coefficients.csv (" +
                           c.suggestion + "see 'sorvane-cli methods')\n");
    EXPECT_FALSE(app.Exists("OUTPUT/west_COEFFI.csv")) << c.methods;
  }
}

TEST(CoeffCommand, ListsFromAListFile) {
  TempAppFolder app(TestData("coefficients/appfolder"));
  app.Write("mylist.txt", Lines({"west.csv"}));
  const auto run = RunCli(app.Root(), {"coeff", "--list", app.Path("mylist.txt").string()});
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.out, "JOB END\n" + Summary(app, 1, 1));
  EXPECT_TRUE(app.Exists("OUTPUT/west_COEFFI.csv"));
  EXPECT_FALSE(app.Exists("OUTPUT/east_COEFFI.csv"));
}

TEST(CoeffCommand, ARefusedListGivesStatusOneAndTheRunGoesOn) {
  TempAppFolder app(TestData("coefficients/appfolder"));
  const auto run = RunCli(app.Root(), {"coeff", "missing.csv", "east.txt"});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.err,
            "data/COEFFI_DATA/missing.csv: cannot be opened (No such file or directory); the station list is not "
            "processed\n");
  EXPECT_EQ(run.out, "JOB END\n" + Summary(app, 1, 2));
  EXPECT_TRUE(app.Exists("OUTPUT/east_COEFFI.csv"));
}

TEST(CoeffCommand, AStationAtAReferenceStationEndsTheProgramWithStatusThree) {
  TempAppFolder app(TestData("coefficients/appfolder"));
  std::filesystem::copy_file(TestData("coefficients/clash.csv"), app.Path("data/COEFFI_DATA/clash.csv"));
  const auto run = RunCli(app.Root(), {"coeff", "clash.csv", "west.csv"});
  EXPECT_EQ(run.exitStatus, 3);
  EXPECT_EQ(run.out, "ERROR AT CORVID Coefficients are already exist\n");  // and no JOB END
  EXPECT_EQ(app.Read("OUTPUT/clash_COEFFI.csv"),
            Lines({kAllHeads, kAllLine2, "FIRST,12.,74.,-.25,1.03,.07,.97,.21,.8"}));
  EXPECT_FALSE(app.Exists("OUTPUT/west_COEFFI.csv"));
}

TEST(CoeffCommand, HelpDocumentsTheMethodsAndTheStatusOfAnEndedRun) {
  TempAppFolder app;
  const auto run = RunCli(app.Root(), {"coeff", "--help"});
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_NE(run.out.find("--methods"), std::string::npos);
  EXPECT_NE(run.out.find("status 3"), std::string::npos);
}

}  // namespace
}  // namespace sorvane
