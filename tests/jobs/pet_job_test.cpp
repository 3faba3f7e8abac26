#include "jobs/pet_job.h"

#include <gtest/gtest.h>

#include <cmath>

#include "methods/solar_geometry.h"

#include "support/temp_app_folder.h"
#include "support/weather_file.h"

namespace sorvane {
namespace {

using testing::Lines;
using testing::TempAppFolder;
using testing::Texts;
using testing::WeatherFile;

const std::string kJobEnd = std::string(10, ' ') + "JOB END" + std::string(15, ' ');
const std::string kNoDataFile = std::string(10, ' ') + "NO Data file selected" + std::string(10, ' ');

// The examples of the help text, at the station of the worked examples.
const std::string kDailyExample =
    WeatherFile("Date,TMAX,TMIN,RH1,RH2,WS,SS,EVP", {"01/01/1970,29.6,4,65,25,4,10.2,4.2"});
const std::string kWeeklyExample =
    WeatherFile("Year,Week,TMAX,TMIN,RH1,RH2,WS,SS,EVP", {"1971,1,29.5,5.9,62,23,3.8,9.8,29.5"});
const std::string kMonthlyExample =
    WeatherFile("Year,Month,TMAX,TMIN,RH1,RH2,WS,SS,EVP", {"1985,1,30.9,18.5,89,40,10.8,9.2,221.6"}, "14.41,78.5,350");
const std::string kHeatIndexExample = Lines({"Latitude,Longitude,HeatIndex", "14.0,78.0,150.5", "15.0,79.0,140.2",
                                             "13.0,77.5,160.0"});

std::string DailyFile(std::initializer_list<std::string_view> rows, std::string_view heads = "Date,TMAX,TMIN",
                      std::string_view coordinates = testing::kExampleCoordinates) {
  return WeatherFile(heads, rows, coordinates);
}

class PetRun : public ::testing::Test {
 protected:
  JobReport Run(std::string_view chosenDataFile, const RunOptions& options = {}) {
    return RunPetJob(chosenDataFile, AppFolder(app.Root()), notices, options);
  }
  void List(std::initializer_list<std::string_view> names) { app.Write("dir.txt", Lines(names)); }

  TempAppFolder app;
  CollectedNotices notices;
};

TEST_F(PetRun, WorkedExamplesOfEveryMethodThroughTheWholeRun) {
  app.Write("data/PET_DATA/DAILY.csv", kDailyExample);
  app.Write("data/PET_DATA/WEEKLY.csv", kWeeklyExample);
  app.Write("data/PET_DATA/MONTHLY.csv", kMonthlyExample);
  app.Write("support/heat_index_data.csv", kHeatIndexExample);
  List({"DAILY.csv", "WEEKLY.csv", "MONTHLY.csv"});
  const JobReport report = Run("C:\\data\\DAILY.csv");

  EXPECT_EQ(Texts(notices.shown), std::vector<std::string>{kJobEnd});
  EXPECT_TRUE(report.listUsedUp);
  EXPECT_FALSE(app.Exists("dir.txt"));
  EXPECT_EQ(app.Read("OUTPUT/DAILY_PET.csv"),
            Lines({"Date,Modified Penman,Hargreaves,Turc,Blaney Criddle,Christiansen,PET Open pan,Penman Montieth",
                   "01/01/1970,4.13,4.75,3.70,4.34,3.06,2.75,3.86"}));
  EXPECT_EQ(app.Read("OUTPUT/WEEKLY_PET.csv"),
            Lines({"Year,Week,Modified Penman,Hargreaves,Turc,Blaney Criddle,Christiansen,PET Open pan,Penman Montieth",
                   "1971, 1 ,29.47,32.91,25.99,31.33,21.06,19.16,26.58"}));
  // Thornthwaite's example station lies at longitude 78.5; the other methods do not
  // use the longitude, so their monthly examples hold there too.
  EXPECT_EQ(app.Read("OUTPUT/MONTHLY_PET.csv"),
            Lines({"Year,Month,Modified Penman,Hargreaves,Turc,Thornthwaite,Blaney Criddle,Christiansen,PET Open pan,"
                   "Penman Montieth",
                   "1985, 1 ,175.35,129.77,130.19,96.87,163.71,164.73,146.73,160.01"}));
}

TEST_F(PetRun, ABlankDataFileNameOnlyShowsTwoNotices) {
  List({"A.csv"});
  const JobReport report = Run("    ");
  EXPECT_EQ(Texts(notices.shown), (std::vector<std::string>{kNoDataFile, kJobEnd}));
  EXPECT_TRUE(app.Exists("dir.txt"));
  EXPECT_FALSE(report.listUsedUp);
  EXPECT_TRUE(app.Names("OUTPUT").empty());
}

TEST_F(PetRun, AnEmptyListWritesNothingAndEndsTheRun) {
  app.Write("dir.txt", "");
  const JobReport report = Run("x.csv");
  EXPECT_EQ(Texts(notices.shown), std::vector<std::string>{kJobEnd});
  EXPECT_TRUE(report.listUsedUp);
  EXPECT_FALSE(app.Exists("dir.txt"));
  EXPECT_TRUE(app.Names("OUTPUT").empty());
  notices.shown.clear();
  Run("");  // a second press, the chosen name spent
  EXPECT_EQ(Texts(notices.shown), (std::vector<std::string>{kNoDataFile, kJobEnd}));
}

TEST_F(PetRun, ResultHeadersFollowTheAvailableMethods) {
  app.Write("data/PET_DATA/T.csv", DailyFile({"1/5/1970,30,20"}));
  app.Write("data/PET_DATA/W.csv", WeatherFile("Year,Week,TMAX,TMIN", {"1971,1,30,20"}));
  app.Write("data/PET_DATA/NONE.txt", DailyFile({"01/01/1970,1"}, "Date,RAIN"));
  app.Write("data/PET_DATA/ab", DailyFile({"01/01/1970,30,30"}));
  List({"T.csv", "W.csv", "NONE.txt", "ab"});
  Run("T.csv");
  EXPECT_EQ(app.Read("OUTPUT/T_PET.csv"), Lines({"Date,Hargreaves", "1/5/1970,3.70"}));
  EXPECT_EQ(app.Read("OUTPUT/W_PET.csv"), Lines({"Year,Week,Hargreaves", "1971, 1 ,25.83"}));
  EXPECT_EQ(app.Read("OUTPUT/NONE_PET.csv"), Lines({"Date", "01/01/1970"}));
  EXPECT_EQ(app.Read("OUTPUT/ab_PET.csv"), Lines({"Date,Hargreaves", "01/01/1970,.0"}));
}

TEST_F(PetRun, ARefusedFileLeavesItsOlderResultAndTheRunGoesOn) {
  app.Write("data/PET_DATA/BAD.csv", DailyFile({"01/01/1970,30,20", "01/02/1970,30,x"}));
  app.Write("data/PET_DATA/GOOD.csv", DailyFile({"01/01/1970,30,20"}));
  app.Write("OUTPUT/BAD_PET.csv", "older result");
  List({"BAD.csv", "missing.csv", "", "../secret.csv", "GOOD.csv"});
  const JobReport report = Run("BAD.csv");
  EXPECT_EQ(Texts(notices.shown),
            (std::vector<std::string>{
                "data/PET_DATA/BAD.csv:6: field 3 (TMIN) 'x' is not a number; the file is not processed",
                "data/PET_DATA/missing.csv: cannot be opened (No such file or directory); the file is not processed",
                "dir.txt:3: an empty line names no file; nothing is processed for it",
                "dir.txt:4: a name holding a path separator ('../secret.csv'); nothing is processed for it",
                kJobEnd}));
  EXPECT_EQ(notices.shown[0].kind, NoticeKind::Refusal);
  EXPECT_TRUE(report.anyRefused);
  EXPECT_EQ(app.Read("OUTPUT/BAD_PET.csv"), "older result");
  EXPECT_EQ(app.Names("OUTPUT"), (std::vector<std::string>{"BAD_PET.csv", "GOOD_PET.csv"}));
}

TEST_F(PetRun, AMissingOutputFolderIsMade) {
  std::filesystem::remove_all(app.Root() / "OUTPUT");
  app.Write("data/PET_DATA/GOOD.csv", DailyFile({"01/01/1970,30,20"}));
  List({"GOOD.csv"});
  Run("GOOD.csv");
  EXPECT_TRUE(app.Exists("OUTPUT/GOOD_PET.csv"));
}

TEST_F(PetRun, OnlyFilesWithAThornthwaiteColumnNeedTheHeatIndexTable) {
  app.Write("data/PET_DATA/DAILY.csv", kDailyExample);
  app.Write("data/PET_DATA/MONTHLY.csv", kMonthlyExample);
  List({"DAILY.csv", "MONTHLY.csv"});
  Run("DAILY.csv");
  EXPECT_TRUE(app.Exists("OUTPUT/DAILY_PET.csv"));
  EXPECT_FALSE(app.Exists("OUTPUT/MONTHLY_PET.csv"));
  EXPECT_EQ(Texts(notices.shown),
            (std::vector<std::string>{"data/PET_DATA/MONTHLY.csv: its Thornthwaite column needs the heat index table, "
                                      "but support/heat_index_data.csv cannot be opened (No such file or directory); "
                                      "the file is not processed",
                                      kJobEnd}));
}

// Thornthwaite (1948) written out here: I from the mean year of the complete calendar
// years, a its cubic, 16 (N / 12) (10 T / I)^a for each month, N of the month's day 16.
TEST_F(PetRun, ThornthwaiteWithTheStationsOwnHeatIndexIsThePublishedFormula) {
  const double means[2][12] = {{-2, 1, 6, 12, 18, 24, 27, 26, 20, 13, 5, -1},
                               {-1, 2, 7, 13, 17, 23, 28, 25, 21, 12, 6, 0}};
  std::vector<std::string> rows;
  for (int year = 0; year < 2; ++year)
    for (int month = 1; month <= 12; ++month)
      rows.push_back(std::to_string(1980 + year) + "," + std::to_string(month) + "," +
                     std::to_string(means[year][month - 1] + 6) + "," + std::to_string(means[year][month - 1] - 6));
  rows.emplace_back("1982,1,10,2");  // an incomplete year takes no part in I
  app.Write("data/PET_DATA/M.csv", WeatherFile("Year,Month,TMAX,TMIN", rows, "39,-98,500"));
  double heatIndex = 0;
  for (int month = 0; month < 12; ++month)
    if (const double t = (means[0][month] + means[1][month]) / 2; t > 0) heatIndex += std::pow(t / 5, 1.514);
  const double a = 6.75e-7 * std::pow(heatIndex, 3) - 7.71e-5 * heatIndex * heatIndex + 0.01792 * heatIndex + 0.49239;

  RunOptions options;
  options.heatIndex = HeatIndexSource::Station;  // no heat index table in this folder
  const RunSummary summary = ProcessPetFiles(NamesGiven({"M.csv"}), AppFolder(app.Root()), notices, options);
  ASSERT_EQ(summary.processed, 1u) << Texts(notices.shown).front();
  const std::string result = app.Read("OUTPUT/M_PET.csv");
  for (int month : {4, 7, 10}) {
    const double t = means[1][month - 1];
    const double n = SolarGeometryAt(LatitudeRadians(39), 30 * (month - 1) + 16).DayLength;
    const double expected = 16 * (n / 12) * std::pow(10 * t / heatIndex, a);
    const std::string row = "1981, " + std::to_string(month) + " ,";
    const auto at = result.find(row);
    ASSERT_NE(at, std::string::npos) << row;
    const std::string line = result.substr(at, result.find('\r', at) - at);
    EXPECT_NEAR(std::stod(line.substr(line.rfind(',') + 1)), expected, 0.005) << line;
  }
  EXPECT_TRUE(Texts(notices.shown).empty());  // no warning: the table is not used
}

TEST_F(PetRun, AStationBeyondTheGridIsWarnedOnceAndValuesNoStationRecordsAreNamed) {
  app.Write("support/heat_index_data.csv", kHeatIndexExample);
  app.Write("data/PET_DATA/FAR.csv", WeatherFile("Year,Month,TMAX,TMIN", {"1985,1,30,15", "1985,2,-99,15"}, "39,-98,500"));
  app.Write("data/PET_DATA/NONE.csv", DailyFile({"01/01/1970,4"}, "Date,EVP"));
  const RunSummary summary =
      ProcessPetFiles(NamesGiven({"FAR.csv", "NONE.csv"}), AppFolder(app.Root()), notices, RunOptions{});
  EXPECT_EQ(summary.withoutMethod, 1u);
  const auto shown = Texts(notices.shown);
  ASSERT_EQ(shown.size(), 4u);
  EXPECT_EQ(shown[0], "data/PET_DATA/FAR.csv: " + OutsideGridNotice());
  EXPECT_EQ(shown[1], "data/PET_DATA/FAR.csv: 1 value looks like a missing-value code that no --missing-code "
                      "declared, read as a reading; the first on line 6 (TMAX -99)");
  EXPECT_EQ(shown[2], "data/PET_DATA/FAR.csv: 1 value could not be computed and was left empty; the first on line 6 "
                      "(Hargreaves)");
  EXPECT_EQ(shown[3].substr(0, 70), "data/PET_DATA/NONE.csv: no method can run: Modified Penman needs TMAX,");
}

TEST_F(PetRun, ValuesThatCannotBeComputedAreLeftEmptyAndCounted) {
  // TMAX below TMIN: the square root of a negative range.
  app.Write("data/PET_DATA/T.csv", DailyFile({"01/01/1970,30,20", "01/02/1970,10,20", "01/03/1970,9,20"}));
  List({"T.csv"});
  Run("T.csv");
  EXPECT_EQ(app.Read("OUTPUT/T_PET.csv"), Lines({"Date,Hargreaves", "01/01/1970,3.67", "01/02/1970,", "01/03/1970,"}));
  EXPECT_EQ(Texts(notices.shown),
            (std::vector<std::string>{
                "data/PET_DATA/T.csv: 2 values could not be computed and were left empty; the first on line 6 "
                "(Hargreaves)",
                kJobEnd}));
}

// A run of the chosen data file keeps the rule it is given (here the window's: an empty
// field is 0) and shows the warnings of a whole run in one message, before "JOB END",
// while other notices come per file.
TEST_F(PetRun, TheWindowGathersTheWarningsOfARunIntoOneNotice) {
  app.Write("data/PET_DATA/A.csv", DailyFile({"01/01/1970,30,,31"}, "Date,TMAX,TMIN,TMAX1"));
  app.Write("data/PET_DATA/B.csv", DailyFile({"01/01/1970,10,20"}));
  app.Write("data/PET_DATA/C.csv", DailyFile({"01/01/1970,30,20,50"}, "Date,TMAX,TMIN,TMAX1"));
  List({"A.csv", "B.csv", "C.csv"});
  Run("A.csv", RunOptions{1, MissingValues{}});
  EXPECT_EQ(app.Read("OUTPUT/A_PET.csv"), Lines({"Date,Hargreaves", "01/01/1970,4.88"}));  // TMIN 0, TMAX 30
  EXPECT_EQ(Texts(notices.shown),
            (std::vector<std::string>{
                "data/PET_DATA/B.csv: 1 value could not be computed and was left empty; the first on line 5 "
                "(Hargreaves)",
                "data/PET_DATA/A.csv: heads not used: 'TMAX1'; a column is used only when its head is one of TMAX, "
                "TMIN, RH1, RH2, RH, TDEW, WS, SS, RS, EVP\n"
                "data/PET_DATA/A.csv: 1 empty field was read as 0; the first on line 5 (TMIN)\n"
                "data/PET_DATA/C.csv: heads not used: 'TMAX1'; a column is used only when its head is one of TMAX, "
                "TMIN, RH1, RH2, RH, TDEW, WS, SS, RS, EVP",
                kJobEnd}));
  EXPECT_EQ(notices.shown[1].kind, NoticeKind::Warning);
}

TEST_F(PetRun, PolarStationsGiveValuesOrEmptyFieldsButNeverNan) {
  for (const char* latitude : {"89", "-89"}) {
    app.Write("data/PET_DATA/P.csv",
              DailyFile({"06/21/1970,5,-2,90,80,10,24,1", "12/21/1970,-20,-30,90,80,10,0,0.5"},
                        "Date,TMAX,TMIN,RH1,RH2,WS,SS,EVP", std::string(latitude) + ",0,10"));
    List({"P.csv"});
    Run("P.csv");
    const std::string result = app.Read("OUTPUT/P_PET.csv");
    EXPECT_EQ(result.find("nan"), std::string::npos) << latitude;
    EXPECT_EQ(result.find("inf"), std::string::npos) << latitude;
    ASSERT_EQ(notices.shown.size(), 2u) << latitude;
    EXPECT_NE(notices.shown[0].text.find("could not be computed and were left empty"), std::string::npos);
    notices.shown.clear();
  }
}

// Files in parallel: the same results and the same notices in the same order.
TEST_F(PetRun, ManyJobsGiveTheSameFilesAndNoticesAsOne) {
  app.Write("data/PET_DATA/DAILY.csv", kDailyExample);
  app.Write("data/PET_DATA/WEEKLY.csv", kWeeklyExample);
  app.Write("data/PET_DATA/MONTHLY.csv", kMonthlyExample);
  app.Write("support/heat_index_data.csv", kHeatIndexExample);
  app.Write("data/PET_DATA/BAD.csv", DailyFile({"01/01/1970,30,20", "13/01/1970,1,2"}));
  app.Write("data/PET_DATA/EMPTY.csv", DailyFile({"01/02/1970,10,20"}));
  const std::initializer_list<std::string_view> names{"DAILY.csv", "BAD.csv", "WEEKLY.csv", "EMPTY.csv", "missing",
                                                      "MONTHLY.csv", "DAILY.csv", "BAD.csv"};
  List(names);
  Run("x", RunOptions{1, {}});
  const auto sequentialNotices = notices.shown;
  std::vector<std::string> sequentialFiles;
  for (const auto& name : app.Names("OUTPUT")) sequentialFiles.push_back(app.Read("OUTPUT/" + name));

  for (unsigned jobs : {2u, 3u, 8u}) {
    std::filesystem::remove_all(app.Root() / "OUTPUT");
    notices.shown.clear();
    List(names);
    Run("x", RunOptions{jobs, {}});
    EXPECT_EQ(notices.shown, sequentialNotices) << jobs << " jobs";
    std::vector<std::string> files;
    for (const auto& name : app.Names("OUTPUT")) files.push_back(app.Read("OUTPUT/" + name));
    EXPECT_EQ(files, sequentialFiles) << jobs << " jobs";
  }
}

TEST_F(PetRun, ProgressNamesEveryListedFileInOrder) {
  struct ProgressLog : CollectedNotices {
    void Progress(std::size_t index, std::size_t count, std::string_view name) override {
      seen.push_back(std::to_string(index + 1) + "/" + std::to_string(count) + " " + std::string(name));
    }
    std::vector<std::string> seen;
  } log;
  app.Write("data/PET_DATA/A.csv", DailyFile({"01/01/1970,30,20"}));
  app.Write("data/PET_DATA/B.csv", DailyFile({"01/01/1970,31,20"}));
  app.Write("dir.txt", Lines({"A.csv", "B.csv", "A.csv"}));
  RunPetJob("A.csv", AppFolder(app.Root()), log, RunOptions{2, {}});
  EXPECT_EQ(log.seen, (std::vector<std::string>{"1/3 A.csv", "2/3 B.csv", "3/3 A.csv"}));
  EXPECT_EQ(Texts(log.shown), std::vector<std::string>{kJobEnd});
}

}  // namespace
}  // namespace sorvane
