// A throw-away ApplicationFolder for one test: made empty (or copied from a folder of
// test data) under the system's temporary folder, and removed with the test.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>

#include "common/app_folder.h"

namespace sorvane::testing {

// The lines, each ended by CR LF, as every file of the program is written.
inline std::string Crlf(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (std::string_view line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

class TempAppFolder {
 public:
  TempAppFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "sorvane-test-XXXXXX").string();
    root_ = ::mkdtemp(pattern.data());
    for (const char* folder : {"data/PET_DATA", "data/COEFFI_DATA", "support", "OUTPUT"})
      std::filesystem::create_directories(root_ / folder);
  }
  // A copy of `source` (such as the bundled appfolder/).
  explicit TempAppFolder(const std::filesystem::path& source) : TempAppFolder() {
    std::filesystem::copy(source, root_,
                          std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
  }
  ~TempAppFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
  TempAppFolder(const TempAppFolder&) = delete;
  TempAppFolder& operator=(const TempAppFolder&) = delete;

  const std::filesystem::path& Root() const { return root_; }
  AppFolder Folder() const { return AppFolder(root_); }
  std::filesystem::path Path(std::string_view relative) const { return root_ / std::string(relative); }

  void Write(std::string_view relative, std::string_view text) const {
    const auto path = Path(relative);
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
  }
  std::string Read(std::string_view relative) const {
    std::ifstream in(Path(relative), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  bool Exists(std::string_view relative) const { return std::filesystem::exists(Path(relative)); }

 private:
  std::filesystem::path root_;
};

// The test data folder of one subsystem: tests/data/<name>.
inline std::filesystem::path TestData(std::string_view name) {
  return std::filesystem::path(SORVANE_SOURCE_DIR) / "tests" / "data" / std::string(name);
}

}  // namespace sorvane::testing
