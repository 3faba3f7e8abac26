// The ApplicationFolder: every path the program reads or writes is this folder plus a
// fixed relative path. Folder names are matched without regard to case, so "output"
// and "OUTPUT" name one folder on Linux too.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "common/problem.h"

namespace sorvane {

// `folder`/`name` when it exists; otherwise the entry of `folder` whose name equals
// `name` without regard to case; otherwise `folder`/`name` as given.
std::filesystem::path ChildIgnoringCase(const std::filesystem::path& folder, std::string_view name);

class AppFolder {
 public:
  explicit AppFolder(std::filesystem::path root) : root_(std::move(root)) {}

  const std::filesystem::path& Root() const { return root_; }
  std::filesystem::path DataFileList() const;    // dir.txt
  std::filesystem::path PetData() const;         // data/PET_DATA
  std::filesystem::path CoefficientData() const; // data/COEFFI_DATA
  std::filesystem::path Support() const;         // support
  std::filesystem::path Output() const;          // OUTPUT
  std::filesystem::path HeatIndexTable() const;  // support/heat_index_data.csv
  std::filesystem::path CoefficientTable() const;// support/Coefficients.csv
  std::filesystem::path Scratch(std::string_view name) const;  // out.txt, temp.txt, tmp.txt

  // The OUTPUT folder, made when it is missing; a problem when it cannot be made or a
  // file stands in its place.
  Expected<std::filesystem::path> EnsureOutput() const;

  // How a path is named in notices: relative to the ApplicationFolder when inside it.
  std::string Display(const std::filesystem::path& path) const;

 private:
  std::filesystem::path root_;
};

// Where the ApplicationFolder is: `explicitFolder` (--app-folder), else $SORVANE_HOME,
// else the folder of the executable when it holds support/, else the per-user folder
// ($XDG_DATA_HOME/sorvane, default ~/.local/share/sorvane), made from the installed
// skeleton on first use. A problem, naming the folder it concerns, when none can be had.
Expected<std::filesystem::path> LocateAppFolder(const std::optional<std::filesystem::path>& explicitFolder,
                                                const std::filesystem::path& executable);

// Makes a fresh ApplicationFolder at `target` from the skeleton installed with the
// program at `executable`; files that already exist there are kept. A problem, naming
// the skeleton or the target, when it cannot.
Expected<void> MakeAppFolder(const std::filesystem::path& target, const std::filesystem::path& executable);

// The skeleton installed with the program at `executable` (share/sorvane/appfolder beside
// its bin folder, or beside the program itself in a build tree); never the folder the
// program was built from, which a copied or installed program must not depend on.
std::filesystem::path SkeletonFolder(const std::filesystem::path& executable);

}  // namespace sorvane
