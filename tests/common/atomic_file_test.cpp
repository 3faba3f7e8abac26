// Result files written under a temporary name and put durably in place: the older result
// kept on any failure, the steps CommitTogether asks of the system and their order, and
// the temporaries of killed runs removed.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <future>
#include <sstream>
#include <string>
#include <vector>

#include "common/atomic_file.h"
#include "support/temp_app_folder.h"

namespace sorvane {
namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Records each step with the names it was given, then takes it as the system would.
class RecordingSteps final : public DurableSteps {
 public:
  std::vector<std::string> steps;
  bool failFlush = false;
  std::shared_future<void> holdFlush;  // when valid, the flush waits for it

  Expected<void> FlushData(const std::vector<fs::path>& files) override {
    if (holdFlush.valid()) holdFlush.wait();
    std::string step = "flush";
    for (const fs::path& file : files) step += " " + Shown(file);
    steps.push_back(step);
    if (failFlush) return Fail("Input/output error");
    return {};
  }
  Expected<void> Replace(const fs::path& from, const fs::path& to) override {
    steps.push_back("rename " + Shown(from) + " " + Shown(to));
    return SystemSteps().Replace(from, to);
  }
  Expected<void> FlushFolder(const fs::path& folder) override {
    steps.push_back("flush folder " + folder.filename().string());
    return {};
  }

 private:
  // Temporary names carry the process id and a counter; only their target matters here.
  static std::string Shown(const fs::path& path) {
    const std::string name = path.filename().string();
    return name.ends_with(kTemporarySuffix) ? "tmp(" + name.substr(1, name.find(".csv") + 3) + ")" : name;
  }
};

// What CommitTogether said of each file: "" when it was put in place, else its message.
std::vector<std::string> Said(const std::vector<Expected<void>>& placed) {
  std::vector<std::string> said;
  for (const Expected<void>& one : placed) said.push_back(one ? "" : one.error().message);
  return said;
}

std::vector<AtomicFile> Written(const fs::path& folder, std::initializer_list<std::pair<const char*, const char*>> files) {
  std::vector<AtomicFile> written;
  for (const auto& [name, text] : files) {
    auto file = AtomicFile::Create(folder / name);
    EXPECT_TRUE(file) << file.error().message;
    file->Write(text);
    written.push_back(std::move(*file));
  }
  return written;
}

TEST(CommitTogether, FlushesAllDataThenRenamesThenFlushesTheFolderOnce) {
  testing::TempAppFolder app;
  const fs::path output = app.Root() / "OUTPUT";
  auto files = Written(output, {{"A_PET.csv", "a"}, {"B_PET.csv", "b"}});
  RecordingSteps steps;
  std::vector<AtomicFile*> batch{&files[0], &files[1]};
  EXPECT_EQ(Said(CommitTogether(batch, steps)), (std::vector<std::string>{"", ""}));
  EXPECT_EQ(steps.steps, (std::vector<std::string>{"flush tmp(A_PET.csv) tmp(B_PET.csv)",
                                                    "rename tmp(A_PET.csv) A_PET.csv",
                                                    "rename tmp(B_PET.csv) B_PET.csv", "flush folder OUTPUT"}));
  EXPECT_EQ(Read(output / "A_PET.csv"), "a");
  EXPECT_EQ(Read(output / "B_PET.csv"), "b");
}

// A flush that fails renames nothing: each older result stays, and no temporary file.
TEST(CommitTogether, AFailedFlushRenamesNothingAndSaysSoForEachFile) {
  testing::TempAppFolder app;
  const fs::path output = app.Root() / "OUTPUT";
  std::ofstream(output / "A_PET.csv") << "older";
  auto files = Written(output, {{"A_PET.csv", "new"}});
  RecordingSteps steps;
  steps.failFlush = true;
  std::vector<AtomicFile*> batch{&files[0]};
  EXPECT_EQ(Said(CommitTogether(batch, steps)),
            std::vector<std::string>{"its data cannot be flushed to the disk: Input/output error"});
  EXPECT_EQ(steps.steps.size(), 1u);
  EXPECT_EQ(Read(output / "A_PET.csv"), "older");
  EXPECT_EQ(std::distance(fs::directory_iterator(output), fs::directory_iterator()), 1);
}

// A batch put in place in the background keeps its temporary names while its data is
// being flushed, and the next batch starts only when it is in place.
TEST(BackgroundCommits, RenamesABatchOnlyAfterItsDataIsFlushedAndBatchesInTurn) {
  testing::TempAppFolder app;
  const fs::path output = app.Root() / "OUTPUT";
  auto first = Written(output, {{"A_PET.csv", "a"}, {"B_PET.csv", "b"}});
  auto second = Written(output, {{"C_PET.csv", "c"}});
  RecordingSteps steps;
  std::promise<void> flushDone;
  steps.holdFlush = flushDone.get_future().share();
  BackgroundCommits commits(steps);
  commits.Start({&first[0], &first[1]});
  EXPECT_FALSE(commits.Done());
  EXPECT_FALSE(fs::exists(output / "A_PET.csv"));
  flushDone.set_value();
  EXPECT_EQ(Said(commits.Wait()), (std::vector<std::string>{"", ""}));
  EXPECT_TRUE(commits.Done());
  EXPECT_EQ(Read(output / "A_PET.csv"), "a");
  commits.Start({&second[0]});
  EXPECT_EQ(Said(commits.Wait()), std::vector<std::string>{""});
  EXPECT_EQ(steps.steps, (std::vector<std::string>{
                             "flush tmp(A_PET.csv) tmp(B_PET.csv)", "rename tmp(A_PET.csv) A_PET.csv",
                             "rename tmp(B_PET.csv) B_PET.csv", "flush folder OUTPUT", "flush tmp(C_PET.csv)",
                             "rename tmp(C_PET.csv) C_PET.csv", "flush folder OUTPUT"}));
  EXPECT_EQ(Read(output / "C_PET.csv"), "c");
}

TEST(AtomicFile, ReplacesTheTargetOnlyWhenCommitted) {
  testing::TempAppFolder temp;
  const fs::path target = temp.Path("OUTPUT") / "R_PET.csv";
  std::ofstream(target, std::ios::binary) << "older result";
  {
    auto abandoned = AtomicFile::Create(target);
    ASSERT_TRUE(abandoned);
    abandoned->Write("cut short");
  }
  EXPECT_EQ(Read(target), "older result");
  auto file = AtomicFile::Create(target);
  ASSERT_TRUE(file);
  file->Write("new result");
  ASSERT_TRUE(file->Commit());
  EXPECT_EQ(Read(target), "new result");
  EXPECT_EQ(std::distance(fs::directory_iterator(temp.Path("OUTPUT")), fs::directory_iterator{}), 1);
}

TEST(AtomicFile, AFullDiskLeavesTheOlderResultAndNoTemporaryFile) {
  testing::TempAppFolder temp;
  const fs::path target = temp.Path("OUTPUT") / "R_PET.csv";
  std::ofstream(target, std::ios::binary) << "older result";
  auto file = AtomicFile::Create(target);
  ASSERT_TRUE(file);
  AtomicFile::LimitWritesForTesting(100);
  file->Write(std::string(200 * 1024, 'x'));
  const auto committed = file->Commit();
  AtomicFile::LimitWritesForTesting(-1);
  ASSERT_FALSE(committed);
  EXPECT_EQ(committed.error().message, "No space left on device");
  EXPECT_EQ(Read(target), "older result");
  EXPECT_EQ(std::distance(fs::directory_iterator(temp.Path("OUTPUT")), fs::directory_iterator{}), 1);
}

TEST(AtomicFile, StaleTemporariesOfEndedProcessesAreRemoved) {
  testing::TempAppFolder temp;
  const std::string mine = ".A_PET.csv." + std::to_string(::getpid()) + "-0" + std::string(kTemporarySuffix);
  const std::string left = ".B_PET.csv.999999999-3" + std::string(kTemporarySuffix);
  std::ofstream(temp.Path("OUTPUT") / mine, std::ios::binary) << "in use";
  std::ofstream(temp.Path("OUTPUT") / left, std::ios::binary) << "left by a killed run";
  std::ofstream(temp.Path("OUTPUT") / "C_PET.csv", std::ios::binary) << "a result";
  RemoveStaleTemporaries(temp.Path("OUTPUT"));
  EXPECT_TRUE(fs::exists(temp.Path("OUTPUT") / mine));
  EXPECT_FALSE(fs::exists(temp.Path("OUTPUT") / left));
  EXPECT_TRUE(fs::exists(temp.Path("OUTPUT") / "C_PET.csv"));
}

}  // namespace
}  // namespace sorvane
