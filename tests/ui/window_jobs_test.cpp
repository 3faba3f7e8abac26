// The Process buttons as the window sees them: what each job reads from the window and
// what the window shows after it.
#include "ui/window_jobs.h"

#include <gtest/gtest.h>

#include "common/platform.h"
#include "support/temp_app_folder.h"
#include "ui/window_model.h"

namespace sorvane::ui {
namespace {

using sorvane::testing::Lines;
using sorvane::testing::TempAppFolder;

Notice JobEnd(int trailingSpaces) {
  return {NoticeKind::Information, std::string(10, ' ') + "JOB END" + std::string(trailingSpaces, ' ')};
}

Notice NoDataFile() {
  return {NoticeKind::Information, std::string(10, ' ') + "NO Data file selected" + std::string(10, ' ')};
}

// The notices of a run, and the summary it hands to the progress window.
class SummarisedNotices : public CollectedNotices {
 public:
  void Summarise(std::string_view summary) override { summaries.emplace_back(summary); }
  std::vector<std::string> summaries;
};

// The pet button.

WindowState WithText1(std::string text1) {
  WindowState window;
  window.text1 = std::move(text1);
  return window;
}

TEST(PetRunFromWindow, AFinishedRunEmptiesText1AndASecondPressFindsItEmpty) {
  TempAppFolder app;
  app.Write("dir.txt", "");
  CollectedNotices notices;
  const JobOutcome outcome = PetRunFromWindow(WithText1("C:\\data\\DAILY.csv"), app.Folder(), notices);
  EXPECT_EQ(notices.shown, std::vector<Notice>{JobEnd(15)});
  EXPECT_EQ(outcome.window.text1, "");
  EXPECT_FALSE(outcome.programEnds);
  notices.shown.clear();
  PetRunFromWindow(outcome.window, app.Folder(), notices);
  EXPECT_EQ(notices.shown, (std::vector<Notice>{NoDataFile(), JobEnd(15)}));
}

const std::string kStationTop = "S\r\nLatitude,Longitude,Elevation\r\n14.41,77.37,350\r\n";
const std::string kGoodDays = kStationTop + "Date,TMAX,TMIN\r\n01/01/1970,30,20\r\n";
const std::string kUnusedHead = kStationTop + "Date,TMAX,TMIN,Soil RH\r\n01/01/1970,30,20,50\r\n";
const std::string kNotANumber = kStationTop + "Date,TMAX,TMIN\r\n01/01/1970,warm,20\r\n";

std::string ResultsIn(const TempAppFolder& app) { return "Results are in " + platform::Utf8(app.Path("OUTPUT")); }

// A run with nothing to say ends with "JOB END" alone, its summary behind it in the
// progress window; one with anything to say tells it in one message before "JOB END",
// the warnings of the whole run under it.
TEST(PetRunFromWindow, TheRunsSummarySaysHowManyFilesWereProcessedAndRefusedAndWhere) {
  struct Case {
    std::vector<std::pair<const char*, std::string>> files;
    std::vector<NoticeKind> shown;  // the kinds of the notices before "JOB END"
    std::string summary;            // with "\n" and the place of the results after it
    bool resultsWritten = true;
  };
  const std::vector<Case> cases{
      {{{"A.csv", kGoodDays}, {"B.csv", kGoodDays}}, {}, "2 of 2 files of data/PET_DATA processed, 0 refused"},
      {{{"A.csv", kUnusedHead}, {"B.csv", kNotANumber}},
       {NoticeKind::Refusal, NoticeKind::Warning},
       "1 of 2 files of data/PET_DATA processed, 1 refused"},
      {{{"B.csv", kNotANumber}}, {NoticeKind::Refusal, NoticeKind::Information},
       "0 of 1 file of data/PET_DATA processed, 1 refused", false},
  };
  for (const Case& c : cases) {
    TempAppFolder app;
    std::string list;
    for (const auto& [name, content] : c.files) {
      app.Write(std::filesystem::path("data/PET_DATA") / name, content);
      list += std::string(name) + "\r\n";
    }
    app.Write("dir.txt", list);
    SummarisedNotices notices;
    PetRunFromWindow(WithText1("A.csv"), app.Folder(), notices);

    const std::string summary = c.summary + "\n" + (c.resultsWritten ? ResultsIn(app) : "No result was written");
    EXPECT_EQ(notices.summaries, std::vector<std::string>{summary}) << c.summary;
    ASSERT_EQ(notices.shown.size(), c.shown.size() + 1) << c.summary;
    EXPECT_EQ(notices.shown.back(), JobEnd(15));
    for (std::size_t k = 0; k < c.shown.size(); ++k) EXPECT_EQ(notices.shown[k].kind, c.shown[k]) << c.summary;
    if (c.shown.empty()) continue;
    const std::string& closing = notices.shown[c.shown.size() - 1].text;
    EXPECT_EQ(closing.substr(0, summary.size()), summary);
    if (c.shown.back() == NoticeKind::Warning)
      EXPECT_EQ(closing.substr(summary.size()),
                "\n\ndata/PET_DATA/A.csv: heads not used: 'Soil RH'; a column is used only when its head is one of "
                "TMAX, TMIN, RH1, RH2, RH, TDEW, WS, SS, RS, EVP");
  }
}

TEST(RunScope, NamesTheFilesOfTheListFromTheStartAndTheFileAtHandUnderThem) {
  TempAppFolder app;
  app.Write("dir.txt", Lines({"A.csv", "B.csv", "C.csv", "D.csv"}));
  EXPECT_EQ(RunScope(Module::Pet, app.Folder()), "all 4 files of data/PET_DATA");
  EXPECT_EQ(RunScope(Module::Coefficients, app.Folder()), "all 4 files of data/COEFFI_DATA");
  EXPECT_EQ(ProgressText(RunScope(Module::Pet, app.Folder()), 1, 4, "B.csv"),
            "all 4 files of data/PET_DATA\nFile 2 of 4: B.csv");
  app.Write("dir.txt", Lines({"A.csv"}));
  EXPECT_EQ(RunScope(Module::Pet, app.Folder()), "the 1 file of data/PET_DATA");
}

TEST(PetRunFromWindow, ABlankText1IsKept) {
  TempAppFolder app;
  app.Write("dir.txt", Lines({"A.csv"}));
  CollectedNotices notices;
  const JobOutcome outcome = PetRunFromWindow(WithText1("    "), app.Folder(), notices);
  EXPECT_EQ(notices.shown, (std::vector<Notice>{NoDataFile(), JobEnd(15)}));
  EXPECT_EQ(outcome.window.text1, "    ");
  EXPECT_TRUE(app.Exists("dir.txt"));
}

// The coeff button.

const std::string kHeads = "Station,Latitude,Longitude,A,,B,";
const std::string kLine2 = ",,,Intercept,Slope,Intercept,Slope";
// One reference station: every interpolated value is its own.
const std::string kOneRowTable = Lines({kHeads, kLine2, "Ref,20,80,1.2,0.85,-0.5,1"});
// Two reference stations at 20,80 and 10,70.
const std::string kTwoRowTable = Lines({kHeads, kLine2, "North,20,80,1,1,2,2", "South,10,70,3,3,4,4"});
const std::string kListHeading = "Station   ,Lat  ,Lon";

WindowState WindowWith(std::string text1, std::vector<bool> marks) {
  WindowState window;
  window.text1 = std::move(text1);
  window.list2Entries = {"A", "B"};
  window.list2Marks = std::move(marks);
  window.list2HeightTwips = 2 * kListEntryTwips;
  return window;
}

TEST(CoefficientRunFromWindow, AStationAtAReferenceStationEndsTheProgramKeepingTheRowsBeforeIt) {
  TempAppFolder app;
  app.Write("support/Coefficients.csv", kTwoRowTable);
  app.Write("data/COEFFI_DATA/list.csv", Lines({kListHeading, "First,20,70", " Second ,10,70", "Third,12,72"}));
  app.Write("data/COEFFI_DATA/later.csv", Lines({kListHeading, "Fourth,14,74"}));
  app.Write("dir.txt", Lines({"list.csv", "later.csv"}));
  CollectedNotices notices;
  const WindowState window = WindowWith("/home/user/list.csv", {true, true});
  const JobOutcome outcome = CoefficientRunFromWindow(window, app.Folder(), notices);

  // The name as read: leading spaces skipped, trailing ones kept.
  const Notice duplicate{NoticeKind::ProgramEnd,
                         std::string(10, ' ') + "ERROR Second  Coefficients are already exist" + std::string(15, ' ')};
  EXPECT_EQ(notices.shown, std::vector<Notice>{duplicate});  // and no JOB END
  EXPECT_TRUE(outcome.programEnds);
  EXPECT_EQ(outcome.window.text1, window.text1);
  EXPECT_EQ(outcome.window.list2Marks, window.list2Marks);
  EXPECT_TRUE(app.Exists("dir.txt"));
  EXPECT_EQ(app.Read("OUTPUT/list_COEFFI.csv"), Lines({kHeads, kLine2, "First,20.,70.,2.,2.,3.,3."}));
  EXPECT_FALSE(app.Exists("OUTPUT/later_COEFFI.csv"));
}

TEST(CoefficientRunFromWindow, AFinishedRunDeletesDirTxtEmptiesText1AndList2AndEndsWithJobEnd) {
  TempAppFolder app;
  app.Write("support/Coefficients.csv", kOneRowTable);
  app.Write("data/COEFFI_DATA/list.csv", Lines({kListHeading, "Wrenfield,17.41,85.03"}));
  app.Write("dir.txt", Lines({"list.csv"}));
  CollectedNotices notices;
  const JobOutcome outcome =
      CoefficientRunFromWindow(WindowWith("  /data/list.csv ", {true, false}), app.Folder(), notices);
  // Wrenfield lies beyond the one reference station: warned of in one message before "JOB END".
  ASSERT_EQ(notices.shown.size(), 2u);
  EXPECT_EQ(notices.shown[0].kind, NoticeKind::Warning);
  EXPECT_EQ(notices.shown[0].text.find("1 of 1 file of data/COEFFI_DATA processed, 0 refused\n" + ResultsIn(app)), 0u);
  EXPECT_NE(notices.shown[0].text.find("station 'Wrenfield' lies more than 1 degree beyond"), std::string::npos);
  EXPECT_EQ(notices.shown[1], JobEnd(15));
  EXPECT_FALSE(outcome.programEnds);
  EXPECT_FALSE(outcome.anyRefused);
  EXPECT_EQ(outcome.window.text1, "");
  EXPECT_TRUE(outcome.window.list2Entries.empty());
  EXPECT_TRUE(outcome.window.list2Marks.empty());
  EXPECT_EQ(outcome.window.list2HeightTwips, 330);
  EXPECT_FALSE(app.Exists("dir.txt"));
  EXPECT_EQ(app.Read("OUTPUT/list_COEFFI.csv"),
            Lines({"Station,Latitude,Longitude,A,", ",,,Intercept,Slope", "Wrenfield,17.41,85.03,1.2,.85"}));

  // A second press finds Text1 empty.
  CollectedNotices again;
  const JobOutcome second = CoefficientRunFromWindow(outcome.window, app.Folder(), again);
  EXPECT_EQ(again.shown, std::vector<Notice>{NoDataFile()});
  EXPECT_EQ(second.window.text1, "");
}

TEST(CoefficientRunFromWindow, Text1OfSpacesShowsOnlyTheNoDataFileNotice) {
  TempAppFolder app;
  app.Write("support/Coefficients.csv", kOneRowTable);
  app.Write("data/COEFFI_DATA/list.csv", Lines({kListHeading, "Wrenfield,17.41,85.03"}));
  app.Write("dir.txt", Lines({"list.csv"}));
  CollectedNotices notices;
  const WindowState window = WindowWith("    ", {true, true});
  const JobOutcome outcome = CoefficientRunFromWindow(window, app.Folder(), notices);
  EXPECT_EQ(notices.shown, std::vector<Notice>{NoDataFile()});
  EXPECT_EQ(outcome.window.text1, window.text1);
  EXPECT_EQ(outcome.window.list2Entries, window.list2Entries);
  EXPECT_EQ(outcome.window.list2HeightTwips, window.list2HeightTwips);
  EXPECT_TRUE(app.Exists("dir.txt"));
  EXPECT_FALSE(app.Exists("OUTPUT/list_COEFFI.csv"));
}

TEST(CoefficientRunFromWindow, AMissingDataFileListIsRefused) {
  TempAppFolder app;
  CollectedNotices notices;
  const WindowState window = WindowWith("/data/list.csv", {true, true});
  const JobOutcome outcome = CoefficientRunFromWindow(window, app.Folder(), notices);
  ASSERT_EQ(notices.shown.size(), 2u);
  EXPECT_EQ(notices.shown[0],
            Refusal("dir.txt: the list of station lists cannot be read (No such file or directory); choose a data "
                    "file again"));
  EXPECT_EQ(notices.shown[1], JobEnd(15));
  EXPECT_TRUE(outcome.anyRefused);
  EXPECT_EQ(outcome.window.text1, window.text1);
}

TEST(CoefficientRunFromWindow, ABadNameInDirTxtIsRefusedWithItsLineAndTheOthersAreProcessed) {
  TempAppFolder app;
  app.Write("support/Coefficients.csv", kOneRowTable);
  app.Write("data/COEFFI_DATA/list.csv", Lines({kListHeading, "Wrenfield,17.41,85.03"}));
  app.Write("dir.txt", Lines({"../support/Coefficients.csv", "list.csv"}));
  CollectedNotices notices;
  const JobOutcome outcome = CoefficientRunFromWindow(WindowWith("x", {}), app.Folder(), notices);
  ASSERT_EQ(notices.shown.size(), 3u);
  EXPECT_EQ(notices.shown[0], Refusal("dir.txt:1: a name holding a path separator ('../support/Coefficients.csv'); "
                                      "nothing is processed for it"));
  EXPECT_EQ(notices.shown[1],
            Information("1 of 2 files of data/COEFFI_DATA processed, 1 refused\n" + ResultsIn(app)));
  EXPECT_EQ(notices.shown[2], JobEnd(15));
  EXPECT_TRUE(outcome.anyRefused);
  EXPECT_TRUE(app.Exists("OUTPUT/list_COEFFI.csv"));
}

// The adj button.

const std::string kCoefficients = Lines({"Station,Latitude,Longitude,Hargreaves,,Turc,", kLine2, "STN1,14.41,77.37,.5,.8,-1,.5"});
const std::string kPetHeader = "Date,Hargreaves,Turc";

TEST(AdjustFromWindow, LeavesText1AsItWas) {
  TempAppFolder app;
  app.Write("OUTPUT/STN1_COEFFI.csv", kCoefficients);
  app.Write("OUTPUT/STN1_PET.csv", Lines({kPetHeader, "01/01/1970,4.57,1.0"}));
  WindowState window;
  window.text1 = " " + app.Path("OUTPUT/STN1_COEFFI.csv").string() + " ";
  CollectedNotices notices;
  const JobOutcome outcome = AdjustFromWindow(window, app.Folder(), notices);
  EXPECT_EQ(notices.shown, std::vector<Notice>{JobEnd(20)});
  EXPECT_EQ(outcome.window.text1, window.text1);
  EXPECT_FALSE(outcome.programEnds);
  EXPECT_FALSE(outcome.anyRefused);
  EXPECT_TRUE(app.Exists("OUTPUT/STN1_PET_ADJ.csv"));
}

TEST(AdjustFromWindow, Text1OfSpacesShowsOnlyTheNoDataFileNotice) {
  TempAppFolder app;
  WindowState window;
  window.text1 = "   ";
  CollectedNotices notices;
  const JobOutcome outcome = AdjustFromWindow(window, app.Folder(), notices);
  const Notice noDataFile{NoticeKind::Information,
                          std::string(10, ' ') + "NO Data file selected" + std::string(10, ' ')};
  EXPECT_EQ(notices.shown, std::vector<Notice>{noDataFile});
  EXPECT_EQ(outcome.window.text1, "   ");
  EXPECT_FALSE(app.Exists("temp.txt"));
}

TEST(AdjustFromWindow, AMissingPetResultAsksTheWindowToClose) {
  TempAppFolder app;
  app.Write("OUTPUT/STN1_COEFFI.csv", kCoefficients);
  WindowState window;
  window.text1 = app.Path("OUTPUT/STN1_COEFFI.csv").string();
  CollectedNotices notices;
  const JobOutcome outcome = AdjustFromWindow(window, app.Folder(), notices);
  EXPECT_TRUE(outcome.programEnds);
  EXPECT_EQ(outcome.window.text1, window.text1);
}

}  // namespace
}  // namespace sorvane::ui
