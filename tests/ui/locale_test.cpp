// The window under a language whose decimal separator is a comma. QApplication takes the
// whole locale from the environment; the program puts the numeric part back to "C", so a
// PET run from the window writes the very bytes it writes anywhere else.
//
// The German locale is the one the test run made (found through LOCPATH), set before the
// QApplication reads the environment.
#include <QtTest>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <map>

#include "common/app_folder.h"
#include "common/notices.h"
#include "jobs/pet_job.h"
#include "ui/qt/app_setup.h"
#include "ui_test_support.h"

using namespace sorvane;
using namespace sorvane::ui::testing;

namespace fs = std::filesystem;

namespace {

struct LocaleAtStart {
  bool made = false;               // localedef made de_DE.UTF-8
  std::string numericAfterQtStart; // LC_NUMERIC once QApplication was built
  std::string decimalPointAfterQtStart;
};
LocaleAtStart localeAtStart;

// Every file of OUTPUT, by name.
std::map<std::string, std::string> OutputFiles(const AppFolderCopy& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::directory_iterator(folder.Root() / "OUTPUT")) {
    const std::string name = entry.path().filename().string();
    if (!name.starts_with(".")) files[name] = folder.Read("OUTPUT/" + name);
  }
  return files;
}

}  // namespace

class LocaleTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    if (!localeAtStart.made) QSKIP("localedef could not make de_DE.UTF-8 (Debian package 'locales')");
  }
  void qtTakesTheCommaLocale();
  void numbersKeepTheirPoint();
  void petRunFromTheWindowWritesTheSameBytes();
};

void LocaleTest::qtTakesTheCommaLocale() {
  QCOMPARE(localeAtStart.numericAfterQtStart, std::string("de_DE.UTF-8"));
  QCOMPARE(localeAtStart.decimalPointAfterQtStart, std::string(","));
}

void LocaleTest::numbersKeepTheirPoint() {
  QCOMPARE(std::string(std::setlocale(LC_NUMERIC, nullptr)), std::string("C"));
  QCOMPARE(std::string(std::localeconv()->decimal_point), std::string("."));
  QCOMPARE(std::string(std::setlocale(LC_CTYPE, nullptr)), std::string("de_DE.UTF-8"));  // the rest stays German
}

void LocaleTest::petRunFromTheWindowWritesTheSameBytes() {
  // The reference: the core alone, everything in the "C" locale.
  AppFolderCopy reference;
  {
    const std::string all = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "C");
    reference.Write("dir.txt", "KESTREL.csv\r\nKESTREL_LOGGER.csv\r\nKESTREL_MONTHLY.csv\r\nKESTREL_WEEKLY.csv\r\n");
    CollectedNotices notices;
    RunPetJob("KESTREL.csv", AppFolder(reference.Root()), notices);
    std::setlocale(LC_ALL, all.c_str());
  }
  QCOMPARE(std::string(std::setlocale(LC_NUMERIC, nullptr)), std::string("C"));

  WindowUnderTest ui;
  ui.PickModule(QStringLiteral("Sorvane"));
  ui.BrowseAnswering(ui.folder.Path("data/PET_DATA/KESTREL.csv"));
  ui.Click("pet");
  QCOMPARE(ui.presenter.texts.last(), QStringLiteral("          JOB END               "));

  const auto expected = OutputFiles(reference);
  const auto written = OutputFiles(ui.folder);
  QCOMPARE(expected.size(), std::size_t{4});
  QCOMPARE(written.size(), expected.size());
  for (const auto& [name, bytes] : expected) {
    QVERIFY2(written.count(name) == 1, name.c_str());
    QVERIFY2(written.at(name) == bytes, name.c_str());
  }
}

int main(int argc, char** argv) {
  const fs::path locales = SORVANE_TEST_LOCALES;
  localeAtStart.made = fs::exists(locales / "de_DE.UTF-8" / "LC_NUMERIC");
  ::setenv("LOCPATH", locales.c_str(), 1);
  ::setenv("LC_ALL", "de_DE.UTF-8", 1);

  QApplication app(argc, argv);
  localeAtStart.numericAfterQtStart = std::setlocale(LC_NUMERIC, nullptr);
  localeAtStart.decimalPointAfterQtStart = std::localeconv()->decimal_point;
  sorvane::ui::SetUpApplication();

  LocaleTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "locale_test.moc"
