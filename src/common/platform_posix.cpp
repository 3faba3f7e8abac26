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

int Open(const fs::path& path, int flags, std::string* error) {
  const int fd = ::open(path.c_str(), flags | O_CLOEXEC, 0666);
  if (fd < 0 && error) *error = std::strerror(errno);
  return fd;
}

}  // namespace

fs::path PathFromUtf8(std::string_view text) { return fs::path(text); }
std::string Utf8(const fs::path& path) { return path.native(); }

int OpenForReading(const fs::path& path, std::string* error) {
  const int fd = Open(path, O_RDONLY, error);
  if (fd < 0) return fd;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    if (error) *error = S_ISDIR(info.st_mode) ? "it is a folder, not a file" : "it is not an ordinary file";
    ::close(fd);
    return -1;
  }
  return fd;
}

int CreateNewFile(const fs::path& path, std::string* error) { return Open(path, O_WRONLY | O_CREAT | O_EXCL, error); }

int CreateOrEmptyFile(const fs::path& path, std::string* error) {
  return Open(path, O_WRONLY | O_CREAT | O_TRUNC, error);
}

long ReadSome(int fd, char* data, std::size_t size) { return ::read(fd, data, size); }
long WriteSome(int fd, const char* data, std::size_t size) { return ::write(fd, data, size); }
bool CloseFile(int fd) { return ::close(fd) == 0; }

void StartWritingOut([[maybe_unused]] int fd) {
#if defined(__linux__)
  ::sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WRITE);  // a hint: its failure changes nothing
#endif
}

bool ReplaceWith(const fs::path& from, const fs::path& to, std::string* error) {
  if (::rename(from.c_str(), to.c_str()) == 0) return true;
  if (error) *error = std::strerror(errno);
  return false;
}

namespace {

// Runs `flush` on a descriptor of `path` opened for it. False (and `error`) when either fails.
template <typename Flush>
bool FlushOpened(const fs::path& path, int flags, Flush flush, std::string* error) {
  const int fd = ::open(path.empty() ? "." : path.c_str(), flags | O_CLOEXEC);
  if (fd < 0) {
    if (error) *error = std::strerror(errno);
    return false;
  }
  const bool flushed = flush(fd) == 0;
  if (!flushed && error) *error = std::strerror(errno);
  ::close(fd);
  return flushed;
}

}  // namespace

bool FlushFilesData(const std::vector<fs::path>& files, std::string* error) {
  if (files.size() == 1) return FlushOpened(files.front(), O_WRONLY, ::fdatasync, error);
#if defined(__linux__)
  // syncfs writes every file of the file system at once (and reports their write
  // errors since Linux 5.8): one flush for a whole batch, once per folder of the batch.
  std::vector<fs::path> folders;
  for (const fs::path& file : files) {
    fs::path folder = file.parent_path();
    if (std::find(folders.begin(), folders.end(), folder) != folders.end()) continue;
    if (!FlushOpened(folder, O_RDONLY | O_DIRECTORY, ::syncfs, error)) return false;
    folders.push_back(std::move(folder));
  }
  return true;
#else
  return std::all_of(files.begin(), files.end(),
                     [error](const fs::path& file) { return FlushOpened(file, O_WRONLY, ::fsync, error); });
#endif
}

bool FlushFolder(const fs::path& folder, std::string* error) {
  return FlushOpened(folder, O_RDONLY | O_DIRECTORY, ::fsync, error);
}

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
