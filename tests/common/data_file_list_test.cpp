// Browse's DataFileList: which files of the browsed folder land in dir.txt, in which
// order and with which line ends.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/app_folder.h"
#include "common/data_file_list.h"
#include "common/notices.h"
#include "support/temp_app_folder.h"

namespace sorvane {
namespace {

namespace fs = std::filesystem;

class BrowseList : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("sorvane-browse-" + std::to_string(::getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(AppRoot());
    fs::create_directories(Browsed());
  }
  void TearDown() override { fs::remove_all(root_); }

  fs::path AppRoot() const { return root_ / "app"; }
  fs::path Browsed() const { return root_ / "browsed"; }
  AppFolder Folder() const { return AppFolder(AppRoot()); }

  void Touch(const std::vector<std::string>& names) const {
    for (const auto& name : names) std::ofstream(Browsed() / name) << "x\n";
  }
  std::string ListWritten() const {
    std::ifstream in(AppRoot() / "dir.txt", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  std::string Chosen(const std::string& name) const { return (Browsed() / name).string(); }

  fs::path root_;
};

// What a DataFileList that was not written says; empty when it was.
std::string Failure(const Expected<void>& written) { return written ? "" : Located(written.error()); }

TEST_F(BrowseList, ListsTheFilesOfTheChosenFilesKindOnePerLine) {
  Touch({"STN2.csv", "STN1.csv", "notes.txt"});
  ASSERT_EQ(Failure(WriteDataFileList(Folder(), Browsed(), Chosen("STN1.csv"))), "");
  EXPECT_EQ(ListWritten(), "STN1.csv\r\nSTN2.csv\r\n");
}

TEST_F(BrowseList, AChosenTextFileListsOnlyTextFiles) {
  Touch({"STN1.csv", "notes.txt", "list.TXT"});
  ASSERT_EQ(Failure(WriteDataFileList(Folder(), Browsed(), Chosen("notes.txt"))), "");
  EXPECT_EQ(ListWritten(), "list.TXT\r\nnotes.txt\r\n");
}

TEST_F(BrowseList, MatchesWithoutRegardToCase) {
  Touch({"a.CSV", "b.Csv", "c.csv", "d.csvx"});
  ASSERT_EQ(Failure(WriteDataFileList(Folder(), Browsed(), Chosen("c.csv"))), "");
  EXPECT_EQ(ListWritten(), "a.CSV\r\nb.Csv\r\nc.csv\r\n");
}

TEST_F(BrowseList, LeavesOutFoldersAndHiddenFiles) {
  Touch({"STN1.csv", ".hidden.csv"});
  fs::create_directories(Browsed() / "archive.csv");
  ASSERT_EQ(Failure(WriteDataFileList(Folder(), Browsed(), Chosen("STN1.csv"))), "");
  EXPECT_EQ(ListWritten(), "STN1.csv\r\n");
}

TEST_F(BrowseList, NamesAreInNameOrder) {
  Touch({"STN10.csv", "B.csv", "A.csv", "STN2.csv"});
  ASSERT_EQ(Failure(WriteDataFileList(Folder(), Browsed(), Chosen("A.csv"))), "");
  EXPECT_EQ(ListWritten(), "A.csv\r\nB.csv\r\nSTN10.csv\r\nSTN2.csv\r\n");
}

// No data file chosen (a cancelled first dialog): the pattern is "*", every ordinary file.
TEST_F(BrowseList, AnEmptyNameListsEveryOrdinaryFile) {
  Touch({"STN1.csv", "notes.txt", "README"});
  ASSERT_EQ(Failure(WriteDataFileList(Folder(), Browsed(), "")), "");
  EXPECT_EQ(ListWritten(), "README\r\nSTN1.csv\r\nnotes.txt\r\n");
}

struct PatternCase {
  const char* chosen;
  const char* expected;
};

// The pattern is "*" and the last four characters of the trimmed chosen name.
TEST_F(BrowseList, PatternIsStarAndTheLastFourCharacters) {
  Touch({"a.csv", "b.txt", "lab", "xab", "data.cs", "STN1.csv.bak", "v.bak"});
  const PatternCase cases[] = {
      {"   /somewhere/a.csv   ", "a.csv\r\n"},      // spaces around the name are trimmed
      {"ab", "lab\r\nxab\r\n"},                     // shorter than four: all of it
      {"/x/y.bak", "STN1.csv.bak\r\nv.bak\r\n"},    // the last four characters only
      {"/x/data.cs", "data.cs\r\n"},                // "a.cs"
      {"     ", "STN1.csv.bak\r\na.csv\r\nb.txt\r\ndata.cs\r\nlab\r\nv.bak\r\nxab\r\n"},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(Failure(WriteDataFileList(Folder(), Browsed(), c.chosen)), "") << c.chosen;
    EXPECT_EQ(ListWritten(), c.expected) << "chosen '" << c.chosen << "'";
  }
}

TEST_F(BrowseList, WildcardCharactersOfTheNameFollowTheListingRules) {
  Touch({"a.cxv", "b.csv", "c.txt"});
  ASSERT_EQ(Failure(WriteDataFileList(Folder(), Browsed(), "/x/y.c?v")), "");
  EXPECT_EQ(ListWritten(), "a.cxv\r\nb.csv\r\n");
}

TEST_F(BrowseList, ReplacesAnEarlierList) {
  std::ofstream(AppRoot() / "dir.txt") << "OLD.csv\r\nOLDER.csv\r\n";
  Touch({"STN1.csv"});
  ASSERT_EQ(Failure(WriteDataFileList(Folder(), Browsed(), Chosen("STN1.csv"))), "");
  EXPECT_EQ(ListWritten(), "STN1.csv\r\n");
}

TEST_F(BrowseList, NoMatchingFileWritesAnEmptyList) {
  Touch({"notes.txt"});
  ASSERT_EQ(Failure(WriteDataFileList(Folder(), Browsed(), "/x/STN1.csv")), "");
  EXPECT_TRUE(fs::exists(AppRoot() / "dir.txt"));
  EXPECT_EQ(ListWritten(), "");
}

TEST_F(BrowseList, AFolderThatCannotBeListedIsNamed) {
  const fs::path missing = root_ / "gone";
  EXPECT_EQ(Failure(WriteDataFileList(Folder(), missing, "/x/STN1.csv")),
            missing.string() + ": the folder cannot be listed (No such file or directory)");
  EXPECT_FALSE(fs::exists(AppRoot() / "dir.txt"));
}

TEST_F(BrowseList, AListThatCannotBeWrittenIsNamed) {
  Touch({"STN1.csv"});
  const AppFolder nowhere(root_ / "no-such-app-folder");
  EXPECT_EQ(Failure(WriteDataFileList(nowhere, Browsed(), Chosen("STN1.csv"))),
            "dir.txt: cannot be written (No such file or directory)");
}

TEST(DataFileList, ReadsNamesAndMarksTheOnesThatCannotBeProcessed) {
  testing::TempAppFolder temp;
  std::ofstream(temp.Path("OUTPUT") / "dir.txt", std::ios::binary) << "A.csv\r\n\r\n../../etc/passwd\r\n/etc/passwd\r\n B.csv \r\n\r\n\r\n";
  const auto names = ReadDataFileList(temp.Path("OUTPUT") / "dir.txt");
  ASSERT_TRUE(names) << names.error().message;
  ASSERT_EQ(names->size(), 5u);  // blank lines at the end end the list
  EXPECT_EQ((*names)[0].name, "A.csv");
  EXPECT_EQ((*names)[0].problem, "");
  EXPECT_EQ((*names)[1].problem, "an empty line names no file");
  EXPECT_EQ((*names)[1].line, 2);
  EXPECT_EQ((*names)[2].problem, "a name holding a path separator");
  EXPECT_EQ((*names)[3].problem, "a name holding a path separator");
  EXPECT_EQ((*names)[4].name, "B.csv");
  EXPECT_FALSE(ReadDataFileList(temp.Path("OUTPUT") / "missing.txt"));
}

TEST(DataFileList, ARefusedNameIsShownWithItsControlBytesEscaped) {
  EXPECT_EQ(ListedNameRefusal(NamesGiven({"a\x1b[2J\xff/.."}).front()),
            "a path that names no file ('a\\x1b[2J\\xff/..'); nothing is processed for it");
}

TEST(DataFileList, DataFilesInListsCsvAndTxtFilesInNameOrder) {
  testing::TempAppFolder temp;
  for (const char* name : {"b.csv", "a.TXT", "c.xlsx", ".hidden.csv", "A.csv"}) std::ofstream(temp.Path("OUTPUT") / name, std::ios::binary) << "";
  fs::create_directories(temp.Path("OUTPUT") / "folder.csv");
  EXPECT_EQ(DataFilesIn(temp.Path("OUTPUT")), (std::vector<std::string>{"A.csv", "a.TXT", "b.csv"}));
}

}  // namespace
}  // namespace sorvane
