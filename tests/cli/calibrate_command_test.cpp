// sorvane-cli calibrate, run as a user runs it on the bundled data.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/run_program.h"
#include "support/temp_app_folder.h"

namespace sorvane {
namespace {

using testing::Lines;
using testing::RunCli;
using testing::TempAppFolder;

std::filesystem::path Bundled() { return std::filesystem::path(SORVANE_SOURCE_DIR) / "appfolder"; }

// The chain: calibrate a table on KESTREL, make it the reference table, interpolate a
// station near it and adjust that station's PET.
TEST(CalibrateCommand, TheTableServesTheCoefficientGenerator) {
  TempAppFolder app(Bundled());
  const auto run = RunCli(app.Root(), {"calibrate", "--against", "penman montieth", "KESTREL.csv"});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_NE(run.out.find("1 station, 6 methods in OUTPUT/Coefficients.csv\n"), std::string::npos) << run.out;
  EXPECT_TRUE(app.Exists("OUTPUT/Coefficients_stats.csv"));
  EXPECT_FALSE(app.Exists("OUTPUT/Coefficients_crossval.csv"));
  std::filesystem::copy_file(app.Path("OUTPUT/Coefficients.csv"), app.Path("support/Coefficients.csv"),
                             std::filesystem::copy_options::overwrite_existing);
  app.Write("data/COEFFI_DATA/near.csv", Lines({"Station,Lat,Lon", "KESTREL,14.6,77.1", "&"}));
  const auto coeff = RunCli(app.Root(), {"coeff", "near.csv"});
  ASSERT_EQ(coeff.exitStatus, 0) << coeff.err;
  // One reference station: every station is given its coefficients, rounded.
  EXPECT_EQ(app.Read("OUTPUT/near_COEFFI.csv"),
            Lines({"Station,Latitude,Longitude,Modified Penman,,Hargreaves,,Turc,,Blaney Criddle,,Christiansen,,"
                   "PET Open pan,",
                   ",,,Intercept,Slope,Intercept,Slope,Intercept,Slope,Intercept,Slope,Intercept,Slope,Intercept,Slope",
                   "KESTREL,14.6,77.1,-.06,.89,-1.26,1.32,-.79,1.39,.69,.87,1.73,.72,1.66,.82"}));
}

// The bundled weekly and monthly files are refused: a table holds coefficients of one period.
TEST(CalibrateCommand, CrossValidationWritesItsFileBesideTheTable) {
  TempAppFolder app(Bundled());
  std::string second = app.Read("data/PET_DATA/KESTREL.csv");
  second.replace(second.find("14.41,77.37"), 11, "15.02,76.88");
  app.Write("data/PET_DATA/WREN.csv", second);
  const auto run = RunCli(app.Root(), {"calibrate", "--against", "Penman Monteith", "--cross-validate", "--out",
                                       (app.Root() / "net.csv").string()});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.err,
            "data/PET_DATA/KESTREL_MONTHLY.csv: a monthly file among daily ones (the coefficients of a table hold "
            "for one period); the file is not processed\n"
            "data/PET_DATA/KESTREL_WEEKLY.csv: a weekly file among daily ones (the coefficients of a table hold "
            "for one period); the file is not processed\n");
  EXPECT_NE(run.out.find("Cross-validation, each station interpolated from the others:\n"), std::string::npos);
  EXPECT_EQ(app.Read("net_crossval.csv").substr(0, 49), "Station,Method,Fitted intercept (mm/day),Fitted s");
  EXPECT_TRUE(app.Exists("net_stats.csv"));
}

TEST(CalibrateCommand, TheReferenceMustBeOneMethodOrOneColumn) {
  const struct {
    std::vector<std::string> words;
    std::string err;
  } cases[] = {
      {{"calibrate"}, "sorvane-cli calibrate: give either --against METHOD or --observed HEAD\n"},
      {{"calibrate", "--against", "Penman"}, "sorvane-cli calibrate: --against 'Penman' is no method (did you mean 'Modified Penman' or 'Penman Montieth'?); "
                                               "`sorvane-cli methods` lists them\n"},
  };
  for (const auto& c : cases) {
    TempAppFolder app(Bundled());
    const auto run = RunCli(app.Root(), c.words);
    EXPECT_EQ(run.exitStatus, 2) << c.err;
    EXPECT_EQ(run.err.substr(0, c.err.size()), c.err);
  }
  TempAppFolder app(Bundled());
  EXPECT_EQ(RunCli(app.Root(), {"calibrate", "--against", "Turc", "--observed", "LYSIM"}).exitStatus, 2);
  const auto missing = RunCli(app.Root(), {"calibrate", "--observed", "LYSIM", "KESTREL.csv"});
  EXPECT_EQ(missing.exitStatus, 1);
  EXPECT_EQ(missing.err,
            "data/PET_DATA/KESTREL.csv: it has no column 'LYSIM' of observed ET; the file is not processed\n"
            "sorvane-cli calibrate: no station to calibrate; nothing is written\n");
}

}  // namespace
}  // namespace sorvane
