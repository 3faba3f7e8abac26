// Result files are written under a temporary name beside their final name and renamed
// over it only when complete, so a failure (a full disk, a killed process) never leaves
// a cut-short or half-replaced result: the older file stays as it was.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace sorvane {

class AtomicFile {
 public:
  static constexpr std::size_t kFlushBytes = 64 * 1024;

  // Opens a fresh temporary file beside `target`; nullopt (and `error`) when it cannot.
  static std::optional<AtomicFile> Create(const std::filesystem::path& target, std::string* error);

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

  // Writes what is left and closes the file, which is not yet in place. False (and
  // `error`) when any write failed; the temporary file is then removed.
  bool Finish(std::string* error);

  // Finishes if needed and renames the file over the target. False (and `error`) when
  // a write or the rename failed; the target is then untouched.
  bool Commit(std::string* error);

  const std::filesystem::path& Target() const { return target_; }

  // For tests of full disks: every write after `bytes` more bytes fails as with ENOSPC.
  // Negative: no limit.
  static void LimitWritesForTesting(long long bytes);

 private:
  AtomicFile() = default;
  void Flush();
  void Discard();

  int fd_ = -1;
  std::filesystem::path target_;
  std::filesystem::path temporary_;
  std::string buffer_;
  int writeErrno_ = 0;
  bool finished_ = false;
};

// Writes `text` to `path` as an AtomicFile. False (and `error`) when it cannot.
bool WriteWholeFile(const std::filesystem::path& path, std::string_view text, std::string* error);

// The mark every temporary result file carries at the end of its name.
inline constexpr std::string_view kTemporarySuffix = ".sorvane-tmp";

// Removes the temporary files of `folder` that were left by a process that no longer
// runs (a run that was killed); those of a running process are left alone.
void RemoveStaleTemporaries(const std::filesystem::path& folder);

}  // namespace sorvane
