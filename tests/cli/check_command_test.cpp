// sorvane-cli check as a user runs it: the report, the CSV rows, the notices and the
// exit status.
#include <gtest/gtest.h>

#include "support/run_program.h"
#include "support/temp_app_folder.h"
#include "support/weather_file.h"

namespace sorvane {
namespace {

using testing::Lines;
using testing::RunProgram;
using testing::TempAppFolder;
using testing::WeatherFile;

// Rows from 01/01/2011 on, one a day, each written by `row(day)`.
template <typename Row>
std::vector<std::string> Days(int count, Row row) {
  std::vector<std::string> rows;
  for (int day = 1; day <= count; ++day)
    rows.push_back("01/" + std::string(day < 10 ? "0" : "") + std::to_string(day) + "/2011," + row(day));
  return rows;
}

class CheckCommand : public ::testing::Test {
 protected:
  testing::ProgramRun Cli(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"--app-folder", app.Root().string()});
    return RunProgram(SORVANE_CLI, arguments);
  }
  TempAppFolder app;
};

TEST_F(CheckCommand, ACleanFileGetsItsReportAndExitStatusZero) {
  app.Write("data/PET_DATA/GOOD.csv", WeatherFile("Date,Tmax,TMIN,RH1,RH2,WS,SS,RAIN",
                                                  {"01/01/2011,30,15,80,40,4,9,1", "01/02/2011,30,15,80,40,4,9,"}));
  const auto run = Cli({"check"});
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out,
            "data/PET_DATA/GOOD.csv\n"
            "  station:     Kestrel Ridge\n"
            "  coordinates: latitude 14.41, longitude 77.37, elevation 350 m\n"
            "  period:      DATE, 01/01/2011 to 01/02/2011\n"
            "  rows:        2\n"
            "  columns:     Tmax (TMAX), TMIN, RH1, RH2, WS, SS\n"
            "  ignored:     RAIN\n"
            "  units:       Tmax: TMAX in \xC2\xB0" "C (the program's unit)\n"
            "               TMIN: TMIN in \xC2\xB0" "C (the program's unit)\n"
            "               RH1: RH1 in % (the program's unit)\n"
            "               RH2: RH2 in % (the program's unit)\n"
            "               WS: WS in km/h (the program's unit)\n"
            "               SS: SS in h (the program's unit)\n"
            "  methods:     Modified Penman, Hargreaves, Turc, Blaney Criddle, Penman Montieth\n"
            "  no suspicious values\n"
            "\n"
            "1 file checked: 1 clean, 0 with suspicious values, 0 refused\n");
}

TEST_F(CheckCommand, ListsTwentyFindingsOfAKindThenCountsTheRest) {
  // Sunshine of 13 h on each of 25 January days of 11.2 h; TMAX below TMIN on day 3.
  app.Write("data/PET_DATA/SUN.csv",
            WeatherFile("Date,TMAX,TMIN,SS", Days(25, [](int day) { return day == 3 ? "10,15,13" : "30,15,13"; })));
  const auto run = Cli({"check", "SUN.csv"});
  EXPECT_EQ(run.exitStatus, 1) << run.err;
  std::string expected =
      "data/PET_DATA/SUN.csv\n"
      "  station:     Kestrel Ridge\n"
      "  coordinates: latitude 14.41, longitude 77.37, elevation 350 m\n"
      "  period:      DATE, 01/01/2011 to 01/25/2011\n"
      "  rows:        25\n"
      "  columns:     TMAX, TMIN, SS\n"
      "  ignored:     none\n"
      "  methods:     Hargreaves, Turc\n"
      "  TMAX below TMIN: 1\n"
      "    line 7: TMAX 10 is below TMIN 15\n"
      "  sunshine longer than the day: 25\n";
  // N of 1 to 20 January at 14.41 N, hours to two decimals.
  const char* dayLengths[] = {"11.17", "11.17", "11.18", "11.18", "11.19", "11.19", "11.2",  "11.2",  "11.21", "11.21",
                              "11.22", "11.22", "11.23", "11.24", "11.24", "11.25", "11.26", "11.26", "11.27", "11.28"};
  for (int k = 0; k < 20; ++k)
    expected += "    line " + std::to_string(k + 5) + ": SS 13 h is longer than the day (N = " + dayLengths[k] + " h)\n";
  expected +=
      "    and 5 more\n"
      "  PET values that would be empty: 1\n"
      "    line 7: Hargreaves would be empty\n"
      "  27 suspicious values\n"
      "\n"
      "1 file checked: 0 clean, 1 with suspicious values, 0 refused\n";
  EXPECT_EQ(run.out, expected);
}

TEST_F(CheckCommand, CsvHasOneRowPerFindingWithoutALimit) {
  app.Write("data/PET_DATA/A.csv", WeatherFile("Date,TMAX,TMIN,RH1,RH2", {"01/01/2011,30,15,80,40", "01/02/2011,-99,15,80,90",
                                                                          "01/05/2011,30,15,80,40"}));
  const auto run = Cli({"check", "--format", "csv", "A.csv"});
  EXPECT_EQ(run.exitStatus, 1) << run.err;
  EXPECT_EQ(run.out,
            "file,line,field,kind,value\n"
            "data/PET_DATA/A.csv,6,TMAX,missing-value-code,-99\n"
            "data/PET_DATA/A.csv,6,RH2,rh2-above-rh1,90\n"
            "data/PET_DATA/A.csv,6,Hargreaves,empty-pet-value,\n"
            "data/PET_DATA/A.csv,7,Date,days-missing,01/05/2011\n");
}

// What a run would get wrong without a word: heads not used, a parameter without a column,
// empty fields, and declared missing-value codes, with the PET values they empty.
TEST_F(CheckCommand, NamesWhatTheRunWouldTakeAsZeroAndTakesTheMissingValueOptions) {
  app.Write("data/PET_DATA/A.csv", WeatherFile("Date,Soil TMAX,TMAX,TMIN,RH1,WS,SS",
                                               {"01/01/2011,30,30,15,80,4,9", "01/02/2011,,,15,-88,4,9"}));
  const auto run = Cli({"check", "--format", "csv", "--empty-is-missing", "--missing-code", "-88", "A.csv"});
  EXPECT_EQ(run.exitStatus, 1) << run.err;
  EXPECT_EQ(run.out,
            "file,line,field,kind,value\n"
            "data/PET_DATA/A.csv,4,Soil TMAX,ignored-head,Soil TMAX\n"
            "data/PET_DATA/A.csv,4,RH2,absent-parameter,\n"
            "data/PET_DATA/A.csv,6,TMAX,empty-field,\n"
            "data/PET_DATA/A.csv,6,RH1,missing-value-code,-88\n"
            "data/PET_DATA/A.csv,6,Modified Penman,empty-pet-value,\n"
            "data/PET_DATA/A.csv,6,Hargreaves,empty-pet-value,\n"
            "data/PET_DATA/A.csv,6,Turc,empty-pet-value,\n"
            "data/PET_DATA/A.csv,6,Blaney Criddle,empty-pet-value,\n"
            "data/PET_DATA/A.csv,6,Penman Montieth,empty-pet-value,\n");
  const auto text = Cli({"check", "A.csv"});
  EXPECT_NE(text.out.find("  methods:     Modified Penman, Hargreaves, Turc, Blaney Criddle, Penman Montieth\n"
                          "  heads not used: 1\n"
                          "    line 4: 'Soil TMAX' is not used: a column is used only when its head is one of "
                          "TMAX, TMIN, RH1, RH2, RH, TDEW, WS, SS, RS, EVP\n"
                          "  parameters without a column, taken as 0: 1\n"
                          "    line 4: no RH2 column: Modified Penman, Blaney Criddle and Penman Montieth run with "
                          "RH2 = 0 (--estimate-missing estimates it from TMIN and TMAX instead)\n"),
            std::string::npos)
      << text.out;
  EXPECT_NE(text.out.find("  empty fields: 1\n    line 6: TMAX is empty and read as 0\n"), std::string::npos)
      << text.out;
}

// A file the run refuses gets the run's notice, on standard error as there.
TEST_F(CheckCommand, UnreadableFilesGetThePetRunsNoticeAndExitStatusTwo) {
  app.Write("data/PET_DATA/BAD.csv", WeatherFile("Date,TMAX,TMIN", {"01/01/2011,30,15", "01/02/2011,30,warm"}));
  app.Write("data/PET_DATA/GOOD.csv", WeatherFile("Date,TMAX,TMIN", {"01/01/2011,30,15"}));
  const auto pet = Cli({"pet", "BAD.csv", "x/.."});
  const auto check = Cli({"check", "BAD.csv", "x/..", "GOOD.csv"});
  EXPECT_EQ(check.exitStatus, 2);
  EXPECT_EQ(check.err, pet.err);
  EXPECT_EQ(check.err,
            "data/PET_DATA/BAD.csv:6: field 3 (TMIN) 'warm' is not a number; the file is not processed\n"
            "a path that names no file ('x/..'); nothing is processed for it\n");
  EXPECT_TRUE(check.out.starts_with("data/PET_DATA/BAD.csv\n  station:     Kestrel Ridge\n")) << check.out;
  EXPECT_NE(check.out.find("  rows:        1\n"), std::string::npos);
  EXPECT_NE(check.out.find("  methods:     Hargreaves\n  not processed: a PET run refuses this file\n\n"
                           "x/..\n  not processed: a PET run refuses this file\n"),
            std::string::npos)
      << check.out;
  EXPECT_TRUE(check.out.ends_with("3 files checked: 1 clean, 0 with suspicious values, 2 refused\n")) << check.out;

  const auto csv = Cli({"check", "--format=csv", "BAD.csv"});
  EXPECT_EQ(csv.exitStatus, 2);
  EXPECT_EQ(csv.out,
            "file,line,field,kind,value\n"
            "data/PET_DATA/BAD.csv,,,refused,data/PET_DATA/BAD.csv:6: field 3 (TMIN) 'warm' is not a number; "
            "the file is not processed\n");
}

TEST_F(CheckCommand, CsvQuotesFieldsThatHoldCommas) {
  app.Write("data/PET_DATA/Q.csv", testing::WeatherFileHead("Date,TMAX,TMIN") + "\"01/01/2011\",30,\"1,5\"\r\n");
  const auto run = Cli({"check", "--format", "csv", "Q.csv"});
  EXPECT_EQ(run.exitStatus, 2);
  EXPECT_EQ(run.out,
            "file,line,field,kind,value\n"
            "data/PET_DATA/Q.csv,,,refused,\"data/PET_DATA/Q.csv:5: field 3 (TMIN) '1,5' is not a number; "
            "the file is not processed\"\n");
}

// Every sample file is clean but KESTREL_LOGGER.csv, whose faults were typed in on purpose.
TEST_F(CheckCommand, TheBundledSampleFilesAreCleanButTheLoggerCopy) {
  const auto init = RunProgram(SORVANE_CLI, {"init", (app.Root() / "fresh").string()});
  ASSERT_EQ(init.exitStatus, 0) << init.err;
  const auto run = RunProgram(SORVANE_CLI, {"--app-folder", (app.Root() / "fresh").string(), "check"});
  EXPECT_EQ(run.exitStatus, 1) << run.out << run.err;
  EXPECT_TRUE(run.out.ends_with("4 files checked: 3 clean, 1 with suspicious values, 0 refused\n")) << run.out;
  const auto logger = run.out.find("data/PET_DATA/KESTREL_LOGGER.csv\n");
  ASSERT_NE(logger, std::string::npos) << run.out;
  EXPECT_NE(run.out.find("  9 suspicious values\n", logger), std::string::npos) << run.out;
}

TEST_F(CheckCommand, TakesTheNamesOfADataFileListAsPetDoes) {
  app.Write("data/PET_DATA/A.csv", WeatherFile("Date,TMAX,TMIN", {"01/01/2011,30,15"}));
  app.Write("data/PET_DATA/B.csv", WeatherFile("Date,TMAX,TMIN", {"01/01/2011,30,15"}));
  app.Write("mylist.txt", Lines({"B.csv", ""}));
  const auto run = Cli({"check", "--list", (app.Root() / "mylist.txt").string()});
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_TRUE(run.out.starts_with("data/PET_DATA/B.csv\n")) << run.out;
  EXPECT_TRUE(run.out.ends_with("1 file checked: 1 clean, 0 with suspicious values, 0 refused\n")) << run.out;
}

TEST_F(CheckCommand, WrongUsageExitsWithTwo) {
  EXPECT_EQ(Cli({"check", "--format", "xml"}).exitStatus, 2);
  EXPECT_EQ(RunProgram(SORVANE_CLI, {"--app-folder", "/no/such/folder", "check"}).exitStatus, 2);
  EXPECT_EQ(Cli({"check", "--list", "/no/such/list.txt"}).exitStatus, 2);
  EXPECT_EQ(Cli({"check", "--list", "/no/such/list.txt", "A.csv"}).exitStatus, 2);
}

}  // namespace
}  // namespace sorvane
