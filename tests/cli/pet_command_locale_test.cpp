// Numbers are read and written the same under any locale: a German desktop (decimal
// comma) must give byte-identical result files.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

#include "jobs/pet_job.h"
#include "support/run_program.h"
#include "support/temp_app_folder.h"

namespace sorvane {
namespace {

namespace fs = std::filesystem;
using testing::RunProgram;
using testing::TempAppFolder;

// The comma-decimal locale the test run made (the GermanLocale fixture); nullopt when
// the machine could not make one.
std::optional<fs::path> GermanLocaleFolder() {
  const fs::path folder = SORVANE_TEST_LOCALES;
  if (!fs::exists(folder / "de_DE.UTF-8" / "LC_NUMERIC")) return std::nullopt;
  return folder;
}

std::map<std::string, std::string> Results(const TempAppFolder& app) {
  std::map<std::string, std::string> files;
  for (const auto& name : app.Names("OUTPUT"))
    if (name.ends_with("_PET.csv")) files[name] = app.Read("OUTPUT/" + name);
  return files;
}

void CopySampleData(const TempAppFolder& app) {
  fs::copy(fs::path(SORVANE_SOURCE_DIR) / "appfolder", app.Root(),
           fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

TEST(Locale, TheCommandLineWritesTheSameFilesUnderADecimalCommaLocale) {
  const auto locales = GermanLocaleFolder();
  ASSERT_TRUE(locales) << "localedef could not make de_DE.UTF-8";
  TempAppFolder plain, german;
  CopySampleData(plain);
  CopySampleData(german);
  ASSERT_EQ(RunProgram(SORVANE_CLI, {"--app-folder", plain.Root().string(), "pet"}).exitStatus, 0);
  const auto run = RunProgram(SORVANE_CLI, {"--app-folder", german.Root().string(), "pet"},
                              {"LOCPATH=" + locales->string(), "LC_ALL=de_DE.UTF-8", "LANG=de_DE.UTF-8"});
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(Results(german), Results(plain));
  EXPECT_EQ(Results(plain).size(), 4u);  // daily, weekly, monthly, and the daily file with faults
}

// The core itself, inside a process whose C locale has been switched to German, as a
// Qt window's process is.
TEST(Locale, TheCoreIgnoresTheProcessLocale) {
  const auto locales = GermanLocaleFolder();
  ASSERT_TRUE(locales) << "localedef could not make de_DE.UTF-8";
  TempAppFolder plain, german;
  CopySampleData(plain);
  CopySampleData(german);
  CollectedNotices notices;
  ProcessPetFiles(NamesGiven(DataFilesIn(AppFolder(plain.Root()).PetData())), AppFolder(plain.Root()), notices, {});

  ::setenv("LOCPATH", locales->c_str(), 1);
  ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr);
  EXPECT_EQ(std::strtod("29.6", nullptr), 29);  // the locale really reads a decimal comma
  ProcessPetFiles(NamesGiven(DataFilesIn(AppFolder(german.Root()).PetData())), AppFolder(german.Root()), notices, {});
  std::setlocale(LC_ALL, "C");
  EXPECT_EQ(Results(german), Results(plain));
}

}  // namespace
}  // namespace sorvane
