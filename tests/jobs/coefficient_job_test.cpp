// The coefficient generator: the CoefficientFiles it writes and its notices.
#include "jobs/coefficient_job.h"
#include "common/atomic_file.h"

#include <gtest/gtest.h>

#include "support/temp_app_folder.h"

namespace sorvane {
namespace {

using testing::Lines;
using testing::TempAppFolder;

const std::string kHeads = "Station,Latitude,Longitude,A,,B,";
const std::string kLine2 = ",,,Intercept,Slope,Intercept,Slope";
// One reference station: every interpolated value is its own.
const std::string kOneRowTable = Lines({kHeads, kLine2, "Ref,20,80,1.2,0.85,-0.5,1"});
// Two reference stations at 20,80 and 10,70.
const std::string kTwoRowTable = Lines({kHeads, kLine2, "North,20,80,1,1,2,2", "South,10,70,3,3,4,4"});
const std::string kListHeading = "Station   ,Lat  ,Lon";
// Wrenfield (17.41 N, 85.03 E) lies more than 1 degree from the one reference station.
const std::string kWrenfieldOutside =
    "data/COEFFI_DATA/list.csv:2: station 'Wrenfield' lies more than 1 degree beyond the reference stations of "
    "support/Coefficients.csv; the nearest, 'Ref', is 5.7 degrees away, so its coefficients are extrapolated from "
    "stations of another climate";

struct GeneratorRun {
  RunSummary summary;
  std::vector<Notice> notices;
};

GeneratorRun Generate(const TempAppFolder& app, const std::vector<std::string>& lists, const std::vector<bool>& marks) {
  CollectedNotices notices;
  GeneratorRun run;
  run.summary = ProcessStationLists(NamesGiven(lists), marks, app.Folder(), notices);
  run.notices = notices.shown;
  return run;
}

// The file beginning shown with the layout: two selected methods named A and B.
TEST(CoefficientGenerator, FileBeginningWithTwoSelectedMethods) {
  TempAppFolder app;
  app.Write("support/Coefficients.csv", kOneRowTable);
  app.Write("data/COEFFI_DATA/list.csv", Lines({kListHeading, "Wrenfield,17.41,85.03", "&"}));
  const GeneratorRun run = Generate(app, {"list.csv"}, {true, true});
  EXPECT_EQ(run.notices, std::vector<Notice>{Warning(kWrenfieldOutside)});
  EXPECT_EQ(run.summary.processed, 1u);
  EXPECT_EQ(app.Read("OUTPUT/list_COEFFI.csv"),
            Lines({"Station,Latitude,Longitude,A,,B,", ",,,Intercept,Slope,Intercept,Slope",
                  "Wrenfield,17.41,85.03,1.2,.85,-.5,1."}));
}

TEST(CoefficientGenerator, OnlyStationsBeyondTheReferenceStationsAreWarnedOf) {
  TempAppFolder app;
  app.Write("support/Coefficients.csv", kTwoRowTable);  // 10..20 N, 70..80 E
  app.Write("data/COEFFI_DATA/list.csv",
            Lines({kListHeading, "Inside,15,75", "Edge,21,81", "Kansas,39,-98", "Nowhere,1,1"}));
  EXPECT_EQ(Generate(app, {"list.csv"}, {true, false}).notices.size(), 2u);
  const GeneratorRun noMethod = Generate(app, {"list.csv"}, {false, false});
  EXPECT_TRUE(noMethod.notices.empty());  // nothing is interpolated
}

TEST(CoefficientGenerator, InterpolatesEveryColumnByInverseDistance) {
  TempAppFolder app;
  // From 0,0 the rows lie 1 and 3 degrees away: (10/1 + 20/3) / (1/1 + 1/3) = 12.5.
  app.Write("support/Coefficients.csv", Lines({kHeads, kLine2, "Near,1,0,10,0.5,1,1", "Far,0,3,20,0.5,5,2"}));
  app.Write("data/COEFFI_DATA/list.csv", Lines({kListHeading, "Origin,0,0"}));
  Generate(app, {"list.csv"}, {true, true});
  // B: (1 + 5/3) / (4/3) = 2; (1 + 2/3) / (4/3) = 1.25.
  EXPECT_EQ(app.Read("OUTPUT/list_COEFFI.csv"), Lines({kHeads, kLine2, "Origin,.,.,12.5,.5,2.,1.25"}));
}

TEST(CoefficientGenerator, WithoutMarksRowsHoldNameAndCoordinatesAndNoStationIsCompared) {
  TempAppFolder app;
  app.Write("support/Coefficients.csv", kTwoRowTable);
  app.Write("data/COEFFI_DATA/list.csv", Lines({kListHeading, "AtNorth,20,80", "Other,15,75"}));
  for (const std::vector<bool>& marks : {std::vector<bool>{false, false}, std::vector<bool>{}}) {
    const GeneratorRun run = Generate(app, {"list.csv"}, marks);
    EXPECT_TRUE(run.notices.empty());
    EXPECT_EQ(app.Read("OUTPUT/list_COEFFI.csv"),
              Lines({"Station,Latitude,Longitude", ",,", "AtNorth,20.,80.", "Other,15.,75."}));
  }
}

TEST(CoefficientGenerator, OnlyTheLastMethodMarkedGivesFiveFieldsPerRow) {
  TempAppFolder app;
  app.Write("support/Coefficients.csv", kOneRowTable);
  app.Write("data/COEFFI_DATA/list.csv", Lines({kListHeading, "Wrenfield,17.41,85.03"}));
  Generate(app, {"list.csv"}, {false, true});
  EXPECT_EQ(app.Read("OUTPUT/list_COEFFI.csv"),
            Lines({"Station,Latitude,Longitude,B,", ",,,Intercept,Slope", "Wrenfield,17.41,85.03,-.5,1."}));
}

TEST(CoefficientGenerator, MarksBeyondTheTablesMethodsSelectNothing) {
  TempAppFolder app;
  app.Write("support/Coefficients.csv", kOneRowTable);
  app.Write("data/COEFFI_DATA/list.csv", Lines({kListHeading, "Wrenfield,17.41,85.03"}));
  Generate(app, {"list.csv"}, {true, false, true, true});
  EXPECT_EQ(app.Read("OUTPUT/list_COEFFI.csv"),
            Lines({"Station,Latitude,Longitude,A,", ",,,Intercept,Slope", "Wrenfield,17.41,85.03,1.2,.85"}));
}

TEST(CoefficientGenerator, AllMethodsMarkedGiveTheTablesLayout) {
  TempAppFolder app;
  app.Write("support/Coefficients.csv",
            Lines({"Station,Latitude,Longitude,Hargreaves,,Turc,,PET Open pan,",
                  ",,,Intercept,Slope,Intercept,Slope,Intercept,Slope", "Ref,20,80,1,2,3,4,5,6"}));
  app.Write("data/COEFFI_DATA/list.csv", Lines({kListHeading, "Wrenfield,17.41,85.03"}));
  Generate(app, {"list.csv"}, {true, true, true});
  EXPECT_EQ(app.Read("OUTPUT/list_COEFFI.csv"),
            Lines({"Station,Latitude,Longitude,Hargreaves,,Turc,,PET Open pan,",
                  ",,,Intercept,Slope,Intercept,Slope,Intercept,Slope", "Wrenfield,17.41,85.03,1.,2.,3.,4.,5.,6."}));
}

TEST(CoefficientGenerator, NamesAreTrimmedAndCoordinatesWrittenAsTwoPlaceText) {
  TempAppFolder app;
  app.Write("support/Coefficients.csv", kOneRowTable);
  app.Write("data/COEFFI_DATA/list.csv",
            Lines({kListHeading, "  Lark Rise  ,17.4,85", "Low,0.5,-0.25", "\"Quoted\", 12.345 , 77.999 "}));
  Generate(app, {"list.csv"}, {});
  EXPECT_EQ(app.Read("OUTPUT/list_COEFFI.csv"),
            Lines({"Station,Latitude,Longitude", ",,", "Lark Rise,17.4,85.", "Low,.5,-.25", "Quoted,12.35,78."}));
}

TEST(CoefficientGenerator, TheListEndsAtTheAmpersandRowOrAtBlankLinesRunningToTheEnd) {
  TempAppFolder app;
  app.Write("support/Coefficients.csv", kOneRowTable);
  app.Write("data/COEFFI_DATA/empty.csv", Lines({kListHeading, "  &  ", "Ignored,1,2"}));
  app.Write("data/COEFFI_DATA/marked.csv", Lines({kListHeading, "One,1,2", "&,more,fields", "garbage"}));
  app.Write("data/COEFFI_DATA/blank.csv", Lines({kListHeading, "One,1,2", "", "   ", ""}));
  app.Write("data/COEFFI_DATA/blankmark.csv", Lines({kListHeading, "One,1,2", "", "&"}));
  const GeneratorRun run = Generate(app, {"empty.csv", "marked.csv", "blank.csv", "blankmark.csv"}, {});
  EXPECT_TRUE(run.notices.empty());
  EXPECT_EQ(app.Read("OUTPUT/empty_COEFFI.csv"), Lines({"Station,Latitude,Longitude", ",,"}));
  for (const char* result : {"OUTPUT/marked_COEFFI.csv", "OUTPUT/blank_COEFFI.csv", "OUTPUT/blankmark_COEFFI.csv"})
    EXPECT_EQ(app.Read(result), Lines({"Station,Latitude,Longitude", ",,", "One,1.,2."})) << result;
}

TEST(CoefficientGenerator, ResultNamesDropTheLastFourCharactersOrKeepAShortName) {
  TempAppFolder app;
  app.Write("support/Coefficients.csv", kOneRowTable);
  for (const char* name : {"west.txt", "ab", "north.list"})
    app.Write(std::string("data/COEFFI_DATA/") + name, Lines({kListHeading}));
  const GeneratorRun run = Generate(app, {"west.txt", "ab", "north.list"}, {});
  EXPECT_EQ(run.summary.processed, 3u);
  EXPECT_TRUE(app.Exists("OUTPUT/west_COEFFI.csv"));
  EXPECT_TRUE(app.Exists("OUTPUT/ab_COEFFI.csv"));
  EXPECT_TRUE(app.Exists("OUTPUT/north._COEFFI.csv"));
}

TEST(CoefficientGenerator, EachListGetsItsOwnFileAndANameListedTwiceIsWrittenTwice) {
  TempAppFolder app;
  app.Write("support/Coefficients.csv", kOneRowTable);
  app.Write("data/COEFFI_DATA/a.csv", Lines({kListHeading, "Alpha,1,2"}));
  app.Write("data/COEFFI_DATA/b.csv", Lines({kListHeading, "Beta,3,4"}));
  const GeneratorRun run = Generate(app, {"a.csv", "b.csv", "a.csv"}, {});
  EXPECT_EQ(run.summary.processed, 3u);
  EXPECT_EQ(app.Read("OUTPUT/a_COEFFI.csv"), Lines({"Station,Latitude,Longitude", ",,", "Alpha,1.,2."}));
  EXPECT_EQ(app.Read("OUTPUT/b_COEFFI.csv"), Lines({"Station,Latitude,Longitude", ",,", "Beta,3.,4."}));
}

TEST(CoefficientGenerator, AStationWithOnlyOneCoordinateOfAReferenceStationIsInterpolated) {
  TempAppFolder app;
  app.Write("support/Coefficients.csv", kTwoRowTable);
  app.Write("data/COEFFI_DATA/list.csv", Lines({kListHeading, "SameLatitude,20,70"}));
  const GeneratorRun run = Generate(app, {"list.csv"}, {true, false});
  EXPECT_TRUE(run.notices.empty());
  // Both rows are 10 degrees away: the mean of 1 and 3.
  EXPECT_EQ(app.Read("OUTPUT/list_COEFFI.csv"),
            Lines({"Station,Latitude,Longitude,A,", ",,,Intercept,Slope", "SameLatitude,20.,70.,2.,2."}));
}

struct RefusedList {
  const char* name;
  std::string table;
  std::string list;  // empty: no station list file
  const char* notice;
};

TEST(CoefficientGenerator, ListsThatCannotBeProcessedExactlyAreRefusedAndLeaveOlderResultsAsTheyWere) {
  const RefusedList cases[] = {
      {"missing list", kOneRowTable, "",
       "data/COEFFI_DATA/list.csv: cannot be opened (No such file or directory); the station list is not processed"},
      {"missing table", "", Lines({kListHeading, "One,1,2"}),
       "support/Coefficients.csv: cannot be opened (No such file or directory); station list 'list.csv' is not "
       "processed"},
      {"table without rows", Lines({kHeads, kLine2, ""}), Lines({kListHeading, "One,1,2"}),
       "support/Coefficients.csv: no reference station rows (they begin on line 3); station list 'list.csv' is not "
       "processed"},
      {"odd table heads", Lines({"Station,Latitude,Longitude,A,,B", kLine2, "R,1,2,3,4,5,6"}),
       Lines({kListHeading, "One,1,2"}),
       "support/Coefficients.csv:1: 3 fields follow the heads Station, Latitude, Longitude: an odd number, but each "
       "method takes two (its name and an empty field); station list 'list.csv' is not processed"},
      {"latitude not a number", kOneRowTable, Lines({kListHeading, "One,1,2", "Two,abc,2"}),
       "data/COEFFI_DATA/list.csv:3: field 2 (latitude) 'abc' is not a number; the station list is not processed"},
      {"longitude not a number", kOneRowTable, Lines({kListHeading, "One,1,7E"}),
       "data/COEFFI_DATA/list.csv:2: field 3 (longitude) '7E' is not a number; the station list is not processed"},
      {"row too long", kOneRowTable, Lines({kListHeading, "One,1,1,5"}),
       "data/COEFFI_DATA/list.csv:2: 4 fields where a station row has 3 (name, latitude, longitude); the station "
       "list is not processed"},
      {"row too short", kOneRowTable, Lines({kListHeading, "One,1"}),
       "data/COEFFI_DATA/list.csv:2: 2 fields where a station row has 3 (name, latitude, longitude); the station "
       "list is not processed"},
      {"blank line between rows", kOneRowTable, Lines({kListHeading, "One,1,2", "", "Two,3,4"}),
       "data/COEFFI_DATA/list.csv:3: a blank line between station rows (only the end of the list may be blank); the "
       "station list is not processed"},
      {"comma in a method name", Lines({"Station,Latitude,Longitude,\"A, daily\",,B,", kLine2, "R,1,2,3,4,5,6"}),
       Lines({kListHeading, "One,1,2"}),
       "support/Coefficients.csv:1: method name 'A, daily' holds a comma or a line break, which a coefficient file "
       "cannot hold; station list 'list.csv' is not processed"},
      {"comma in a name", kOneRowTable, Lines({kListHeading, "\"One, East\",1,2"}),
       "data/COEFFI_DATA/list.csv:2: field 1 (station name) 'One, East' holds a comma or a line break, which a "
       "coefficient file cannot hold; the station list is not processed"},
  };
  for (const auto& c : cases) {
    TempAppFolder app;
    if (!c.table.empty()) app.Write("support/Coefficients.csv", c.table);
    if (!c.list.empty()) app.Write("data/COEFFI_DATA/list.csv", c.list);
    app.Write("OUTPUT/list_COEFFI.csv", "older result");
    const GeneratorRun run = Generate(app, {"list.csv"}, {true, true});
    EXPECT_EQ(run.notices, std::vector<Notice>{Refusal(c.notice)}) << c.name;
    EXPECT_EQ(run.summary.refused, 1u) << c.name;
    EXPECT_EQ(app.Read("OUTPUT/list_COEFFI.csv"), "older result") << c.name;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(app.Path("OUTPUT")), {}), 1) << c.name;
  }
}

TEST(CoefficientGenerator, AFailedWriteLeavesTheOlderResultAsItWas) {
  TempAppFolder app;
  app.Write("support/Coefficients.csv", kOneRowTable);
  app.Write("data/COEFFI_DATA/list.csv", Lines({kListHeading, "Wrenfield,17.41,85.03"}));
  app.Write("OUTPUT/list_COEFFI.csv", "older result");
  AtomicFile::LimitWritesForTesting(20);
  const GeneratorRun run = Generate(app, {"list.csv"}, {true, true});
  AtomicFile::LimitWritesForTesting(-1);
  EXPECT_EQ(run.notices, std::vector<Notice>{Refusal("OUTPUT/list_COEFFI.csv: writing failed (No space left on "
                                                     "device); an older file of that name is left as it was")});
  EXPECT_EQ(app.Read("OUTPUT/list_COEFFI.csv"), "older result");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(app.Path("OUTPUT")), {}), 1);
}

TEST(CoefficientGenerator, NamesThatLeaveTheirFolderAreRefused) {
  TempAppFolder app;
  app.Write("support/Coefficients.csv", kOneRowTable);
  const GeneratorRun run = Generate(app, {"support/..", ".."}, {});
  EXPECT_EQ(run.notices,
            (std::vector<Notice>{
                Refusal("a path that names no file ('support/..'); nothing is processed for it"),
                Refusal("a name that leaves its folder ('..'); nothing is processed for it")}));
  EXPECT_EQ(run.summary.refused, 2u);
}

}  // namespace
}  // namespace sorvane
