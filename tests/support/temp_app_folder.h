// A fresh ApplicationFolder in the temporary folder for one test (empty, or a copy of a
// folder of test data), removed with the test.
#pragma once

#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "common/app_folder.h"
#include "common/notices.h"

namespace sorvane::testing {

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
  std::filesystem::path Path(const std::filesystem::path& relative) const { return root_ / relative; }

  void Write(const std::filesystem::path& relative, std::string_view content) const {
    std::filesystem::create_directories(Path(relative).parent_path());
    std::ofstream(Path(relative), std::ios::binary) << content;
  }
  std::string Read(const std::filesystem::path& relative) const {
    std::ifstream in(Path(relative), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  bool Exists(const std::filesystem::path& relative) const { return std::filesystem::exists(Path(relative)); }

  // The names in a folder of the ApplicationFolder, sorted.
  std::vector<std::string> Names(const std::filesystem::path& relative) const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(Path(relative)))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  std::filesystem::path root_;
};

// The lines, each ended by CR LF, as every file of the program is written.
inline std::string Lines(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (auto line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

// The test data folder of one subsystem: tests/data/<name>.
inline std::filesystem::path TestData(std::string_view name) {
  return std::filesystem::path(SORVANE_TEST_DATA) / std::string(name);
}

inline std::vector<std::string> Texts(const std::vector<Notice>& notices) {
  std::vector<std::string> texts;
  for (const auto& notice : notices) texts.push_back(notice.text);
  return texts;
}

}  // namespace sorvane::testing
