#include "common/atomic_file.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstring>

namespace sorvane {

namespace fs = std::filesystem;

namespace {

std::atomic<unsigned long> temporaryCounter{0};
std::atomic<long long> writeBudgetForTesting{-1};

// ".STN1_PET.csv.<pid>-<n>.sorvane-tmp": hidden, beside its target, and naming the
// process that writes it so a later run can tell a leftover from a file in use.
fs::path TemporaryFor(const fs::path& target) {
  std::string name = "." + target.filename().string() + "." + std::to_string(::getpid()) + "-" +
                     std::to_string(temporaryCounter.fetch_add(1)) + std::string(kTemporarySuffix);
  return target.parent_path() / name;
}

ssize_t WriteSome(int fd, const char* data, std::size_t size) {
  long long budget = writeBudgetForTesting.load();
  if (budget >= 0) {
    if (budget == 0) {
      errno = ENOSPC;
      return -1;
    }
    size = std::min<std::size_t>(size, static_cast<std::size_t>(budget));
    writeBudgetForTesting.fetch_sub(static_cast<long long>(size));
  }
  return ::write(fd, data, size);
}

}  // namespace

void AtomicFile::LimitWritesForTesting(long long bytes) { writeBudgetForTesting.store(bytes); }

std::optional<AtomicFile> AtomicFile::Create(const fs::path& target, std::string* error) {
  AtomicFile file;
  file.target_ = target;
  file.temporary_ = TemporaryFor(target);
  file.fd_ = ::open(file.temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (file.fd_ < 0) {
    if (error) *error = std::strerror(errno);
    return std::nullopt;
  }
  file.buffer_.reserve(kFlushBytes + 4096);
  return std::optional<AtomicFile>(std::move(file));
}

AtomicFile::AtomicFile(AtomicFile&& other) noexcept
    : fd_(other.fd_),
      target_(std::move(other.target_)),
      temporary_(std::move(other.temporary_)),
      buffer_(std::move(other.buffer_)),
      writeErrno_(other.writeErrno_),
      finished_(other.finished_) {
  other.fd_ = -1;
  other.temporary_.clear();
}

AtomicFile::~AtomicFile() { Discard(); }

void AtomicFile::Discard() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
  temporary_.clear();
}

void AtomicFile::Flush() {
  const char* data = buffer_.data();
  std::size_t left = buffer_.size();
  while (left > 0 && writeErrno_ == 0) {
    const ssize_t written = WriteSome(fd_, data, left);
    if (written < 0) {
      if (errno != EINTR) writeErrno_ = errno;
      continue;
    }
    data += written;
    left -= static_cast<std::size_t>(written);
  }
  buffer_.clear();
}

bool AtomicFile::Finish(std::string* error) {
  if (finished_) return true;
  if (fd_ < 0) {
    if (error) *error = "the file was already given up";
    return false;
  }
  Flush();
  if (::close(fd_) != 0 && writeErrno_ == 0) writeErrno_ = errno;
  fd_ = -1;
  if (writeErrno_ != 0) {
    if (error) *error = std::strerror(writeErrno_);
    Discard();
    return false;
  }
  finished_ = true;
  std::string().swap(buffer_);  // a finished file waiting for its turn holds no buffer
  return true;
}

bool AtomicFile::Commit(std::string* error) {
  if (!Finish(error)) return false;
  if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
    if (error) *error = std::strerror(errno);
    Discard();
    return false;
  }
  temporary_.clear();
  return true;
}

void RemoveStaleTemporaries(const fs::path& folder) {
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.size() <= kTemporarySuffix.size() || !name.ends_with(kTemporarySuffix)) continue;
    // The pid stands between the last '.' before the suffix and the following '-'.
    const std::string_view stem(name.data(), name.size() - kTemporarySuffix.size());
    const auto dot = stem.rfind('.');
    const auto dash = stem.rfind('-');
    if (dot == std::string_view::npos || dash == std::string_view::npos || dash < dot) continue;
    long pid = 0;
    const auto [ptr, parsed] = std::from_chars(stem.data() + dot + 1, stem.data() + dash, pid);
    if (parsed != std::errc{} || ptr != stem.data() + dash || pid <= 0) continue;
    if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM) continue;  // still running
    std::error_code ignored;
    fs::remove(it->path(), ignored);
  }
}

}  // namespace sorvane
