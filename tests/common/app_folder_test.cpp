// The ApplicationFolder: its folders matched without regard to case, the results folder
// made when missing, and the skeleton a new one is made from.
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

}  // namespace
}  // namespace sorvane
