// Faults while writing results: whatever happens, no result file is cut short or
// half-replaced, older results stay as they were, and the failure is reported.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "common/atomic_file.h"
#include "jobs/pet_job.h"
#include "support/run_program.h"
#include "support/temp_app_folder.h"
#include "support/weather_file.h"

namespace sorvane {
namespace {

namespace fs = std::filesystem;
using testing::RunProgram;
using testing::TempAppFolder;

const std::string kHeader = testing::WeatherFileHead("Date,TMAX,TMIN,RH1,RH2,WS,SS,EVP");

void WriteLargeDailyFile(const fs::path& path, int rows) {
  std::ofstream out(path, std::ios::binary);
  out << kHeader;
  const std::string row = "01/01/1970,29.6,4,65,25,4,10.2,4.2\r\n";
  for (int i = 0; i < rows; ++i) out << row;
}

TEST(WriteFaults, AFileInPlaceOfTheOutputFolderRefusesEveryFile) {
  TempAppFolder app;
  fs::remove_all(app.Root() / "OUTPUT");
  app.Write("OUTPUT", "a file, not a folder");
  app.Write("data/PET_DATA/A.csv", kHeader + "01/01/1970,29.6,4,65,25,4,10.2,4.2\r\n");
  const auto run = RunProgram(SORVANE_CLI, {"--app-folder", app.Root().string(), "pet"});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.err, "OUTPUT: a file stands where the results folder should be; no file is processed\n");
  EXPECT_EQ(app.Read("OUTPUT"), "a file, not a folder");
}

TEST(WriteFaults, AResultThatCannotBePutInPlaceIsReported) {
  TempAppFolder app;
  app.Write("data/PET_DATA/A.csv", kHeader + "01/01/1970,29.6,4,65,25,4,10.2,4.2\r\n");
  app.Write("data/PET_DATA/B.csv", kHeader + "01/01/1970,29.6,4,65,25,4,10.2,4.2\r\n");
  fs::create_directories(app.Root() / "OUTPUT/A_PET.csv/kept");  // a folder where the result should go
  const auto run = RunProgram(SORVANE_CLI, {"--app-folder", app.Root().string(), "pet"});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.err, "OUTPUT/A_PET.csv: cannot be put in place (Is a directory)\n");
  EXPECT_TRUE(fs::exists(app.Root() / "OUTPUT/A_PET.csv/kept"));
  EXPECT_TRUE(app.Exists("OUTPUT/B_PET.csv"));
  EXPECT_EQ(app.Names("OUTPUT"), (std::vector<std::string>{"A_PET.csv", "B_PET.csv"}));
}

TEST(WriteFaults, AFullDiskKeepsTheOlderResultAndSaysSo) {
  TempAppFolder app;
  WriteLargeDailyFile(app.Root() / "data/PET_DATA/BIG.csv", 20000);
  app.Write("OUTPUT/BIG_PET.csv", "older result");
  CollectedNotices notices;
  AtomicFile::LimitWritesForTesting(100000);
  const RunSummary summary = ProcessPetFiles(NamesGiven({"BIG.csv"}), AppFolder(app.Root()), notices, {});
  AtomicFile::LimitWritesForTesting(-1);
  EXPECT_EQ(summary.refused, 1u);
  ASSERT_EQ(notices.shown.size(), 1u);
  EXPECT_EQ(notices.shown[0].text,
            "OUTPUT/BIG_PET.csv: writing failed (No space left on device); an older result of that name is left as it "
            "was");
  EXPECT_EQ(app.Read("OUTPUT/BIG_PET.csv"), "older result");
  EXPECT_EQ(app.Names("OUTPUT"), std::vector<std::string>{"BIG_PET.csv"});
}

TEST(WriteFaults, ARunKilledInTheMiddleLeavesOnlyARecognisableTemporaryFile) {
  TempAppFolder app;
  WriteLargeDailyFile(app.Root() / "data/PET_DATA/BIG.csv", 3000000);
  app.Write("OUTPUT/BIG_PET.csv", "older result");
  const std::string cli = SORVANE_CLI;
  const std::string folder = app.Root().string();
  const pid_t child = ::fork();
  if (child == 0) {
    ::freopen("/dev/null", "w", stdout);
    ::execl(cli.c_str(), cli.c_str(), "--app-folder", folder.c_str(), "pet", "--jobs", "1", nullptr);
    ::_exit(127);
  }
  // Wait until the result is being written, then kill the run without warning.
  bool writing = false;
  for (int i = 0; i < 2000 && !writing; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    for (const auto& name : app.Names("OUTPUT")) writing |= name.ends_with(std::string(kTemporarySuffix));
  }
  ::kill(child, SIGKILL);
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_TRUE(writing) << "the run ended before it could be killed";
  ASSERT_TRUE(WIFSIGNALED(status));

  EXPECT_EQ(app.Read("OUTPUT/BIG_PET.csv"), "older result");
  std::vector<std::string> leftovers;
  for (const auto& name : app.Names("OUTPUT"))
    if (name != "BIG_PET.csv") leftovers.push_back(name);
  ASSERT_EQ(leftovers.size(), 1u);
  EXPECT_TRUE(leftovers[0].starts_with(".BIG_PET.csv.")) << leftovers[0];
  EXPECT_TRUE(leftovers[0].ends_with(".sorvane-tmp")) << leftovers[0];

  // The next run clears what the killed one left.
  app.Write("data/PET_DATA/BIG.csv", kHeader + "01/01/1970,29.6,4,65,25,4,10.2,4.2\r\n");
  EXPECT_EQ(RunProgram(SORVANE_CLI, {"--app-folder", folder, "pet"}).exitStatus, 0);
  EXPECT_EQ(app.Names("OUTPUT"), std::vector<std::string>{"BIG_PET.csv"});
  EXPECT_NE(app.Read("OUTPUT/BIG_PET.csv"), "older result");
}

}  // namespace
}  // namespace sorvane
