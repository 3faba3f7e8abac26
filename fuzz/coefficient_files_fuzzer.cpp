// Any bytes as one file of the coefficient generator or the adjuster, in a scratch
// ApplicationFolder whose other files are good: the CoefficientTable, a StationList, a
// CoefficientFile or a PetResultFile, as SORVANE_FUZZ_ROLE says. The whole job runs,
// as the window's button would run it.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "jobs/adjust_job.h"
#include "coefficients/coefficient_table.h"
#include "jobs/coefficient_job.h"

namespace {

namespace fs = std::filesystem;

enum class Role { Table, StationList, CoefficientFile, PetResult };
constexpr Role kRole = static_cast<Role>(SORVANE_FUZZ_ROLE);

const char* kTable =
    "Station,Latitude,Longitude,Hargreaves,,Turc,\r\n,,,Intercept,Slope,Intercept,Slope\r\n"
    "A,10,70,0.5,0.9,-0.2,1.1\r\nB,20,80,-0.5,1.1,0.3,0.8\r\n";
const char* kStationList = "Station   ,Lat  ,Lon\r\nSTN1,14.41,77.37\r\nSTN2,15,76\r\n&\r\n";
const char* kCoefficientFile = "Station,Latitude,Longitude,Hargreaves,,Turc,\r\n,,,Intercept,Slope,Intercept,Slope\r\n"
                               "STN1,14.41,77.37,.5,.8,-1,.5\r\n";
const char* kPetResult = "Date,Hargreaves,Turc\r\n01/01/1970,4.75,3.70\r\n01/02/1970,,.0\r\n";

struct NoNotices : sorvane::Notices {
  void Show(const sorvane::Notice&) override {}
};

// Kept for the whole process (never destroyed), so the exit handler can still use it.
const fs::path& ScratchFolder() {
  static const fs::path* folder = [] {
    const fs::path base = fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    auto* path = new fs::path(base / ("sorvane-fuzz-" + std::to_string(::getpid())));
    std::atexit([] { std::error_code ignored; fs::remove_all(ScratchFolder(), ignored); });
    return path;
  }();
  return *folder;
}

void Write(const fs::path& path, std::string_view content) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary).write(content.data(), static_cast<std::streamsize>(content.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace sorvane;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const fs::path& root = ScratchFolder();
  std::error_code ignored;
  fs::remove_all(root, ignored);
  Write(root / "support/Coefficients.csv", kRole == Role::Table ? input : kTable);
  Write(root / "data/COEFFI_DATA/list.csv", kRole == Role::StationList ? input : kStationList);
  Write(root / "OUTPUT/STN1_COEFFI.csv", kRole == Role::CoefficientFile ? input : kCoefficientFile);
  Write(root / "OUTPUT/STN1_PET.csv", kRole == Role::PetResult ? input : kPetResult);

  const AppFolder folder(root);
  NoNotices notices;
  if (kRole == Role::Table || kRole == Role::StationList) {
    (void)ReadMethodNamesForList(folder);
    ProcessStationLists(NamesGiven({"list.csv"}), {true, true, false, true}, folder, notices);
  } else {
    AdjustPetResults((root / "OUTPUT/STN1_COEFFI.csv").string(), folder, notices);
    // Nothing the adjuster writes may land outside the ApplicationFolder.
    for (const auto& entry : fs::directory_iterator(root.parent_path()))
      if (entry.path().filename().string().find("_PET_ADJ") != std::string::npos) std::abort();
  }
  return 0;
}
