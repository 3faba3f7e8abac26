// Names, folders, the DataFileList and atomic result files.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/app_folder.h"
#include "common/atomic_file.h"
#include "common/data_file_list.h"
#include "common/field_reader.h"
#include "common/platform.h"
#include "common/text.h"

namespace sorvane {
namespace {

namespace fs = std::filesystem;

class TempFolder {
 public:
  TempFolder() {
    path_ = fs::temp_directory_path() / ("sorvane_files_test_" + std::to_string(::getpid()) + "_" +
                                         std::to_string(counter_++));
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~TempFolder() { fs::remove_all(path_); }
  const fs::path& path() const { return path_; }

 private:
  static inline int counter_ = 0;
  fs::path path_;
};

void WriteFile(const fs::path& path, std::string_view content) { std::ofstream(path, std::ios::binary) << content; }

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(ResultFileName, RemovesTheLastFourCharactersWhateverTheyAre) {
  EXPECT_EQ(ResultFileName("STN1.csv", "_PET.csv"), "STN1_PET.csv");
  EXPECT_EQ(ResultFileName("a.txt", "_PET.csv"), "a_PET.csv");
  EXPECT_EQ(ResultFileName("rain.xlsx", "_PET.csv"), "rain._PET.csv");
  EXPECT_EQ(ResultFileName("ABCDEFG", "_PET.csv"), "ABC_PET.csv");
  EXPECT_EQ(ResultFileName("ab", "_PET.csv"), "ab_PET.csv");  // shorter names keep their whole name
  EXPECT_EQ(ResultFileName("list.csv", "_COEFFI.csv"), "list_COEFFI.csv");
}

TEST(WhyNotBareName, KeepsNamesInsideTheirFolder) {
  for (const char* bad : {"../../etc/passwd", "/etc/passwd", "..", ".", "a/b.csv", "a\\b.csv", ""})
    EXPECT_NE(WhyNotBareName(bad), "") << bad;
  for (const char* good : {"STN1.csv", "a..b.csv", "x", "rain.xlsx"}) EXPECT_EQ(WhyNotBareName(good), "") << good;
}

TEST(WhyNotBareName, RefusesWhatWindowsWouldReadAsAnotherFile) {
  for (const char* bad : {"C:x.csv", "c:STN1.csv", "x.csv:stream", "STN1.csv.", "STN1.csv ", "STN1.", "CON", "con.csv",
                          "Nul.txt", "AUX", "prn.csv", "COM1", "com9.csv", "LPT1.txt", "lpt0", "CON .csv",
                          "CONIN$", "conout$.txt"})
    EXPECT_NE(WhyNotBareName(bad), "") << bad;
  for (const char* good : {"CONSTANT.csv", "COM10.csv", "COMA.csv", "NULL.csv", "xCON.csv", "AUX_STATION.csv",
                           "LPT.csv", ".hidden.csv", "\xc3\xa9t\xc3\xa9.csv"})
    EXPECT_EQ(WhyNotBareName(good), "") << good;
}

TEST(AppFolder, MatchesFolderNamesWithoutRegardToCase) {
  TempFolder temp;
  fs::create_directories(temp.path() / "output");
  fs::create_directories(temp.path() / "Data" / "pet_data");
  const AppFolder folder(temp.path());
  EXPECT_EQ(folder.Output(), temp.path() / "output");
  EXPECT_EQ(folder.PetData(), temp.path() / "Data" / "pet_data");
  EXPECT_EQ(folder.Display(folder.PetData() / "x.csv"), "Data/pet_data/x.csv");
}

TEST(AppFolder, MakesAMissingOutputFolderAndRefusesAFileInItsPlace) {
  TempFolder temp;
  const AppFolder folder(temp.path());
  ASSERT_TRUE(folder.EnsureOutput());
  EXPECT_TRUE(fs::is_directory(temp.path() / "OUTPUT"));

  TempFolder blocked;
  WriteFile(blocked.path() / "OUTPUT", "not a folder");
  const auto output = AppFolder(blocked.path()).EnsureOutput();
  ASSERT_FALSE(output);
  EXPECT_EQ(output.error(), (Problem{"OUTPUT", 0, {}, "a file stands where the results folder should be"}));
}

// An installation anywhere: PREFIX/bin/sorvane-cli makes ApplicationFolders from
// PREFIX/share/sorvane/appfolder; a build tree keeps it in share/ beside its programs; a
// program with neither says so, and never falls back on the folder it was built from.
TEST(AppFolder, TheSkeletonIsFoundRelativeToTheProgram) {
  TempFolder prefix;
  const fs::path program = prefix.path() / "bin" / "sorvane-cli";
  const fs::path installed = prefix.path() / "share" / "sorvane" / "appfolder";
  fs::create_directories(program.parent_path());
  TempFolder made;
  const auto missing = MakeAppFolder(made.path() / "app", program);
  ASSERT_FALSE(missing);
  EXPECT_EQ(missing.error(), (Problem{platform::Utf8(installed), 0, {},
                                      "the ApplicationFolder skeleton is missing; reinstall the program"}));

  fs::create_directories(installed / "support");
  fs::create_directories(installed / "data" / "PET_DATA");
  WriteFile(installed / "support" / "marker.csv", "installed");
  EXPECT_EQ(SkeletonFolder(program), installed);
  const auto fresh = MakeAppFolder(made.path() / "app", program);
  ASSERT_TRUE(fresh) << fresh.error().message;
  EXPECT_EQ(ReadFile(made.path() / "app" / "support" / "marker.csv"), "installed");

  const fs::path inBuildTree = prefix.path() / "sorvane-cli";
  EXPECT_EQ(SkeletonFolder(inBuildTree), installed);
}

TEST(DataFileList, ReadsNamesAndMarksTheOnesThatCannotBeProcessed) {
  TempFolder temp;
  WriteFile(temp.path() / "dir.txt", "A.csv\r\n\r\n../../etc/passwd\r\n/etc/passwd\r\n B.csv \r\n\r\n\r\n");
  const auto names = ReadDataFileList(temp.path() / "dir.txt");
  ASSERT_TRUE(names) << names.error().message;
  ASSERT_EQ(names->size(), 5u);  // blank lines at the end end the list
  EXPECT_EQ((*names)[0].name, "A.csv");
  EXPECT_EQ((*names)[0].problem, "");
  EXPECT_EQ((*names)[1].problem, "an empty line names no file");
  EXPECT_EQ((*names)[1].line, 2);
  EXPECT_EQ((*names)[2].problem, "a name holding a path separator");
  EXPECT_EQ((*names)[3].problem, "a name holding a path separator");
  EXPECT_EQ((*names)[4].name, "B.csv");
  EXPECT_FALSE(ReadDataFileList(temp.path() / "missing.txt"));
}

TEST(DataFileList, ARefusedNameIsShownWithItsControlBytesEscaped) {
  EXPECT_EQ(ListedNameRefusal(NamesGiven({"a\x1b[2J\xff/.."}).front()),
            "a path that names no file ('a\\x1b[2J\\xff/..'); nothing is processed for it");
}

TEST(DataFileList, DataFilesInListsCsvAndTxtFilesInNameOrder) {
  TempFolder temp;
  for (const char* name : {"b.csv", "a.TXT", "c.xlsx", ".hidden.csv", "A.csv"}) WriteFile(temp.path() / name, "");
  fs::create_directories(temp.path() / "folder.csv");
  EXPECT_EQ(DataFilesIn(temp.path()), (std::vector<std::string>{"A.csv", "a.TXT", "b.csv"}));
}

TEST(AtomicFile, ReplacesTheTargetOnlyWhenCommitted) {
  TempFolder temp;
  const fs::path target = temp.path() / "R_PET.csv";
  WriteFile(target, "older result");
  {
    auto abandoned = AtomicFile::Create(target);
    ASSERT_TRUE(abandoned);
    abandoned->Write("cut short");
  }
  EXPECT_EQ(ReadFile(target), "older result");
  auto file = AtomicFile::Create(target);
  ASSERT_TRUE(file);
  file->Write("new result");
  ASSERT_TRUE(file->Commit());
  EXPECT_EQ(ReadFile(target), "new result");
  EXPECT_EQ(std::distance(fs::directory_iterator(temp.path()), fs::directory_iterator{}), 1);
}

TEST(AtomicFile, AFullDiskLeavesTheOlderResultAndNoTemporaryFile) {
  TempFolder temp;
  const fs::path target = temp.path() / "R_PET.csv";
  WriteFile(target, "older result");
  auto file = AtomicFile::Create(target);
  ASSERT_TRUE(file);
  AtomicFile::LimitWritesForTesting(100);
  file->Write(std::string(200 * 1024, 'x'));
  const auto committed = file->Commit();
  AtomicFile::LimitWritesForTesting(-1);
  ASSERT_FALSE(committed);
  EXPECT_EQ(committed.error().message, "No space left on device");
  EXPECT_EQ(ReadFile(target), "older result");
  EXPECT_EQ(std::distance(fs::directory_iterator(temp.path()), fs::directory_iterator{}), 1);
}

TEST(AtomicFile, StaleTemporariesOfEndedProcessesAreRemoved) {
  TempFolder temp;
  const std::string mine = ".A_PET.csv." + std::to_string(::getpid()) + "-0" + std::string(kTemporarySuffix);
  const std::string left = ".B_PET.csv.999999999-3" + std::string(kTemporarySuffix);
  WriteFile(temp.path() / mine, "in use");
  WriteFile(temp.path() / left, "left by a killed run");
  WriteFile(temp.path() / "C_PET.csv", "a result");
  RemoveStaleTemporaries(temp.path());
  EXPECT_TRUE(fs::exists(temp.path() / mine));
  EXPECT_FALSE(fs::exists(temp.path() / left));
  EXPECT_TRUE(fs::exists(temp.path() / "C_PET.csv"));
}

TEST(Platform, NamesPassThroughPathsUnchanged) {
  // Latin, Greek and CJK letters, and bytes that are no UTF-8 at all (an old list in a
  // one-byte code page), which POSIX names may hold.
  for (const std::string name : {"STN1.csv", "\xc3\x91" "and\xc3\xba R\xc3\xado.csv", "\xce\x9a\xce\xad\xcf\x81.csv",
                                 "\xe6\xb0\x94\xe8\xb1\xa1.txt", "caf\xe9.csv"})
    EXPECT_EQ(platform::Utf8(platform::PathFromUtf8(name)), name);
}

TEST(Platform, ANonAsciiResultIsWrittenReadAndListedUnderItsName) {
  TempFolder temp;
  const std::string name = "\xc3\x91" "and\xc3\xba.csv";
  const fs::path target = temp.path() / platform::PathFromUtf8(name);
  auto file = AtomicFile::Create(target);
  ASSERT_TRUE(file) << file.error().message;
  file->Write("a,b\r\n");
  ASSERT_TRUE(file->Commit());
  EXPECT_EQ(DataFilesIn(temp.path()), std::vector<std::string>{name});
  auto reader = FieldReader::Open(ChildIgnoringCase(temp.path(), name));
  ASSERT_TRUE(reader) << reader.error().message;
  EXPECT_EQ(reader->Next().text, "a");
  EXPECT_TRUE(platform::ProcessRuns(platform::ThisProcessId()));
}

}  // namespace
}  // namespace sorvane
