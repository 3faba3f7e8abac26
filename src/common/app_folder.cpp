#include "common/app_folder.h"

#include <system_error>

#include "common/platform.h"
#include "common/text.h"

namespace sorvane {

namespace fs = std::filesystem;

fs::path ChildIgnoringCase(const fs::path& folder, std::string_view name) {
  fs::path exact = folder / platform::PathFromUtf8(name);
  std::error_code ec;
  if (fs::exists(exact, ec)) return exact;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (EqualsIgnoringCase(platform::Utf8(it->path().filename()), name)) return it->path();
  }
  return exact;
}

fs::path AppFolder::DataFileList() const { return root_ / "dir.txt"; }
fs::path AppFolder::PetData() const { return ChildIgnoringCase(ChildIgnoringCase(root_, "data"), "PET_DATA"); }
fs::path AppFolder::CoefficientData() const {
  return ChildIgnoringCase(ChildIgnoringCase(root_, "data"), "COEFFI_DATA");
}
fs::path AppFolder::Support() const { return ChildIgnoringCase(root_, "support"); }
fs::path AppFolder::Output() const { return ChildIgnoringCase(root_, "OUTPUT"); }
fs::path AppFolder::HeatIndexTable() const { return ChildIgnoringCase(Support(), "heat_index_data.csv"); }
fs::path AppFolder::CoefficientTable() const { return ChildIgnoringCase(Support(), "Coefficients.csv"); }
fs::path AppFolder::Scratch(std::string_view name) const { return root_ / platform::PathFromUtf8(name); }

Expected<fs::path> AppFolder::EnsureOutput() const {
  const fs::path output = Output();
  std::error_code ec;
  if (fs::is_directory(output, ec)) return output;
  if (fs::exists(output, ec))
    return Fail(Problem{Display(output), 0, {}, "a file stands where the results folder should be"});
  fs::create_directories(output, ec);
  if (ec) return Fail(Problem{Display(output), 0, {}, "the results folder cannot be made (" + ec.message() + ")"});
  return output;
}

std::string AppFolder::Display(const fs::path& path) const {
  const fs::path relative = path.lexically_relative(root_);
  if (relative.empty() || *relative.begin() == "..") return platform::Utf8(path);
  // '/' between folders on every system.
  return platform::Utf8(fs::path(relative.generic_string<fs::path::value_type>()));
}

fs::path SkeletonFolder(const fs::path& executable) { return platform::InstalledSkeleton(executable); }

// Only the skeleton's folders are copied: on Windows the skeleton is the program's own
// folder, which also holds the program and the results of its runs.
Expected<void> MakeAppFolder(const fs::path& target, const fs::path& executable) {
  const fs::path skeleton = SkeletonFolder(executable);
  std::error_code ec;
  if (!fs::is_directory(skeleton / "support", ec))
    return Fail(Problem{platform::Utf8(skeleton), 0, {}, "the ApplicationFolder skeleton is missing; reinstall the program"});
  fs::create_directories(target / "OUTPUT", ec);
  for (const char* folder : {"data", "support"}) {
    if (!ec)
      fs::copy(skeleton / folder, target / folder, fs::copy_options::recursive | fs::copy_options::skip_existing, ec);
  }
  if (ec) return Fail(Problem{platform::Utf8(target), 0, {}, "the ApplicationFolder cannot be made (" + ec.message() + ")"});
  return {};
}

Expected<fs::path> LocateAppFolder(const std::optional<fs::path>& explicitFolder, const fs::path& executable) {
  std::error_code ec;
  auto existing = [&](const fs::path& folder) -> Expected<fs::path> {
    if (fs::is_directory(folder, ec)) return folder;
    return Fail(Problem{platform::Utf8(folder), 0, {}, "no such ApplicationFolder (make one with 'sorvane-cli init DIR')"});
  };
  if (explicitFolder) return existing(*explicitFolder);
  if (auto home = platform::EnvironmentPath("SORVANE_HOME")) return existing(*home);
  const fs::path beside = executable.parent_path();
  if (!beside.empty() && fs::is_directory(ChildIgnoringCase(beside, "support"), ec)) return beside;
  const auto user = platform::PerUserAppFolder();
  if (!user) return Fail("no ApplicationFolder: set SORVANE_HOME or give --app-folder");
  if (!fs::is_directory(*user / "support", ec)) {
    if (auto made = MakeAppFolder(*user, executable); !made) return Fail(made.error());
  }
  return *user;
}

}  // namespace sorvane
