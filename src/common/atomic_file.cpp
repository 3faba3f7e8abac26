#include "common/atomic_file.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <utility>

#include "common/platform.h"

namespace sorvane {

namespace fs = std::filesystem;

namespace {

std::atomic<unsigned long> temporaryCounter{0};
std::atomic<long long> writeBudgetForTesting{-1};

// ".STN1_PET.csv.<pid>-<n>.sorvane-tmp": hidden, beside its target, and naming the
// process that writes it so a later run can tell a leftover from a file in use.
fs::path TemporaryFor(const fs::path& target) {
  fs::path name(".");
  name += target.filename();
  name += "." + std::to_string(platform::ThisProcessId()) + "-" + std::to_string(temporaryCounter.fetch_add(1)) +
          std::string(kTemporarySuffix);
  return target.parent_path() / name;
}

long WriteSome(int fd, const char* data, std::size_t size) {
  long long budget = writeBudgetForTesting.load();
  if (budget >= 0) {
    if (budget == 0) {
      errno = ENOSPC;
      return -1;
    }
    size = std::min<std::size_t>(size, static_cast<std::size_t>(budget));
    writeBudgetForTesting.fetch_sub(static_cast<long long>(size));
  }
  return platform::WriteSome(fd, data, size);
}

}  // namespace

void AtomicFile::LimitWritesForTesting(long long bytes) { writeBudgetForTesting.store(bytes); }

Expected<AtomicFile> AtomicFile::Create(const fs::path& target) {
  AtomicFile file;
  file.target_ = target;
  file.temporary_ = TemporaryFor(target);
  auto fd = platform::CreateNewFile(file.temporary_);
  if (!fd) return Fail(Problem{platform::Utf8(target), 0, {}, fd.error().message});
  file.fd_ = *fd;
  file.buffer_.reserve(kFlushBytes + 4096);
  return file;
}

AtomicFile::AtomicFile(AtomicFile&& other) noexcept
    : fd_(other.fd_),
      target_(std::move(other.target_)),
      temporary_(std::move(other.temporary_)),
      buffer_(std::move(other.buffer_)),
      writeErrno_(other.writeErrno_),
      written_(other.written_),
      writingOutFrom_(other.writingOutFrom_),
      finished_(other.finished_) {
  other.fd_ = -1;
  other.temporary_.clear();
}

AtomicFile::~AtomicFile() { Discard(); }

void AtomicFile::Discard() {
  if (fd_ >= 0) platform::CloseFile(fd_);
  fd_ = -1;
  std::error_code ignored;
  if (!temporary_.empty()) fs::remove(temporary_, ignored);
  temporary_.clear();
}

void AtomicFile::Flush() {
  const char* data = buffer_.data();
  std::size_t left = buffer_.size();
  while (left > 0 && writeErrno_ == 0) {
    const long written = WriteSome(fd_, data, left);
    if (written < 0) {
      if (errno != EINTR) writeErrno_ = errno;
      continue;
    }
    data += written;
    left -= static_cast<std::size_t>(written);
    written_ += written;
  }
  buffer_.clear();
  if (written_ - writingOutFrom_ >= kWriteOutBytes) StartWritingOut();
}

void AtomicFile::StartWritingOut() {
  if (writeErrno_ != 0) return;
  platform::StartWritingOut(fd_);
  writingOutFrom_ = written_;
}

Expected<void> AtomicFile::Finish() {
  if (finished_) return {};
  if (fd_ < 0) return Fail(Problem{platform::Utf8(target_), 0, {}, "the file was already given up"});
  Flush();
  if (writingOutFrom_ > 0 && written_ > writingOutFrom_) StartWritingOut();
  if (!platform::CloseFile(fd_) && writeErrno_ == 0) writeErrno_ = errno;
  fd_ = -1;
  if (writeErrno_ != 0) {
    Problem problem{platform::Utf8(target_), 0, {}, std::strerror(writeErrno_)};
    Discard();
    return Fail(std::move(problem));
  }
  finished_ = true;
  std::string().swap(buffer_);  // a finished file waiting for its turn holds no buffer
  return {};
}

Expected<void> AtomicFile::Commit() {
  AtomicFile* self = this;
  return std::move(CommitTogether(std::span(&self, 1)).front());
}

namespace {

class SystemDurableSteps final : public DurableSteps {
 public:
  Expected<void> FlushData(const std::vector<fs::path>& files) override { return platform::FlushFilesData(files); }
  Expected<void> Replace(const fs::path& from, const fs::path& to) override { return platform::ReplaceWith(from, to); }
  Expected<void> FlushFolder(const fs::path& folder) override { return platform::FlushFolder(folder); }
};

}  // namespace

DurableSteps& SystemSteps() {
  static SystemDurableSteps steps;
  return steps;
}

std::vector<Expected<void>> CommitTogether(std::span<AtomicFile* const> files, DurableSteps& steps) {
  std::vector<Expected<void>> result;
  result.reserve(files.size());
  std::vector<fs::path> finished;
  for (AtomicFile* file : files) {
    result.push_back(file->Finish());
    if (result.back()) finished.push_back(file->temporary_);
  }
  if (finished.empty()) return result;
  // Renamed before its data is on the disk, a result could be found empty after a power cut.
  if (auto flushed = steps.FlushData(finished); !flushed) {
    for (std::size_t i = 0; i < files.size(); ++i) {
      if (!result[i]) continue;
      result[i] = Fail(Problem{platform::Utf8(files[i]->target_), 0, {},
                               "its data cannot be flushed to the disk: " + flushed.error().message});
      files[i]->Discard();
    }
    return result;
  }
  std::vector<fs::path> folders;
  for (std::size_t i = 0; i < files.size(); ++i) {
    AtomicFile& file = *files[i];
    if (!result[i]) continue;
    if (auto replaced = steps.Replace(file.temporary_, file.target_); !replaced) {
      std::string error = replaced.error().message;
      if (error.empty()) error = "the rename failed";
      file.Discard();
      result[i] = Fail(Problem{platform::Utf8(file.target_), 0, {}, std::move(error)});
      continue;
    }
    file.temporary_.clear();
    platform::AddFolderOnce(folders, file.target_.parent_path());
  }
  // The new names are in place; a folder that cannot be flushed leaves them there, as a
  // system without that call would, so its failure is no reason to report a result lost.
  for (const fs::path& folder : folders) (void)steps.FlushFolder(folder);
  return result;
}

BackgroundCommits::~BackgroundCommits() {
  if (thread_.joinable()) thread_.join();
}

// One thread per batch: a batch is a second or a thousand files, so the cost of starting
// a thread is lost in that of the flush.
void BackgroundCommits::Start(std::vector<AtomicFile*> files) {
  if (thread_.joinable()) thread_.join();
  std::lock_guard lock(mutex_);
  batch_ = std::move(files);
  placed_.clear();
  failure_ = nullptr;
  inHand_ = true;
  thread_ = std::thread([this] { Commit(); });
}

void BackgroundCommits::Commit() {
  std::vector<Expected<void>> placed;
  std::exception_ptr failure;
  try {
    placed = CommitTogether(batch_, steps_);
  } catch (...) {
    failure = std::current_exception();
  }
  std::lock_guard lock(mutex_);
  placed_ = std::move(placed);
  failure_ = failure;
  inHand_ = false;
}

bool BackgroundCommits::Done() {
  std::lock_guard lock(mutex_);
  return !inHand_;
}

std::vector<Expected<void>> BackgroundCommits::Wait() {
  if (thread_.joinable()) thread_.join();
  std::lock_guard lock(mutex_);
  batch_.clear();
  if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
  return std::exchange(placed_, {});
}

void RemoveStaleTemporaries(const fs::path& folder) {
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = platform::Utf8(it->path().filename());
    if (name.size() <= kTemporarySuffix.size() || !name.ends_with(kTemporarySuffix)) continue;
    // The pid stands between the last '.' before the suffix and the following '-'.
    const std::string_view stem(name.data(), name.size() - kTemporarySuffix.size());
    const auto dot = stem.rfind('.');
    const auto dash = stem.rfind('-');
    if (dot == std::string_view::npos || dash == std::string_view::npos || dash < dot) continue;
    long pid = 0;
    const auto [ptr, parsed] = std::from_chars(stem.data() + dot + 1, stem.data() + dash, pid);
    if (parsed != std::errc{} || ptr != stem.data() + dash || pid <= 0) continue;
    if (platform::ProcessRuns(pid)) continue;
    std::error_code ignored;
    fs::remove(it->path(), ignored);
  }
}

Expected<void> WriteWholeFile(const std::filesystem::path& path, std::string_view text) {
  auto file = AtomicFile::Create(path);
  if (!file) return Fail(file.error());
  file->Write(text);
  return file->Commit();
}

}  // namespace sorvane
