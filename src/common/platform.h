// What the program asks of the operating system, in one place: files opened by path,
// results put in place atomically, processes, the program's own path and its command
// line. platform_posix.cpp and platform_windows.cpp implement it; CMake builds the one
// for the system at hand, so no other file needs to know which system it runs on.
//
// Names are UTF-8 inside the program, on every system: file names from the command
// line, from lists and from folder listings are turned into paths with PathFromUtf8 and
// back with Utf8, never with path's own narrow conversion (the ANSI code page on Windows).
// Neither throws: on POSIX a name's bytes pass as they are, whatever they are; on Windows
// a byte that is not UTF-8 becomes U+FFFD (and names no file).
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/problem.h"

namespace sorvane::platform {

std::filesystem::path PathFromUtf8(std::string_view text);
std::string Utf8(const std::filesystem::path& path);

// Files are handled by C file descriptors in binary mode (no line-end translation) that
// child processes do not inherit. The functions that return a Problem say the system's
// reason in its message ("No such file or directory"), leaving its file to the caller,
// who names the file the user knows; the others set errno.

// A problem when `path` cannot be opened or is no ordinary file.
Expected<int> OpenForReading(const std::filesystem::path& path);
// A new file that did not exist before; a problem otherwise.
Expected<int> CreateNewFile(const std::filesystem::path& path);
// The file created, or emptied when it exists; a problem when it cannot be.
Expected<int> CreateOrEmptyFile(const std::filesystem::path& path);
// Bytes read or written, 0 at the end of the file, -1 on failure (errno).
long ReadSome(int fd, char* data, std::size_t size);
long WriteSome(int fd, const char* data, std::size_t size);
bool CloseFile(int fd);  // false (errno) when data could not be written out
// Lets the system start writing the data of `fd` to the disk now, without waiting for
// it, so that a later flush finds little left to write. Nothing where the system has no
// such call.
void StartWritingOut(int fd);

// Puts the closed file `from` in the place of `to` in one step: `to` is either the old
// file or the whole new one, never a mixture or missing. A problem when it cannot; `from`
// is then left where it was.
Expected<void> ReplaceWith(const std::filesystem::path& from, const std::filesystem::path& to);

// Adds `folder` to `folders` unless it is there, compared by the text of the paths and
// the last first: a batch's files mostly share one folder, and a folder written two ways
// is only flushed twice. True when added.
inline bool AddFolderOnce(std::vector<std::filesystem::path>& folders, std::filesystem::path folder) {
  for (auto it = folders.rbegin(); it != folders.rend(); ++it)
    if (it->native() == folder.native()) return false;
  folders.push_back(std::move(folder));
  return true;
}

// Asks the disk to hold the data of the closed files `files` before they are renamed.
// Many files cost one flush of their file system on Linux, one flush each elsewhere.
// A problem when a flush fails.
Expected<void> FlushFilesData(const std::vector<std::filesystem::path>& files);

// Asks the disk to hold the names of `folder` (an empty path: the current folder) after
// renames in it. A problem when it cannot; none where the system has no such step
// because its rename already holds the name (Windows writes it through).
Expected<void> FlushFolder(const std::filesystem::path& folder);

long ThisProcessId();
// Whether the process `pid` still runs (one that exists but is not ours counts too).
bool ProcessRuns(long pid);

// The running program's own path; `argv0` when the system cannot say.
std::filesystem::path ThisExecutable(const char* argv0);

// The command line as UTF-8 words, program name first.
std::vector<std::string> Arguments(int argc, char** argv);

// The value of an environment variable naming a folder; nullopt when unset or empty.
std::optional<std::filesystem::path> EnvironmentPath(const char* name);

// The per-user ApplicationFolder ($XDG_DATA_HOME/sorvane, ~/.local/share/sorvane, or
// %LOCALAPPDATA%\Sorvane), as it is written in help texts and as a path.
extern const std::string_view kPerUserAppFolderHelp;
std::optional<std::filesystem::path> PerUserAppFolder();

// Where the ApplicationFolder skeleton was installed with the program at `executable`.
std::filesystem::path InstalledSkeleton(const std::filesystem::path& executable);

// The program `name` beside `executable` (name.exe on Windows); nullopt when missing or
// not runnable.
std::optional<std::filesystem::path> ProgramBeside(const std::filesystem::path& executable, std::string_view name);

// Runs `program` with `words` (its own name first) in place of this process, ending it
// with the program's exit status. Returns only when the program cannot be started.
void RunInstead(const std::filesystem::path& program, const std::vector<std::string>& words);

}  // namespace sorvane::platform
