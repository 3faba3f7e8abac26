// The platform layer on Windows: wide (UTF-16) file names, files in binary mode, and
// the program's command line taken as UTF-16 so that every name reaches it intact.
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#include <shellapi.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <system_error>

#include "common/platform.h"

namespace sorvane::platform {

namespace fs = std::filesystem;

namespace {

Expected<int> Open(const fs::path& path, int flags) {
  const int fd = ::_wopen(path.c_str(), flags | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
  if (fd < 0) return Fail(std::strerror(errno));
  return fd;
}

std::string SystemMessage(DWORD code) {
  return std::system_category().message(static_cast<int>(code));
}

}  // namespace

fs::path PathFromUtf8(std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  std::wstring wide(::MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()));
  return fs::path(std::move(wide));
}

std::string Utf8(const fs::path& path) {
  const std::wstring& wide = path.native();
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  std::string text(::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, text.data(), static_cast<int>(text.size()), nullptr, nullptr);
  return text;
}

Expected<int> OpenForReading(const fs::path& path) {
  std::error_code ec;
  if (fs::is_directory(path, ec)) return Fail("it is a folder, not a file");
  auto fd = Open(path, _O_RDONLY);
  if (!fd) return fd;
  struct _stat64 info {};
  if (::_fstat64(*fd, &info) != 0 || (info.st_mode & _S_IFMT) != _S_IFREG) {
    ::_close(*fd);
    return Fail("it is not an ordinary file");
  }
  return fd;
}

Expected<int> CreateNewFile(const fs::path& path) { return Open(path, _O_WRONLY | _O_CREAT | _O_EXCL); }

Expected<int> CreateOrEmptyFile(const fs::path& path) { return Open(path, _O_WRONLY | _O_CREAT | _O_TRUNC); }

// The C runtime counts in unsigned int: larger requests are cut to 1 GiB, and the
// callers' loops ask again for the rest.
long ReadSome(int fd, char* data, std::size_t size) {
  return ::_read(fd, data, static_cast<unsigned>(std::min<std::size_t>(size, std::size_t{1} << 30)));
}
long WriteSome(int fd, const char* data, std::size_t size) {
  return ::_write(fd, data, static_cast<unsigned>(std::min<std::size_t>(size, std::size_t{1} << 30)));
}
bool CloseFile(int fd) { return ::_close(fd) == 0; }

// FlushFileBuffers has no asynchronous form: the flush before the rename writes it all.
void StartWritingOut(int) {}

Expected<void> ReplaceWith(const fs::path& from, const fs::path& to) {
  if (::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return {};
  return Fail(SystemMessage(::GetLastError()));
}

// Windows has no flush of a whole volume for ordinary users: each file is flushed.
Expected<void> FlushFilesData(const std::vector<fs::path>& files) {
  for (const fs::path& file : files) {
    HANDLE handle = ::CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    const bool flushed = handle != INVALID_HANDLE_VALUE && ::FlushFileBuffers(handle);
    const DWORD code = flushed ? 0 : ::GetLastError();
    if (handle != INVALID_HANDLE_VALUE) ::CloseHandle(handle);
    if (!flushed) return Fail(SystemMessage(code));
  }
  return {};
}

// ReplaceWith's MOVEFILE_WRITE_THROUGH returns only once the new name is on the disk.
Expected<void> FlushFolder(const fs::path&) { return {}; }

long ThisProcessId() { return static_cast<long>(::GetCurrentProcessId()); }

bool ProcessRuns(long pid) {
  HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
  if (process == nullptr) return ::GetLastError() == ERROR_ACCESS_DENIED;
  DWORD status = 0;
  const bool runs = ::GetExitCodeProcess(process, &status) && status == STILL_ACTIVE;
  ::CloseHandle(process);
  return runs;
}

fs::path ThisExecutable(const char* argv0) {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return fs::absolute(PathFromUtf8(argv0));
    if (length < path.size()) {
      path.resize(length);
      return fs::path(path);
    }
    path.resize(path.size() * 2);
  }
}

std::vector<std::string> Arguments(int argc, char** argv) {
  int count = 0;
  wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (wide == nullptr) return std::vector<std::string>(argv, argv + argc);
  std::vector<std::string> words;
  for (int i = 0; i < count; ++i) words.push_back(Utf8(fs::path(wide[i])));
  ::LocalFree(wide);
  // UTF-8 on the console too, so that names outside the ANSI code page print as they are.
  ::SetConsoleOutputCP(CP_UTF8);
  return words;
}

std::optional<fs::path> EnvironmentPath(const char* name) {
  const wchar_t* value = ::_wgetenv(PathFromUtf8(name).c_str());
  if (value == nullptr || *value == L'\0') return std::nullopt;
  return fs::path(value);
}

const std::string_view kPerUserAppFolderHelp = "%LOCALAPPDATA%\\Sorvane";

std::optional<fs::path> PerUserAppFolder() {
  if (auto local = EnvironmentPath("LOCALAPPDATA")) return *local / "Sorvane";
  return std::nullopt;
}

// The zip for Windows holds the skeleton beside the program.
fs::path InstalledSkeleton(const fs::path& executable) { return executable.parent_path(); }

std::optional<fs::path> ProgramBeside(const fs::path& executable, std::string_view name) {
  fs::path program = executable.parent_path() / PathFromUtf8(std::string(name) + ".exe");
  std::error_code ec;
  if (!fs::is_regular_file(program, ec)) return std::nullopt;
  return program;
}

// Windows has no exec: the program runs as a child, and this process ends with its
// status once it has finished.
void RunInstead(const fs::path& program, const std::vector<std::string>& words) {
  std::wstring commandLine;
  for (const auto& word : words) {
    if (!commandLine.empty()) commandLine += L' ';
    commandLine += L'"';
    std::size_t backslashes = 0;
    const std::wstring wide = PathFromUtf8(word).native();
    for (const wchar_t c : wide) {
      if (c == L'\\') {
        ++backslashes;
        continue;
      }
      // Backslashes before a quote are doubled, and the quote escaped, as CommandLineToArgvW reads them.
      commandLine.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
      backslashes = 0;
      commandLine += c;
    }
    commandLine.append(2 * backslashes, L'\\');
    commandLine += L'"';
  }
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION child{};
  if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &child))
    return;
  ::CloseHandle(child.hThread);
  ::WaitForSingleObject(child.hProcess, INFINITE);
  DWORD status = 2;
  ::GetExitCodeProcess(child.hProcess, &status);
  ::CloseHandle(child.hProcess);
  std::exit(static_cast<int>(status));
}

}  // namespace sorvane::platform
