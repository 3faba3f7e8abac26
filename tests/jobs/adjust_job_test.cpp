// The PET adjuster: the AdjustedPetFile it writes, its scratch files and its notices.
#include "jobs/adjust_job.h"
#include "common/atomic_file.h"

#include <gtest/gtest.h>

#include "support/temp_app_folder.h"

namespace sorvane {
namespace {

using testing::Lines;
using testing::TempAppFolder;

const std::string kHeads = "Station,Latitude,Longitude,Hargreaves,,Turc,";
const std::string kLine2 = ",,,Intercept,Slope,Intercept,Slope";
// Hargreaves: 0.5 + 0.8 v; Turc: -1 + 0.5 v.
const std::string kCoefficients = Lines({kHeads, kLine2, "STN1,14.41,77.37,.5,.8,-1,.5"});
const std::string kPetHeader = "Date,Hargreaves,Turc";

Notice JobEnd() { return {NoticeKind::Information, std::string(10, ' ') + "JOB END" + std::string(20, ' ')}; }

struct AdjusterRun {
  JobReport summary;
  std::vector<Notice> notices;
};

AdjusterRun Adjust(const TempAppFolder& app, std::string_view coefficientFile = "OUTPUT/STN1_COEFFI.csv") {
  CollectedNotices notices;
  AdjusterRun run;
  run.summary = AdjustPetResults(app.Path(coefficientFile).string(), app.Folder(), notices);
  run.notices = notices.shown;
  return run;
}

// 0.5 + 0.8 x 4.57 = 4.156, written 4.16; 0.5 + 0.8 x 0 = 0.5, written .5; and
// -1 + 0.5 x 1 = -0.5, written -.5.
TEST(PetAdjuster, WorkedExamples) {
  TempAppFolder app;
  app.Write("OUTPUT/STN1_COEFFI.csv", kCoefficients);
  app.Write("OUTPUT/STN1_PET.csv", Lines({kPetHeader, "01/01/1970,4.57,1.0", "1/2/1970,.0,3.0"}));
  const AdjusterRun run = Adjust(app);
  EXPECT_EQ(run.notices, std::vector<Notice>{JobEnd()});
  EXPECT_FALSE(run.summary.anyRefused);
  EXPECT_FALSE(run.summary.programEnds);
  EXPECT_EQ(app.Read("OUTPUT/STN1_PET_ADJ.csv"), Lines({kPetHeader, "01/01/1970,4.16,-.5", "1/2/1970,.5,.5"}));
}

TEST(PetAdjuster, LeavesTempTxtWithTheMethodNamesAndDeletesTmpTxt) {
  TempAppFolder app;
  app.Write("OUTPUT/STN1_COEFFI.csv", kCoefficients);
  app.Write("OUTPUT/STN1_PET.csv", Lines({kPetHeader, "01/01/1970,4.57,1.0"}));
  Adjust(app);
  EXPECT_EQ(app.Read("temp.txt"), Lines({"Hargreaves,,Turc,"}));
  EXPECT_FALSE(app.Exists("tmp.txt"));
}

TEST(PetAdjuster, ColumnsAreMatchedByExactNameAndTheOthersDropped) {
  TempAppFolder app;
  app.Write("OUTPUT/STN1_COEFFI.csv",
            Lines({"Station,Latitude,Longitude,Hargreaves,,Turc,,Thornthwaite,",
                  ",,,Intercept,Slope,Intercept,Slope,Intercept,Slope", "STN1,14.41,77.37,.5,.8,-1,.5,9,9"}));
  app.Write("OUTPUT/STN1_PET.csv",
            Lines({"Date,Modified Penman,Hargreaves,HARGREAVES,Tu rc,Turc", "01/01/1970,1.11,4.57,2.22,3.33,1.0"}));
  Adjust(app);
  // Thornthwaite has no column and is ignored; case and spacing make other names.
  EXPECT_EQ(app.Read("OUTPUT/STN1_PET_ADJ.csv"), Lines({"Date,Hargreaves,Turc", "01/01/1970,4.16,-.5"}));
}

TEST(PetAdjuster, AMethodWithZeroInterceptAndSlopeGivesAnEmptyFieldUnderItsHead) {
  TempAppFolder app;
  app.Write("OUTPUT/STN1_COEFFI.csv", Lines({kHeads, kLine2, "STN1,14.41,77.37,0,0,.5,.8"}));
  app.Write("OUTPUT/STN1_PET.csv", Lines({kPetHeader, "01/01/1970,4.57,4.57"}));
  Adjust(app);
  EXPECT_EQ(app.Read("OUTPUT/STN1_PET_ADJ.csv"), Lines({kPetHeader, "01/01/1970,,4.16"}));
}

TEST(PetAdjuster, AnEmptyPetValueStaysEmpty) {
  TempAppFolder app;
  app.Write("OUTPUT/STN1_COEFFI.csv", kCoefficients);
  app.Write("OUTPUT/STN1_PET.csv", Lines({kPetHeader, "01/01/1970,,1.0", "01/02/1970,4.57,"}));
  Adjust(app);
  EXPECT_EQ(app.Read("OUTPUT/STN1_PET_ADJ.csv"), Lines({kPetHeader, "01/01/1970,,-.5", "01/02/1970,4.16,"}));
}

TEST(PetAdjuster, OnlyTheFirstStationRowIsUsed) {
  TempAppFolder app;
  app.Write("OUTPUT/STN1_COEFFI.csv", kCoefficients + Lines({"STN2,1,2,3,4,5,6", "not even a row"}));
  app.Write("OUTPUT/STN1_PET.csv", Lines({kPetHeader, "01/01/1970,4.57,1.0"}));
  app.Write("OUTPUT/STN2_PET.csv", Lines({kPetHeader, "01/01/1970,4.57,1.0"}));
  const AdjusterRun run = Adjust(app);
  EXPECT_EQ(run.notices, std::vector<Notice>{JobEnd()});
  EXPECT_TRUE(app.Exists("OUTPUT/STN1_PET_ADJ.csv"));
  EXPECT_FALSE(app.Exists("OUTPUT/STN2_PET_ADJ.csv"));
}

TEST(PetAdjuster, BlankLinesAtTheEndOfThePetResultsEndTheData) {
  TempAppFolder app;
  app.Write("OUTPUT/STN1_COEFFI.csv", kCoefficients);
  app.Write("OUTPUT/STN1_PET.csv", Lines({kPetHeader, "01/01/1970,4.57,1.0", "", "  ", ""}));
  const AdjusterRun run = Adjust(app);
  EXPECT_EQ(run.notices, std::vector<Notice>{JobEnd()});
  EXPECT_EQ(app.Read("OUTPUT/STN1_PET_ADJ.csv"), Lines({kPetHeader, "01/01/1970,4.16,-.5"}));
}

TEST(PetAdjuster, FindsTheOutputFolderWithoutRegardToCase) {
  TempAppFolder app;
  std::filesystem::rename(app.Path("OUTPUT"), app.Path("output"));
  app.Write("output/STN1_COEFFI.csv", kCoefficients);
  app.Write("output/STN1_PET.csv", Lines({kPetHeader, "01/01/1970,4.57,1.0"}));
  const AdjusterRun run = Adjust(app, "output/STN1_COEFFI.csv");
  EXPECT_EQ(run.notices, std::vector<Notice>{JobEnd()});
  EXPECT_EQ(app.Read("output/STN1_PET_ADJ.csv"), Lines({kPetHeader, "01/01/1970,4.16,-.5"}));
}

TEST(PetAdjuster, HasNoFixedLimitOnMethodsOrColumns) {
  std::string heads = "Station,Latitude,Longitude", line2 = ",,", row = "STN1,1,2";
  std::string petHeader = "Date", petLine = "01/01/1970", adjustedLine = "01/01/1970";
  for (int k = 1; k <= 30; ++k) {
    heads += ",M" + std::to_string(k) + ",";
    line2 += ",Intercept,Slope";
    row += "," + std::to_string(k) + ",1";
    petHeader += ",M" + std::to_string(k);
    petLine += ",1";
    adjustedLine += "," + std::to_string(k + 1) + ".";
  }
  TempAppFolder app;
  app.Write("OUTPUT/STN1_COEFFI.csv", Lines({heads, line2, row}));
  app.Write("OUTPUT/STN1_PET.csv", Lines({petHeader, petLine}));
  Adjust(app);
  EXPECT_EQ(app.Read("OUTPUT/STN1_PET_ADJ.csv"), Lines({petHeader, adjustedLine}));
}

TEST(PetAdjuster, ASecondRunReplacesTheFirstResult) {
  TempAppFolder app;
  app.Write("OUTPUT/STN1_COEFFI.csv", kCoefficients);
  app.Write("OUTPUT/STN1_PET.csv", Lines({kPetHeader, "01/01/1970,4.57,1.0"}));
  Adjust(app);
  const std::string first = app.Read("OUTPUT/STN1_PET_ADJ.csv");
  Adjust(app);
  EXPECT_EQ(app.Read("OUTPUT/STN1_PET_ADJ.csv"), first);
}

TEST(PetAdjuster, AMissingPetResultEndsTheProgramHavingWrittenOnlyTempTxt) {
  TempAppFolder app;
  app.Write("OUTPUT/STN1_COEFFI.csv", Lines({kHeads, kLine2, "  STN9  ,14.41,77.37,.5,.8,-1,.5"}));
  const AdjusterRun run = Adjust(app);
  const Notice missing{NoticeKind::ProgramEnd,
                       std::string(10, ' ') + "STN9_PET.csv   NOT available" + std::string(10, ' ')};
  EXPECT_EQ(run.notices, std::vector<Notice>{missing});  // and no JOB END
  EXPECT_TRUE(run.summary.programEnds);
  EXPECT_TRUE(app.Exists("temp.txt"));
  EXPECT_FALSE(app.Exists("tmp.txt"));
  EXPECT_FALSE(app.Exists("OUTPUT/STN9_PET_ADJ.csv"));
}

TEST(PetAdjuster, AWeeklyPetResultEndsTheProgramLeavingAnEmptyAdjustedFile) {
  TempAppFolder app;
  app.Write("OUTPUT/STN1_COEFFI.csv", kCoefficients);
  app.Write("OUTPUT/STN1_PET.csv", Lines({"Year,Week,Hargreaves,Turc", "1971, 1 ,29.5,30.1"}));
  app.Write("OUTPUT/STN1_PET_ADJ.csv", "an older result");
  const AdjusterRun run = Adjust(app);
  const Notice notDaily{NoticeKind::ProgramEnd,
                        std::string(10, ' ') + "Daily PET values are only adjustable" + std::string(10, ' ')};
  EXPECT_EQ(run.notices, std::vector<Notice>{notDaily});  // and no JOB END
  EXPECT_TRUE(run.summary.programEnds);
  EXPECT_TRUE(app.Exists("OUTPUT/STN1_PET_ADJ.csv"));
  EXPECT_EQ(app.Read("OUTPUT/STN1_PET_ADJ.csv"), "");
  EXPECT_TRUE(app.Exists("tmp.txt"));
  EXPECT_EQ(app.Read("tmp.txt"), "");
}

TEST(PetAdjuster, TheDateHeadIsReadTrimmedWithoutRegardToCase) {
  TempAppFolder app;
  app.Write("OUTPUT/STN1_COEFFI.csv", kCoefficients);
  app.Write("OUTPUT/STN1_PET.csv", Lines({"  DATE ,Hargreaves", "01/01/1970,4.57"}));
  const AdjusterRun run = Adjust(app);
  EXPECT_EQ(run.notices, std::vector<Notice>{JobEnd()});
  EXPECT_EQ(app.Read("OUTPUT/STN1_PET_ADJ.csv"), Lines({"Date,Hargreaves", "01/01/1970,4.16"}));
}

struct RefusedRun {
  const char* name;
  std::string coefficients;  // OUTPUT/STN1_COEFFI.csv; empty: no such file
  std::string pet;           // OUTPUT/STN1_PET.csv
  const char* notice;
};

TEST(PetAdjuster, FilesThatCannotBeReadExactlyAreRefusedAndNothingIsWritten) {
  const std::string pet = Lines({kPetHeader, "01/01/1970,4.57,1.0"});
  const RefusedRun cases[] = {
      {"no coefficient file", "", pet,
       "OUTPUT/STN1_COEFFI.csv: the coefficient file cannot be opened (No such file or directory); nothing is "
       "adjusted"},
      {"empty coefficient file", "\r\n", pet,
       "OUTPUT/STN1_COEFFI.csv:1: 1 field where the heads line has 3 (Station, Latitude, Longitude, then the method "
       "names); nothing is adjusted"},
      {"odd method fields", Lines({"Station,Latitude,Longitude,Hargreaves,,Turc", kLine2, "STN1,1,2,3,4,5,6"}), pet,
       "OUTPUT/STN1_COEFFI.csv:1: 3 fields follow the heads Station, Latitude, Longitude: an odd number, but each "
       "method takes two (its name and an empty field); nothing is adjusted"},
      {"no methods", Lines({"Station,Latitude,Longitude", ",,", "STN1,1,2"}), pet,
       "OUTPUT/STN1_COEFFI.csv:1: no method follows the heads Station, Latitude, Longitude; nothing is adjusted"},
      {"no station row", Lines({kHeads, kLine2}), pet,
       "OUTPUT/STN1_COEFFI.csv: no station row (the first is expected on line 3); nothing is adjusted"},
      {"fewer pairs than methods", Lines({kHeads, kLine2, "STN1,14.41,77.37,.5,.8"}), pet,
       "OUTPUT/STN1_COEFFI.csv:3: 5 fields where a station row has 7 (name, latitude, longitude, and an intercept "
       "and a slope for each of the 2 methods of line 1); nothing is adjusted"},
      {"coefficient not a number", Lines({kHeads, kLine2, "STN1,14.41,77.37,.5,x,-1,.5"}), pet,
       "OUTPUT/STN1_COEFFI.csv:3: field 5 (slope of Hargreaves) 'x' is not a number; nothing is adjusted"},
      {"station name with a path", Lines({kHeads, kLine2, "../STN1,14.41,77.37,.5,.8,-1,.5"}), pet,
       "OUTPUT/STN1_COEFFI.csv:3: field 1 (station name) '../STN1' cannot name a PET result file: a name holding a "
       "path separator; nothing is adjusted"},
      {"empty station name", Lines({kHeads, kLine2, "  ,14.41,77.37,.5,.8,-1,.5"}), pet,
       "OUTPUT/STN1_COEFFI.csv:3: field 1 (station name) '' cannot name a PET result file: an empty name; nothing is "
       "adjusted"},
      {"empty PET result", kCoefficients, "", "OUTPUT/STN1_PET.csv: the file is empty; nothing is adjusted"},
      {"fewer values than columns", kCoefficients, Lines({kPetHeader, "01/01/1970,4.57,1.0", "01/02/1970,4.57"}),
       "OUTPUT/STN1_PET.csv:3: 2 fields where a data line has 3 (the date and a value for each method column); "
       "nothing is adjusted"},
      {"more values than columns", kCoefficients, Lines({kPetHeader, "01/01/1970,4.57,1.0,"}),
       "OUTPUT/STN1_PET.csv:2: 4 fields where a data line has 3 (the date and a value for each method column); "
       "nothing is adjusted"},
      {"value not a number", kCoefficients, Lines({kPetHeader, "01/01/1970,4.57,abc"}),
       "OUTPUT/STN1_PET.csv:2: field 3 (Turc) 'abc' is not a number; nothing is adjusted"},
      {"blank line between data lines", kCoefficients, Lines({kPetHeader, "01/01/1970,4.57,1.0", "", "01/02/1970,1,1"}),
       "OUTPUT/STN1_PET.csv:3: a blank line between data lines; nothing is adjusted"},
  };
  for (const auto& c : cases) {
    TempAppFolder app;
    if (!c.coefficients.empty()) app.Write("OUTPUT/STN1_COEFFI.csv", c.coefficients);
    app.Write("OUTPUT/STN1_PET.csv", c.pet);
    app.Write("OUTPUT/STN1_PET_ADJ.csv", "an older result");
    const AdjusterRun run = Adjust(app);
    EXPECT_EQ(run.notices, (std::vector<Notice>{Refusal(c.notice), JobEnd()})) << c.name;
    EXPECT_TRUE(run.summary.anyRefused) << c.name;
    EXPECT_FALSE(run.summary.programEnds) << c.name;
    EXPECT_EQ(app.Read("OUTPUT/STN1_PET_ADJ.csv"), "an older result") << c.name;
    EXPECT_FALSE(app.Exists("tmp.txt")) << c.name;
  }
}

TEST(PetAdjuster, AFailedWriteLeavesTheOlderResultAsItWas) {
  TempAppFolder app;
  app.Write("OUTPUT/STN1_COEFFI.csv", kCoefficients);
  app.Write("OUTPUT/STN1_PET.csv", Lines({kPetHeader, "01/01/1970,4.57,1.0"}));
  app.Write("OUTPUT/STN1_PET_ADJ.csv", "an older result");
  AtomicFile::LimitWritesForTesting(10);
  const AdjusterRun run = Adjust(app);
  AtomicFile::LimitWritesForTesting(-1);
  EXPECT_EQ(run.notices, (std::vector<Notice>{Refusal("OUTPUT/STN1_PET_ADJ.csv: writing failed (No space left on "
                                                      "device); an older file of that name is left as it was"),
                                              JobEnd()}));
  EXPECT_EQ(app.Read("OUTPUT/STN1_PET_ADJ.csv"), "an older result");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(app.Path("OUTPUT")), {}), 3);
}

}  // namespace
}  // namespace sorvane
