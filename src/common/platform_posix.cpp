// The platform layer on Linux and other POSIX systems.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "common/platform.h"

namespace sorvane::platform {

namespace fs = std::filesystem;

namespace {

Expected<int> Open(const fs::path& path, int flags) {
  const int fd = ::open(path.c_str(), flags | O_CLOEXEC, 0666);
  if (fd < 0) return Fail(std::strerror(errno));
  return fd;
}

}  // namespace

fs::path PathFromUtf8(std::string_view text) { return fs::path(text); }
std::string Utf8(const fs::path& path) { return path.native(); }

Expected<int> OpenForReading(const fs::path& path) {
  auto fd = Open(path, O_RDONLY);
  if (!fd) return fd;
  struct stat info {};
  if (::fstat(*fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(*fd);
    return Fail(S_ISDIR(info.st_mode) ? "it is a folder, not a file" : "it is not an ordinary file");
  }
  return fd;
}

Expected<int> CreateNewFile(const fs::path& path) { return Open(path, O_WRONLY | O_CREAT | O_EXCL); }

Expected<int> CreateOrEmptyFile(const fs::path& path) { return Open(path, O_WRONLY | O_CREAT | O_TRUNC); }

long ReadSome(int fd, char* data, std::size_t size) { return ::read(fd, data, size); }
long WriteSome(int fd, const char* data, std::size_t size) { return ::write(fd, data, size); }
bool CloseFile(int fd) { return ::close(fd) == 0; }

void StartWritingOut([[maybe_unused]] int fd) {
#if defined(__linux__)
  ::sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WRITE);  // a hint: its failure changes nothing
#endif
}

Expected<void> ReplaceWith(const fs::path& from, const fs::path& to) {
  if (::rename(from.c_str(), to.c_str()) == 0) return {};
  return Fail(std::strerror(errno));
}

namespace {

// Runs `flush` on a descriptor of `path` opened for it. A problem when either fails.
template <typename Flush>
Expected<void> FlushOpened(const fs::path& path, int flags, Flush flush) {
  const int fd = ::open(path.empty() ? "." : path.c_str(), flags | O_CLOEXEC);
  if (fd < 0) return Fail(std::strerror(errno));
  const bool flushed = flush(fd) == 0;
  const int flushErrno = errno;
  ::close(fd);
  if (!flushed) return Fail(std::strerror(flushErrno));
  return {};
}

}  // namespace

Expected<void> FlushFilesData(const std::vector<fs::path>& files) {
  if (files.size() == 1) return FlushOpened(files.front(), O_WRONLY, ::fdatasync);
#if defined(__linux__)
  // syncfs writes every file of the file system at once (and reports their write
  // errors since Linux 5.8): one flush for a whole batch, once per folder of the batch.
  std::vector<fs::path> folders;
  for (const fs::path& file : files) {
    if (!AddFolderOnce(folders, file.parent_path())) continue;
    if (auto flushed = FlushOpened(folders.back(), O_RDONLY | O_DIRECTORY, ::syncfs); !flushed) return flushed;
  }
  return {};
#else
  for (const fs::path& file : files) {
    if (auto flushed = FlushOpened(file, O_WRONLY, ::fsync); !flushed) return flushed;
  }
  return {};
#endif
}

Expected<void> FlushFolder(const fs::path& folder) { return FlushOpened(folder, O_RDONLY | O_DIRECTORY, ::fsync); }

long ThisProcessId() { return static_cast<long>(::getpid()); }

bool ProcessRuns(long pid) { return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM; }

fs::path ThisExecutable(const char* argv0) {
  std::error_code ec;
  auto self = fs::read_symlink("/proc/self/exe", ec);
  return ec ? fs::absolute(argv0) : self;
}

std::vector<std::string> Arguments(int argc, char** argv) { return std::vector<std::string>(argv, argv + argc); }

std::optional<fs::path> EnvironmentPath(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value == '\0') return std::nullopt;
  return fs::path(value);
}

const std::string_view kPerUserAppFolderHelp = "$XDG_DATA_HOME/sorvane (default ~/.local/share/sorvane)";

std::optional<fs::path> PerUserAppFolder() {
  if (auto xdg = EnvironmentPath("XDG_DATA_HOME")) return *xdg / "sorvane";
  if (auto home = EnvironmentPath("HOME")) return *home / ".local" / "share" / "sorvane";
  return std::nullopt;
}

// SORVANE_SKELETON_INSTALL_DIR is relative to the folder the programs install in, so an
// unpacked package and an install under any prefix find their own; a build tree, whose
// programs stand at its top, keeps it at SORVANE_SKELETON_BUILD_DIR beside them.
fs::path InstalledSkeleton(const fs::path& executable) {
  const fs::path folder = executable.parent_path();
  fs::path installed = (folder / SORVANE_SKELETON_INSTALL_DIR).lexically_normal();
  std::error_code ec;
  if (fs::is_directory(installed / "support", ec)) return installed;
  const fs::path built = folder / SORVANE_SKELETON_BUILD_DIR;
  return fs::is_directory(built / "support", ec) ? built : installed;
}

std::optional<fs::path> ProgramBeside(const fs::path& executable, std::string_view name) {
  fs::path program = executable.parent_path() / fs::path(name);
  if (::access(program.c_str(), X_OK) != 0) return std::nullopt;
  return program;
}

void RunInstead(const fs::path& program, const std::vector<std::string>& words) {
  std::vector<std::string> copies = words;
  std::vector<char*> argv;
  for (auto& word : copies) argv.push_back(word.data());
  argv.push_back(nullptr);
  ::execv(program.c_str(), argv.data());
}

}  // namespace sorvane::platform
