// The Browse button as a user meets it: the file dialog it shows, the DataFileList it
// writes and the method list it fills, per module view. Widgets are found by their
// object names and driven with the mouse and keyboard.
#include <QtTest>
#include <filesystem>

#include "ui_test_support.h"

using namespace sorvane::ui;
using namespace sorvane::ui::testing;

namespace {

// The method names of line 1 of a coefficient table: every other field after the first three.
QStringList MethodNamesOfTable(const std::string& table) {
  const QString line1 = QString::fromStdString(table.substr(0, table.find_first_of("\r\n")));
  const QStringList fields = line1.split(QLatin1Char(','));
  QStringList names;
  for (qsizetype i = 3; i < fields.size(); i += 2) names << fields[i].trimmed();
  return names;
}

std::string SortedFileList(const std::vector<std::string>& names) {
  std::string list;
  for (const auto& name : names) list += name + "\r\n";
  return list;
}

}  // namespace

class BrowseTest : public QObject {
  Q_OBJECT

 private slots:
  void typingAModuleNameChangesNoView();

  void browseBeforeChoosingAModuleOnlySetsText1();
  void browseWritesTheDataFileList_data();
  void browseWritesTheDataFileList();
  void cancelledFirstBrowseListsTheStartFolder();
  void cancelledBrowseKeepsThePreviousName();
  void browseFillsTheMethodList();
  void browseAgainClearsTheMarks();
  void browseInAdjusterViewChangesText1Only();
  void browseOpensInTheModulesDataFolder_data();
  void browseOpensInTheModulesDataFolder();
  void aFileFromElsewhereIsTakenOnlyAsACopyInTheDataFolder_data();
  void aFileFromElsewhereIsTakenOnlyAsACopyInTheDataFolder();
  void methodListFaultsShowANoticeAndLeaveTheListEmpty_data();
  void methodListFaultsShowANoticeAndLeaveTheListEmpty();
};

void BrowseTest::typingAModuleNameChangesNoView() {
  WindowUnderTest ui;
  ui.PickModule(kSorvane);
  QComboBox* combo = ui.Combo1();
  combo->lineEdit()->selectAll();
  QTest::keyClicks(combo->lineEdit(), kGenerator);
  QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
  ui.Text1()->setFocus();  // the focus leaves the typed text too
  QCOMPARE(combo->currentText(), kGenerator);
  QVERIFY(ui.Find("pet")->isVisible());
  QVERIFY(!ui.Find("coeff")->isVisible());
  QVERIFY(!ui.List2()->isVisible());
  QCOMPARE(ui.Text1()->width(), TwipsToPixels(8205));

  // Browse follows the typed text: the coefficient generator's list is written and filled.
  ui.BrowseAnswering(ui.folder.Path("data/COEFFI_DATA/stations.csv"));
  QCOMPARE(ui.folder.Read("dir.txt"), std::string("stations.csv\r\n"));
  QCOMPARE(ui.List2Entries(), MethodNamesOfTable(ui.folder.Read("support/Coefficients.csv")));
  QVERIFY(!ui.List2()->isVisible());

  // Picking an entry from the list still applies its view.
  ui.PickModule(kGenerator);
  QVERIFY(ui.Find("coeff")->isVisible());
  QVERIFY(ui.List2()->isVisible());
}

void BrowseTest::browseBeforeChoosingAModuleOnlySetsText1() {
  WindowUnderTest ui;
  const QString chosen = ui.folder.Path("data/PET_DATA/KESTREL.csv");
  ui.BrowseAnswering(chosen);
  QCOMPARE(ui.dialog.shown, 1);
  QCOMPARE(ui.Text1()->text(), chosen);
  QVERIFY(!ui.folder.Exists("dir.txt"));
  QCOMPARE(ui.List2()->count(), 0);
  QVERIFY(ui.presenter.texts.isEmpty());
}

void BrowseTest::browseWritesTheDataFileList_data() {
  QTest::addColumn<QString>("module");
  QTest::addColumn<QString>("chosen");
  QTest::addColumn<QString>("expected");
  QTest::addColumn<QString>("folder");
  QTest::newRow("csv in Sorvane") << kSorvane << "STN1.csv" << "STN1.csv\r\nSTN2.csv\r\n" << "data/PET_DATA/";
  QTest::newRow("txt in Sorvane") << kSorvane << "notes.txt" << "notes.txt\r\n" << "data/PET_DATA/";
  QTest::newRow("csv in Coefficients Generator") << kGenerator << "STN2.csv" << "STN1.csv\r\nSTN2.csv\r\n"
                                                 << "data/COEFFI_DATA/";
}

// STN1.csv, STN2.csv and notes.txt in the module's data folder, a folder and a hidden file too.
void BrowseTest::browseWritesTheDataFileList() {
  QFETCH(QString, module);
  QFETCH(QString, chosen);
  QFETCH(QString, expected);
  QFETCH(QString, folder);
  WindowUnderTest ui;
  const std::string browsed = folder.toStdString();
  std::filesystem::remove_all(ui.folder.Root() / browsed);
  for (const char* name : {"STN2.csv", "STN1.csv", "notes.txt", ".hidden.csv"}) ui.folder.Write(browsed + name, "x\r\n");
  std::filesystem::create_directories(ui.folder.Root() / browsed / "old.csv");
  ui.PickModule(module);
  ui.BrowseAnswering(ui.folder.Path(browsed + chosen.toStdString()));

  QCOMPARE(ui.Text1()->text(), ui.folder.Path(browsed + chosen.toStdString()));
  QCOMPARE(QString::fromStdString(ui.folder.Read("dir.txt")), expected);
  // The dialog offered the three choices of the filter, the first one preselected.
  const std::vector<FileFilter> filters{{"CSV Files [*.csv]", "*.csv"},
                                        {"Text Files [*.txt]", "*.txt"},
                                        {"All Files [*.*]", "*.*"}};
  QVERIFY(ui.dialog.lastFilters == filters);
  QCOMPARE(ui.dialog.lastPreselected, 0);
}

void BrowseTest::cancelledFirstBrowseListsTheStartFolder() {
  AppFolderCopy start;  // the folder the program is started in
  start.Write("A.csv", "x");
  start.Write("b.txt", "x");
  start.Write(".hidden", "x");
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(start.Root());
  WindowUnderTest ui;
  std::filesystem::current_path(previous);

  ui.PickModule(kSorvane);
  ui.BrowseAnswering(std::nullopt);
  QCOMPARE(ui.Text1()->text(), QString());
  // Pattern "*": every ordinary file of the start folder, the bundled folders left out.
  QCOMPARE(ui.folder.Read("dir.txt"), SortedFileList({"A.csv", "b.txt"}));
  QVERIFY(ui.presenter.texts.isEmpty());
}

void BrowseTest::cancelledBrowseKeepsThePreviousName() {
  WindowUnderTest ui;
  ui.PickModule(kSorvane);
  const QString chosen = ui.folder.Path("data/PET_DATA/KESTREL.csv");
  ui.BrowseAnswering(chosen);
  std::filesystem::remove(ui.folder.Root() / "dir.txt");
  ui.Text1()->clear();
  ui.BrowseAnswering(std::nullopt);
  QCOMPARE(ui.Text1()->text(), chosen);
  QCOMPARE(ui.folder.Read("dir.txt"),
           SortedFileList({"KESTREL.csv", "KESTREL_LOGGER.csv", "KESTREL_MONTHLY.csv", "KESTREL_WEEKLY.csv"}));
}

void BrowseTest::browseFillsTheMethodList() {
  WindowUnderTest ui;
  ui.PickModule(kGenerator);
  ui.BrowseAnswering(ui.folder.Path("data/COEFFI_DATA/stations.csv"));
  const QStringList names = MethodNamesOfTable(ui.folder.Read("support/Coefficients.csv"));
  QCOMPARE(names.size(), 8);
  QCOMPARE(ui.List2Entries(), names);
  QCOMPARE(ui.List2Marks(), QList<bool>(8, false));
  // 330 twips an entry, yet stopping a pixel above Line1: 2570 of the 2640 twips.
  QCOMPARE(ui.List2()->height(), TwipsToPixels(2570));
  QVERIFY(ui.List2()->geometry().bottom() < ui.Find("Line1")->y());
  QCOMPARE(ui.List2()->pos(), QPoint(TwipsToPixels(8880), TwipsToPixels(6880)));
  QVERIFY(!ui.folder.Exists("out.txt"));  // the scratch file is gone again
  QVERIFY(ui.presenter.texts.isEmpty());
  for (int row = 0; row < 8; ++row) QVERIFY(ui.List2()->visualItemRect(ui.List2()->item(row)).bottom() <
                                            ui.List2()->viewport()->height());
}

void BrowseTest::browseAgainClearsTheMarks() {
  WindowUnderTest ui;
  ui.PickModule(kGenerator);
  ui.BrowseAnswering(ui.folder.Path("data/COEFFI_DATA/stations.csv"));
  ui.ToggleMark(1);
  ui.ToggleMark(3);
  ui.ToggleMark(7);
  QCOMPARE(ui.List2Marks(), (QList<bool>{false, true, false, true, false, false, false, true}));
  ui.ToggleMark(3);  // marks come off independently
  QCOMPARE(ui.List2Marks(), (QList<bool>{false, true, false, false, false, false, false, true}));

  ui.BrowseAnswering(ui.folder.Path("data/COEFFI_DATA/stations.csv"));
  QCOMPARE(ui.List2()->count(), 8);
  QCOMPARE(ui.List2Marks(), QList<bool>(8, false));
  QCOMPARE(ui.List2()->height(), TwipsToPixels(2570));
}

void BrowseTest::browseInAdjusterViewChangesText1Only() {
  WindowUnderTest ui;
  ui.PickModule(kAdjuster);
  ui.folder.Write("OUTPUT/stations_COEFFI.csv", "x\r\n");
  const QString chosen = ui.folder.Path("OUTPUT/stations_COEFFI.csv");
  ui.BrowseAnswering(chosen);
  QCOMPARE(ui.Text1()->text(), chosen);
  QVERIFY(!ui.folder.Exists("dir.txt"));
  QCOMPARE(ui.List2()->count(), 0);
  QCOMPARE(ui.List2()->height(), TwipsToPixels(330));
}

void BrowseTest::browseOpensInTheModulesDataFolder_data() {
  QTest::addColumn<QString>("module");
  QTest::addColumn<QString>("folder");
  QTest::newRow("Sorvane") << kSorvane << "data/PET_DATA";
  QTest::newRow("Coefficients Generator") << kGenerator << "data/COEFFI_DATA";
  QTest::newRow("PET Adjuster") << kAdjuster << "OUTPUT";
}

void BrowseTest::browseOpensInTheModulesDataFolder() {
  QFETCH(QString, module);
  QFETCH(QString, folder);
  WindowUnderTest ui;
  ui.PickModule(module);
  ui.BrowseAnswering(std::nullopt);
  QCOMPARE(ui.dialog.lastStartFolder, ui.folder.Path(folder.toStdString()));
}

void BrowseTest::aFileFromElsewhereIsTakenOnlyAsACopyInTheDataFolder_data() {
  QTest::addColumn<QString>("module");
  QTest::addColumn<QString>("folder");
  QTest::addColumn<QString>("reads");
  QTest::newRow("Sorvane") << kSorvane << "data/PET_DATA" << "the PET run reads weather files from";
  QTest::newRow("Coefficients Generator") << kGenerator << "data/COEFFI_DATA"
                                          << "the coefficient generator reads station lists from";
  QTest::newRow("PET Adjuster") << kAdjuster << "OUTPUT" << "the PET adjuster reads coefficient files from";
}

// Declined, nothing changes; agreed, the file is copied and the copy is the one taken.
void BrowseTest::aFileFromElsewhereIsTakenOnlyAsACopyInTheDataFolder() {
  QFETCH(QString, module);
  QFETCH(QString, folder);
  QFETCH(QString, reads);
  WindowUnderTest ui;
  ui.folder.Write("elsewhere/FAR.csv", "far\r\n");
  ui.PickModule(module);

  ui.BrowseAnswering(ui.folder.Path("elsewhere/FAR.csv"));
  const QString question = QStringLiteral("FAR.csv is not in the folder %1:\n%2\n\nCopy it there and use the copy?")
                               .arg(reads, ui.folder.Path(folder.toStdString()));
  QCOMPARE(ui.presenter.questions, QStringList{question});
  QCOMPARE(ui.Text1()->text(), QString());
  QVERIFY(!ui.folder.Exists("dir.txt"));
  QVERIFY(!ui.folder.Exists(folder.toStdString() + "/FAR.csv"));

  ui.presenter.answers.push_back(true);
  ui.BrowseAnswering(ui.folder.Path("elsewhere/FAR.csv"));
  const std::string copy = folder.toStdString() + "/FAR.csv";
  QCOMPARE(ui.folder.Read(copy), std::string("far\r\n"));
  QCOMPARE(ui.Text1()->text(), ui.folder.Path(copy));
  if (module == kSorvane) QVERIFY(ui.folder.Read("dir.txt").find("FAR.csv\r\n") != std::string::npos);
  QVERIFY(ui.presenter.texts.isEmpty());

  // A second copy replaces the first, and the question says so.
  ui.presenter.answers.push_back(true);
  ui.BrowseAnswering(ui.folder.Path("elsewhere/FAR.csv"));
  QCOMPARE(ui.presenter.questions.last(), question + QStringLiteral("\nThe file of that name there is replaced."));
}

void BrowseTest::methodListFaultsShowANoticeAndLeaveTheListEmpty_data() {
  QTest::addColumn<QString>("fault");
  QTest::addColumn<QString>("notice");
  QTest::newRow("missing") << "missing"
                           << "support/Coefficients.csv: cannot be opened (No such file or directory)";
  QTest::newRow("odd fields") << "odd"
                              << "support/Coefficients.csv:1: 3 fields follow the heads Station, Latitude, "
                                 "Longitude: an odd number, but each method takes two (its name and an empty "
                                 "field)";
  QTest::newRow("unreadable") << "unreadable"
                              << "support/Coefficients.csv: cannot be opened (it is a folder, not a file)";
}

void BrowseTest::methodListFaultsShowANoticeAndLeaveTheListEmpty() {
  QFETCH(QString, fault);
  QFETCH(QString, notice);
  WindowUnderTest ui;
  ui.PickModule(kGenerator);
  ui.BrowseAnswering(ui.folder.Path("data/COEFFI_DATA/stations.csv"));
  QCOMPARE(ui.List2()->count(), 8);  // filled from the sound table first

  const auto table = ui.folder.Root() / "support" / "Coefficients.csv";
  std::filesystem::remove(table);
  if (fault == QLatin1String("odd")) ui.folder.Write("support/Coefficients.csv", "Station,Lat,Lon,A,,B\r\n,,\r\n");
  if (fault == QLatin1String("unreadable")) std::filesystem::create_directory(table);  // opens, cannot be read

  ui.BrowseAnswering(ui.folder.Path("data/COEFFI_DATA/stations.csv"));
  QCOMPARE(ui.presenter.texts, QStringList{notice});
  QCOMPARE(ui.List2()->count(), 0);
  QCOMPARE(ui.List2()->height(), TwipsToPixels(330));
  QCOMPARE(ui.folder.Read("dir.txt"), std::string("stations.csv\r\n"));  // the list is written all the same
  QVERIFY(!ui.folder.Exists("out.txt"));
}

SORVANE_UI_TEST_MAIN(BrowseTest)
#include "browse_button_test.moc"
