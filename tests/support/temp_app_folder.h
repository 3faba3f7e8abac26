// A fresh ApplicationFolder in the temporary folder for one test, removed afterwards.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "common/notices.h"

namespace sorvane::testing {

class TempAppFolder {
 public:
  TempAppFolder() {
    static int counter = 0;
    root_ = std::filesystem::temp_directory_path() /
            ("sorvane_test_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
    std::filesystem::remove_all(root_);
    for (const char* folder : {"data/PET_DATA", "data/COEFFI_DATA", "support", "OUTPUT"})
      std::filesystem::create_directories(root_ / folder);
  }
  ~TempAppFolder() { std::filesystem::remove_all(root_); }
  TempAppFolder(const TempAppFolder&) = delete;

  const std::filesystem::path& Root() const { return root_; }

  void Write(const std::filesystem::path& relative, std::string_view content) const {
    std::filesystem::create_directories((root_ / relative).parent_path());
    std::ofstream(root_ / relative, std::ios::binary) << content;
  }
  std::string Read(const std::filesystem::path& relative) const {
    std::ifstream in(root_ / relative, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  bool Exists(const std::filesystem::path& relative) const { return std::filesystem::exists(root_ / relative); }

  // The names in a folder of the ApplicationFolder, sorted.
  std::vector<std::string> Names(const std::filesystem::path& relative) const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(root_ / relative))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  std::filesystem::path root_;
};

// Lines joined with CR LF, each line ended.
inline std::string Lines(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (auto line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

inline std::vector<std::string> Texts(const std::vector<Notice>& notices) {
  std::vector<std::string> texts;
  for (const auto& notice : notices) texts.push_back(notice.text);
  return texts;
}

}  // namespace sorvane::testing
