// sorvane-cli adjust, and the chain pet -> coeff -> adjust on the bundled data.
#include <gtest/gtest.h>

#include "support/temp_app_folder.h"
#include "support/run_program.h"

namespace sorvane {
namespace {

using testing::Lines;
using testing::RunCli;
using testing::TempAppFolder;
using testing::TestData;

struct AdjustCase {
  const char* coefficientFile;  // in OUTPUT
  int status;
  const char* out;
  const char* err;
};

TEST(AdjustCommand, ExitStatusAndNoticesOfEachEnding) {
  const AdjustCase cases[] = {
      {"STN1_COEFFI.csv", 0, "JOB END\nstation STN1 adjusted; written to OUTPUT/STN1_PET_ADJ.csv\n", ""},
      {"ODD_COEFFI.csv", 1, "JOB END\n",
       "OUTPUT/ODD_COEFFI.csv:1: 3 fields follow the heads Station, Latitude, Longitude: an odd number, but each "
       "method takes two (its name and an empty field); nothing is adjusted\n"},
      {"NOPE_COEFFI.csv", 3, "NOPE_PET.csv   NOT available\n", ""},
      {"WK1_COEFFI.csv", 3, "Daily PET values are only adjustable\n", ""},
  };
  for (const auto& c : cases) {
    TempAppFolder app(TestData("adjuster/appfolder"));
    const auto run = RunCli(app.Root(), {"adjust", app.Path("OUTPUT").string() + "/" + c.coefficientFile});
    EXPECT_EQ(run.exitStatus, c.status) << c.coefficientFile;
    EXPECT_EQ(run.out, c.out) << c.coefficientFile;
    EXPECT_EQ(run.err, c.err) << c.coefficientFile;
  }
}

TEST(AdjustCommand, WritesTheAdjustedFileOfTheFirstStation) {
  TempAppFolder app(TestData("adjuster/appfolder"));
  const auto run = RunCli(app.Root(), {"adjust", app.Path("OUTPUT/STN1_COEFFI.csv").string()});
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(app.Read("OUTPUT/STN1_PET_ADJ.csv"),
            Lines({"Date,Hargreaves,Turc", "01/01/1970,4.16,-.5", "01/02/1970,.5,"}));
  EXPECT_FALSE(app.Exists("OUTPUT/STN2_PET_ADJ.csv"));
  EXPECT_EQ(app.Read("temp.txt"), Lines({"Hargreaves,,Turc,"}));
}

TEST(AdjustCommand, ABareNameIsTakenFromOutputAndOneFoundNowhereSaysWhereItWasLookedFor) {
  TempAppFolder app(TestData("adjuster/appfolder"));
  const auto run = RunCli(app.Root(), {"adjust", "STN1_COEFFI.csv"});
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_TRUE(app.Exists("OUTPUT/STN1_PET_ADJ.csv"));

  const auto missing = RunCli(app.Root(), {"adjust", "NONE_COEFFI.csv"});
  EXPECT_EQ(missing.exitStatus, 1);
  EXPECT_EQ(missing.out, "");
  EXPECT_EQ(missing.err, "NONE_COEFFI.csv: no such file in the current folder nor in " +
                             app.Path("OUTPUT").string() + "; give the file's path, or the name of a file in that folder\n");
}

TEST(AdjustCommand, AnEmptyPathIsTheNoDataFileNoticeAndAUsageError) {
  TempAppFolder app(TestData("adjuster/appfolder"));
  const auto run = RunCli(app.Root(), {"adjust", " "});
  EXPECT_EQ(run.exitStatus, 2);
  EXPECT_EQ(run.out, "NO Data file selected\n");
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  return lines;
}

std::string FirstField(const std::string& line) { return line.substr(0, line.find(',')); }

// The bundled ApplicationFolder as it installs: the PET run writes OUTPUT/KESTREL_PET.csv,
// the coefficient generator OUTPUT/stations_COEFFI.csv, whose first station is KESTREL,
// and the adjuster adjusts every method of the PET results.
TEST(Chain, PetThenCoeffThenAdjustOnTheBundledData) {
  TempAppFolder app(std::filesystem::path(SORVANE_SOURCE_DIR) / "appfolder");
  const auto pet = RunCli(app.Root(), {"pet", "KESTREL.csv"});
  ASSERT_EQ(pet.exitStatus, 0) << pet.out << pet.err;
  const auto coeff = RunCli(app.Root(), {"coeff", "stations.csv"});
  ASSERT_EQ(coeff.exitStatus, 0) << coeff.out << coeff.err;
  const auto adjust = RunCli(app.Root(), {"adjust", app.Path("OUTPUT/stations_COEFFI.csv").string()});
  ASSERT_EQ(adjust.exitStatus, 0) << adjust.out << adjust.err;
  EXPECT_EQ(adjust.out, "JOB END\nstation KESTREL adjusted; written to OUTPUT/KESTREL_PET_ADJ.csv\n");

  const auto petLines = Lines(app.Read("OUTPUT/KESTREL_PET.csv"));
  const auto adjustedLines = Lines(app.Read("OUTPUT/KESTREL_PET_ADJ.csv"));
  ASSERT_GT(petLines.size(), 1u);
  ASSERT_EQ(adjustedLines.size(), petLines.size());
  // Every method of a daily result has coefficients in the bundled table.
  EXPECT_EQ(adjustedLines[0], petLines[0]);
  for (std::size_t i = 1; i < petLines.size(); ++i) {
    EXPECT_EQ(FirstField(adjustedLines[i]), FirstField(petLines[i])) << "line " << i + 1;
    EXPECT_EQ(std::count(adjustedLines[i].begin(), adjustedLines[i].end(), ','),
              std::count(petLines[i].begin(), petLines[i].end(), ','))
        << "line " << i + 1;
  }
}

}  // namespace
}  // namespace sorvane
