// Result files are written under a temporary name beside their final name and renamed
// over it only when complete, so a failure (a full disk, a killed process) never leaves
// a cut-short or half-replaced result: the older file stays as it was. Before the rename
// the file's data is flushed to the disk, and after it the folder, so that a power cut
// leaves the old file or the whole new one too, never an empty or partly written one.
#pragma once

#include <cstddef>
#include <exception>
#include <filesystem>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "common/problem.h"

namespace sorvane {

class DurableSteps;

class AtomicFile {
 public:
  static constexpr std::size_t kFlushBytes = 64 * 1024;
  // A file that grows past this much is written out to the disk as it grows, so that the
  // flush before its rename finds only its last part left (a small file is left to the
  // batch's one flush: starting each one's writing costs more than it saves).
  static constexpr long long kWriteOutBytes = 1024 * 1024;

  // Opens a fresh temporary file beside `target`; the problem says why it cannot.
  static Expected<AtomicFile> Create(const std::filesystem::path& target);

  AtomicFile(AtomicFile&& other) noexcept;
  AtomicFile& operator=(AtomicFile&&) = delete;
  AtomicFile(const AtomicFile&) = delete;
  ~AtomicFile();  // an uncommitted file is removed

  // Text appended here is written out in large blocks.
  std::string& Buffer() { return buffer_; }
  void Write(std::string_view text) {
    buffer_.append(text);
    FlushIfFull();
  }
  void FlushIfFull() {
    if (buffer_.size() >= kFlushBytes) Flush();
  }

  // Writes what is left and closes the file, which is not yet in place. A problem when
  // any write failed; the temporary file is then removed.
  Expected<void> Finish();

  // Finishes if needed and puts the file durably in place of the target (as
  // CommitTogether). A problem when a write, the flush or the rename failed; the target
  // is then untouched.
  Expected<void> Commit();

  const std::filesystem::path& Target() const { return target_; }

  // For tests of full disks: every write after `bytes` more bytes fails as with ENOSPC.
  // Negative: no limit.
  static void LimitWritesForTesting(long long bytes);

 private:
  AtomicFile() = default;
  void Flush();
  void StartWritingOut();
  void Discard();

  int fd_ = -1;
  std::filesystem::path target_;
  std::filesystem::path temporary_;
  std::string buffer_;
  int writeErrno_ = 0;
  long long written_ = 0;
  long long writingOutFrom_ = 0;  // the size of the file when its writing out last started
  bool finished_ = false;

  friend std::vector<Expected<void>> CommitTogether(std::span<AtomicFile* const>, DurableSteps&);
};

// The steps that make finished files durable in place, in the order CommitTogether takes
// them. SystemSteps() asks the operating system; tests record the steps instead.
class DurableSteps {
 public:
  virtual ~DurableSteps() = default;
  // The data of every closed file of `files` reaches the disk; a problem when not.
  virtual Expected<void> FlushData(const std::vector<std::filesystem::path>& files) = 0;
  virtual Expected<void> Replace(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
  // The names of `folder` (the renames just made in it) reach the disk.
  virtual Expected<void> FlushFolder(const std::filesystem::path& folder) = 0;
};
DurableSteps& SystemSteps();

// Finishes `files` and puts them in place together: the data of all of them flushed in
// one step, then each renamed over its target, then each folder flushed once. A run of
// thousands of small results pays for one flush, not one per file. Gives, for each file,
// nothing or why it was not put in place (its target then untouched).
std::vector<Expected<void>> CommitTogether(std::span<AtomicFile* const> files, DurableSteps& steps = SystemSteps());

// Puts batches of finished files in place on a thread of its own, by CommitTogether, one
// batch at a time in the order handed over, while the caller makes the next batch: a
// flush waits on the disk, and the run need not wait with it. A file still reaches its
// name only after its data is on the disk.
class BackgroundCommits {
 public:
  explicit BackgroundCommits(DurableSteps& steps = SystemSteps()) : steps_(steps) {}
  ~BackgroundCommits();  // waits for the batch in hand
  BackgroundCommits(const BackgroundCommits&) = delete;
  BackgroundCommits& operator=(const BackgroundCommits&) = delete;

  // Starts putting `files` in place; the caller keeps them until Wait returns. Waits
  // first for the batch in hand, if any, whose outcome Wait then no longer gives: call
  // Wait before the next Start.
  void Start(std::vector<AtomicFile*> files);
  // Whether the batch handed over is in place, so that Wait would not wait.
  bool Done();
  // Waits for the batch handed over and gives what CommitTogether said of each of its
  // files (nothing when there was none). Throws what the commit threw.
  std::vector<Expected<void>> Wait();

 private:
  void Commit();

  DurableSteps& steps_;
  std::mutex mutex_;
  std::vector<AtomicFile*> batch_;
  std::vector<Expected<void>> placed_;
  std::exception_ptr failure_;
  bool inHand_ = false;
  std::thread thread_;
};

// Writes `text` to `path` as an AtomicFile; the problem says why it cannot.
Expected<void> WriteWholeFile(const std::filesystem::path& path, std::string_view text);

// The mark every temporary result file carries at the end of its name.
inline constexpr std::string_view kTemporarySuffix = ".sorvane-tmp";

// Removes the temporary files of `folder` that were left by a process that no longer
// runs (a run that was killed); those of a running process are left alone.
void RemoveStaleTemporaries(const std::filesystem::path& folder);

}  // namespace sorvane
