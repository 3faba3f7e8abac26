// The main window as a user meets it: its controls where they were designed, the module
// views, Browse, Help and About. Widgets are found by their object names and driven
// with the mouse and keyboard.
#include <QFontInfo>
#include <QLabel>
#include <QSignalSpy>
#include <QtTest>
#include <filesystem>

#include "ui/help_text.h"
#include "ui_test_support.h"

using namespace sorvane::ui;
using namespace sorvane::ui::testing;

namespace {

const QString kSorvane = QStringLiteral("Sorvane");
const QString kGenerator = QStringLiteral("Coefficients Generator");
const QString kAdjuster = QStringLiteral("PET Adjuster");

// The method names of line 1 of a coefficient table: every other field after the first three.
QStringList MethodNamesOfTable(const std::string& table) {
  const QString line1 = QString::fromStdString(table.substr(0, table.find_first_of("\r\n")));
  const QStringList fields = line1.split(QLatin1Char(','));
  QStringList names;
  for (qsizetype i = 3; i < fields.size(); i += 2) names << fields[i].trimmed();
  return names;
}

// The visible About window, or nullptr.
QWidget* ShownAbout() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == QLatin1String("about_f") && w->isVisible()) return w;
  return nullptr;
}

std::string SortedFileList(const std::vector<std::string>& names) {
  std::string list;
  for (const auto& name : names) list += name + "\r\n";
  return list;
}

}  // namespace

class WindowTest : public QObject {
  Q_OBJECT

 private slots:
  void opensWithNoModuleChosen();
  void everyControlStandsWhereDesigned_data();
  void everyControlStandsWhereDesigned();
  void lineOneIsAGreySeparator();
  void picturesAreShown();
  void browseDialogMatchesWithoutRegardToCase();
  void captionsFontsColoursAndTooltips_data();
  void captionsFontsColoursAndTooltips();
  void helpListIsFixedPitchDarkBlue();
  void moduleViews_data();
  void moduleViews();
  void sorvaneAfterAdjusterSharesTheButtonsPlace();
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

  void helpTextTable();
  void helpTogglesOnOddAndEvenPresses();

  void aboutWindowLayout();
  void aboutIsOneWindowAndDoesNotBlock();
  void closedAboutIsDiscardedAndOpensAfresh();
  void aboutClosesWithEscapeAndWithItsCloseButton();
  void aboutOpensCentredOnTheMainWindow();
};

void WindowTest::opensWithNoModuleChosen() {
  WindowUnderTest ui;
  QCOMPARE(ui.window->windowTitle(), QStringLiteral("Sorvane"));
  QCOMPARE(ui.window->size(), QSize(1016, 715));  // 15240 x 10725 twips
  QVERIFY(!ui.window->windowIcon().isNull());
  QComboBox* combo = ui.Combo1();
  QCOMPARE(combo->count(), 3);
  QCOMPARE(combo->itemText(0), kSorvane);
  QCOMPARE(combo->itemText(1), kGenerator);
  QCOMPARE(combo->itemText(2), kAdjuster);
  QCOMPARE(combo->currentIndex(), -1);
  QCOMPARE(combo->currentText(), QString());
  QVERIFY(combo->isEditable());
  QCOMPARE(ui.Text1()->text(), QString());
  QVERIFY(!ui.Text1()->isReadOnly());
  QCOMPARE(ui.List1()->count(), 0);
  QCOMPARE(ui.List2()->count(), 0);
  QVERIFY(!ui.List2()->isVisible());
  QVERIFY(ui.Find("pet")->isVisible());
  QVERIFY(!ui.Find("coeff")->isVisible());
  QVERIFY(!ui.Find("adj")->isVisible());
}

void WindowTest::everyControlStandsWhereDesigned_data() {
  QTest::addColumn<int>("left");
  QTest::addColumn<int>("top");
  QTest::addColumn<int>("width");
  QTest::addColumn<int>("height");
  QTest::addColumn<bool>("shown");
  // Twips, as the window was designed.
  QTest::newRow("List1") << 120 << 120 << 15015 << 6270 << true;
  QTest::newRow("Label6") << 240 << 6600 << 735 << 255 << true;
  QTest::newRow("Combo1") << 120 << 6890 << 3495 << 360 << true;
  QTest::newRow("Label5") << 3720 << 6600 << 855 << 255 << true;
  QTest::newRow("Text1") << 3600 << 6880 << 8475 << 360 << true;
  QTest::newRow("List2") << 8880 << 7245 << 2895 << 330 << false;
  QTest::newRow("browse") << 11760 << 6840 << 855 << 375 << true;
  QTest::newRow("pet") << 12600 << 6840 << 855 << 375 << true;
  QTest::newRow("coeff") << 12600 << 7200 << 855 << 375 << false;
  QTest::newRow("adj") << 12600 << 7680 << 885 << 375 << false;
  QTest::newRow("Command3") << 13440 << 6840 << 855 << 375 << true;
  QTest::newRow("Command4") << 14280 << 6840 << 855 << 375 << true;
  QTest::newRow("Label2") << 480 << 7560 << 3375 << 1335 << true;
  QTest::newRow("Label3") << 1080 << 9000 << 1935 << 255 << true;
  QTest::newRow("Label1") << 3600 << 8680 << 495 << 255 << true;
  QTest::newRow("Image1") << 480 << 9540 << 1155 << 1110 << true;
  QTest::newRow("Image2") << 14160 << 9720 << 675 << 825 << true;
  QTest::newRow("Label4") << 3840 << 9600 << 9255 << 375 << true;
  QTest::newRow("LabelInstitute") << 5280 << 9960 << 5895 << 375 << true;
  QTest::newRow("LabelCity") << 6960 << 10320 << 2055 << 255 << true;
}

void WindowTest::everyControlStandsWhereDesigned() {
  QFETCH(int, left);
  QFETCH(int, top);
  QFETCH(int, width);
  QFETCH(int, height);
  QFETCH(bool, shown);
  WindowUnderTest ui;
  QWidget* control = ui.Find(QTest::currentDataTag());
  QVERIFY(control != nullptr);
  QCOMPARE(control->parentWidget(), ui.window.get());
  QCOMPARE(control->geometry(), QRect(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
                                      TwipsToPixels(height)));
  QCOMPARE(control->isVisible(), shown);
}

// Line1 runs from (240, 9480) to (15000, 9480) twips, grey, three pixels thick.
void WindowTest::lineOneIsAGreySeparator() {
  WindowUnderTest ui;
  QWidget* line = ui.Find("Line1");
  QVERIFY(line != nullptr);
  QCOMPARE(line->x(), TwipsToPixels(240));
  QCOMPARE(line->x() + line->width(), TwipsToPixels(15000));
  QCOMPARE(line->height(), 3);
  QCOMPARE(line->y() + 1, TwipsToPixels(9480));  // centred on its line
  const QImage shot = ui.window->grab().toImage();
  for (const int x : {TwipsToPixels(240), TwipsToPixels(7620), TwipsToPixels(15000) - 1})
    for (const int dy : {-1, 0, 1}) QCOMPARE(shot.pixelColor(x, TwipsToPixels(9480) + dy), QColor(128, 128, 128));
}

void WindowTest::picturesAreShown() {
  WindowUnderTest ui;
  for (const char* name : {"Image1", "Image2"}) {
    auto* picture = ui.Find<QLabel>(name);
    QVERIFY2(picture != nullptr && !picture->pixmap().isNull(), name);
    QVERIFY2(picture->isVisible(), name);
  }
  QVERIFY(!ui.window->windowIcon().isNull());
}

// Qt's dialog is given patterns that match either case; "*.*" is every file.
void WindowTest::browseDialogMatchesWithoutRegardToCase() {
  QCOMPARE(CaseInsensitivePattern("*.csv"), QStringLiteral("*.[cC][sS][vV]"));
  QCOMPARE(CaseInsensitivePattern("*.txt"), QStringLiteral("*.[tT][xX][tT]"));
  QCOMPARE(CaseInsensitivePattern("*.*"), QStringLiteral("*"));
}

void WindowTest::captionsFontsColoursAndTooltips_data() {
  QTest::addColumn<QString>("caption");
  QTest::addColumn<QString>("face");  // the installed face standing in for the designed one
  QTest::addColumn<double>("points");
  QTest::addColumn<bool>("italic");
  QTest::addColumn<QColor>("colour");
  QTest::addColumn<QString>("tooltip");
  const QString sans = QStringLiteral("Liberation Sans");
  const QColor black(0, 0, 0);
  QTest::newRow("browse") << "Browse" << sans << 8.25 << false << QColor() << QString();
  QTest::newRow("pet") << "Process" << sans << 8.25 << false << QColor() << QString();
  QTest::newRow("coeff") << "Process" << sans << 8.25 << false << QColor() << QString();
  QTest::newRow("adj") << "Process" << sans << 8.25 << false << QColor() << QString();
  QTest::newRow("Command3") << "About" << sans << 8.25 << false << QColor() << QString();
  QTest::newRow("Command4") << "Help" << sans << 8.25 << false << QColor() << QString();
  QTest::newRow("Label6") << "Process" << sans << 8.25 << false << black << QString();
  QTest::newRow("Label5") << "Data file" << sans << 8.25 << false << black
                          << " Potentional Evaporation Data File ";
  QTest::newRow("Label2") << " PET" << "Liberation Serif" << 75.0 << true << QColor(255, 0, 0) << " Sorvane ";
  QTest::newRow("Label3") << "S o r v a n e" << sans << 12.0 << false << black << QString();
  QTest::newRow("Label1") << "3.0" << sans << 8.25 << false << black << QString();
  QTest::newRow("Label4") << "Crop Water Balance Programme" << sans << 14.25 << false << QColor(0, 0, 128)
                          << QString();
  QTest::newRow("LabelInstitute") << "Field Station for Agro-Meteorology" << sans << 12.0 << false
                                  << QColor(128, 128, 128) << QString();
  QTest::newRow("LabelCity") << "Valmora" << sans << 8.25 << false << black << QString();
}

void WindowTest::captionsFontsColoursAndTooltips() {
  QFETCH(QString, caption);
  QFETCH(QString, face);
  QFETCH(double, points);
  QFETCH(bool, italic);
  QFETCH(QColor, colour);
  QFETCH(QString, tooltip);
  WindowUnderTest ui;
  QWidget* control = ui.Find(QTest::currentDataTag());
  QVERIFY(control != nullptr);
  if (auto* button = qobject_cast<QPushButton*>(control)) QCOMPARE(button->text(), caption);
  if (auto* label = qobject_cast<QLabel*>(control)) {
    QCOMPARE(label->text(), caption);
    QVERIFY(!label->autoFillBackground());  // transparent
    QCOMPARE(label->palette().color(QPalette::WindowText), colour);
  }
  QCOMPARE(control->font().pointSizeF(), points);
  QVERIFY(control->font().bold());
  QCOMPARE(control->font().italic(), italic);
  QCOMPARE(QFontInfo(control->font()).family(), face);
  QCOMPARE(control->toolTip(), tooltip);
}

void WindowTest::helpListIsFixedPitchDarkBlue() {
  WindowUnderTest ui;
  const QFont font = ui.List1()->font();
  QVERIFY(QFontInfo(font).fixedPitch());
  QCOMPARE(QFontInfo(font).family(), QStringLiteral("Liberation Mono"));
  QCOMPARE(font.pointSizeF(), 12.0);
  QVERIFY(font.bold());
  QCOMPARE(ui.List1()->palette().color(QPalette::Text), QColor(0, 0, 128));
}

void WindowTest::moduleViews_data() {
  QTest::addColumn<QString>("module");
  QTest::addColumn<QString>("shownButton");
  QTest::addColumn<bool>("list2Shown");
  QTest::addColumn<int>("list2Top");    // twips
  QTest::addColumn<int>("text1Width");  // twips
  QTest::addColumn<int>("coeffTop");
  QTest::addColumn<int>("adjTop");
  QTest::newRow("Sorvane") << kSorvane << "pet" << false << 7300 << 8205 << 7200 << 7680;
  QTest::newRow("Coefficients Generator") << kGenerator << "coeff" << true << 6880 << 5355 << 6840 << 7680;
  QTest::newRow("PET Adjuster") << kAdjuster << "adj" << false << 7300 << 8205 << 7200 << 6840;
}

void WindowTest::moduleViews() {
  QFETCH(QString, module);
  QFETCH(QString, shownButton);
  QFETCH(bool, list2Shown);
  QFETCH(int, list2Top);
  QFETCH(int, text1Width);
  QFETCH(int, coeffTop);
  QFETCH(int, adjTop);
  WindowUnderTest ui;
  ui.PickModule(module);
  if (QTest::currentTestFailed()) return;
  for (const char* name : {"pet", "coeff", "adj"}) {
    QWidget* button = ui.Find(name);
    QCOMPARE(button->isVisible(), shownButton == QLatin1String(name));
    QCOMPARE(button->x(), TwipsToPixels(12600));
  }
  // The shown Process button always stands at 12600/6840.
  QCOMPARE(ui.Find(shownButton.toLatin1().constData())->pos(), QPoint(TwipsToPixels(12600), TwipsToPixels(6840)));
  QCOMPARE(ui.Find("coeff")->y(), TwipsToPixels(coeffTop));
  QCOMPARE(ui.Find("adj")->y(), TwipsToPixels(adjTop));
  QCOMPARE(ui.List2()->isVisible(), list2Shown);
  QCOMPARE(ui.List2()->pos(), QPoint(TwipsToPixels(8880), TwipsToPixels(list2Top)));
  QCOMPARE(ui.Text1()->width(), TwipsToPixels(text1Width));
  QCOMPARE(ui.Text1()->pos(), QPoint(TwipsToPixels(3600), TwipsToPixels(6880)));
}

void WindowTest::sorvaneAfterAdjusterSharesTheButtonsPlace() {
  WindowUnderTest ui;
  ui.PickModule(kAdjuster);
  ui.PickModule(kSorvane);
  QVERIFY(ui.Find("pet")->isVisible());
  QVERIFY(!ui.Find("adj")->isVisible());
  QCOMPARE(ui.Find("pet")->pos(), ui.Find("adj")->pos());
}

void WindowTest::typingAModuleNameChangesNoView() {
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

void WindowTest::browseBeforeChoosingAModuleOnlySetsText1() {
  WindowUnderTest ui;
  const QString chosen = ui.folder.Path("data/PET_DATA/KESTREL.csv");
  ui.BrowseAnswering(chosen);
  QCOMPARE(ui.dialog.shown, 1);
  QCOMPARE(ui.Text1()->text(), chosen);
  QVERIFY(!ui.folder.Exists("dir.txt"));
  QCOMPARE(ui.List2()->count(), 0);
  QVERIFY(ui.presenter.texts.isEmpty());
}

void WindowTest::browseWritesTheDataFileList_data() {
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
void WindowTest::browseWritesTheDataFileList() {
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

void WindowTest::cancelledFirstBrowseListsTheStartFolder() {
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

void WindowTest::cancelledBrowseKeepsThePreviousName() {
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

void WindowTest::browseFillsTheMethodList() {
  WindowUnderTest ui;
  ui.PickModule(kGenerator);
  ui.BrowseAnswering(ui.folder.Path("data/COEFFI_DATA/stations.csv"));
  const QStringList names = MethodNamesOfTable(ui.folder.Read("support/Coefficients.csv"));
  QCOMPARE(names.size(), 8);
  QCOMPARE(ui.List2Entries(), names);
  QCOMPARE(ui.List2Marks(), QList<bool>(8, false));
  QCOMPARE(ui.List2()->height(), TwipsToPixels(8 * 330));  // 2640 twips: every entry visible
  QCOMPARE(ui.List2()->pos(), QPoint(TwipsToPixels(8880), TwipsToPixels(6880)));
  QVERIFY(!ui.folder.Exists("out.txt"));  // the scratch file is gone again
  QVERIFY(ui.presenter.texts.isEmpty());
  for (int row = 0; row < 8; ++row) QVERIFY(ui.List2()->visualItemRect(ui.List2()->item(row)).bottom() <
                                            ui.List2()->viewport()->height());
}

void WindowTest::browseAgainClearsTheMarks() {
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
  QCOMPARE(ui.List2()->height(), TwipsToPixels(2640));
}

void WindowTest::browseInAdjusterViewChangesText1Only() {
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

void WindowTest::browseOpensInTheModulesDataFolder_data() {
  QTest::addColumn<QString>("module");
  QTest::addColumn<QString>("folder");
  QTest::newRow("Sorvane") << kSorvane << "data/PET_DATA";
  QTest::newRow("Coefficients Generator") << kGenerator << "data/COEFFI_DATA";
  QTest::newRow("PET Adjuster") << kAdjuster << "OUTPUT";
}

void WindowTest::browseOpensInTheModulesDataFolder() {
  QFETCH(QString, module);
  QFETCH(QString, folder);
  WindowUnderTest ui;
  ui.PickModule(module);
  ui.BrowseAnswering(std::nullopt);
  QCOMPARE(ui.dialog.lastStartFolder, ui.folder.Path(folder.toStdString()));
}

void WindowTest::aFileFromElsewhereIsTakenOnlyAsACopyInTheDataFolder_data() {
  QTest::addColumn<QString>("module");
  QTest::addColumn<QString>("folder");
  QTest::addColumn<QString>("reads");
  QTest::newRow("Sorvane") << kSorvane << "data/PET_DATA" << "the PET run reads weather files from";
  QTest::newRow("Coefficients Generator") << kGenerator << "data/COEFFI_DATA"
                                          << "the coefficient generator reads station lists from";
  QTest::newRow("PET Adjuster") << kAdjuster << "OUTPUT" << "the PET adjuster reads coefficient files from";
}

// Declined, nothing changes; agreed, the file is copied and the copy is the one taken.
void WindowTest::aFileFromElsewhereIsTakenOnlyAsACopyInTheDataFolder() {
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

void WindowTest::methodListFaultsShowANoticeAndLeaveTheListEmpty_data() {
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

void WindowTest::methodListFaultsShowANoticeAndLeaveTheListEmpty() {
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

void WindowTest::helpTextTable() {
  const auto& text = HelpText();
  QCOMPARE(text.size(), std::size_t{233});
  // Line k is text[k - 1].
  QCOMPARE(text[7], std::string_view("         1. SORVANE :"));  // nine spaces first
  for (const std::size_t line : {1, 2, 232, 233}) QVERIFY2(text[line - 1].empty(), qPrintable(QString::number(line)));
  for (std::size_t line = 3; line <= 231; ++line)
    QVERIFY2(text[line - 1].starts_with("     "), qPrintable(QString::number(line)));
  QCOMPARE(text[2], std::string_view("         "));    // "4 spaces"
  QCOMPARE(text[10], std::string_view("          "));  // "5 spaces"
  QCOMPARE(text[3], std::string_view("         The process menu of Sorvane is  having two options, namely Sorvane"));
  // Trailing spaces are part of the text.
  QCOMPARE(text[35], std::string_view("         The date format should be in mm/dd/yyyy eg. 01/31/2012.  "));
  QCOMPARE(text[54],
           std::string_view("         While reading the data if wind speed (Km/hr) is less than 1.6 km/hr then wind "));
  QCOMPARE(text[61], std::string_view("         .csv or .txt "));
  QCOMPARE(text[67], std::string_view("         DATA folder. "));
  QCOMPARE(text[89], std::string_view("             12/31/2010,17.6,8.5 ,100,86 ,5  ,0  ,0"));
  QCOMPARE(text[166], std::string_view("             Station   ,Lat  ,Lon"));
  QCOMPARE(text[225], std::string_view("           * Type the following command  REGSVR32 COMDLG32.OCX"));
  QCOMPARE(text[228],
           std::string_view("           * Move to SORVANE_V13 folder and Click SORVANE_V13.EXE and start working."));
  const auto count = [&](std::string_view line) { return std::count(text.begin(), text.end(), line); };
  QCOMPARE(count(""), 4);
  QCOMPARE(count("         "), 41);   // the "4 spaces" lines
  QCOMPARE(count("          "), 44);  // the "5 spaces" lines
}

void WindowTest::helpTogglesOnOddAndEvenPresses() {
  WindowUnderTest ui;
  QListWidget* list = ui.List1();
  for (int press = 1; press <= 4; ++press) {
    ui.Click("Command4");
    if (press % 2 == 0) {
      QCOMPARE(list->count(), 0);
      continue;
    }
    QCOMPARE(list->count(), 233);  // never a second copy
    for (int row = 0; row < 233; ++row)
      QCOMPARE(list->item(row)->text(), QString::fromLatin1(HelpText()[row].data(), HelpText()[row].size()));
    QCOMPARE(list->item(7)->text(), QStringLiteral("         1. SORVANE :"));
    QVERIFY(list->item(0)->text().isEmpty() && list->item(1)->text().isEmpty());
    QVERIFY(list->item(231)->text().isEmpty() && list->item(232)->text().isEmpty());
  }
}

void WindowTest::aboutWindowLayout() {
  WindowUnderTest ui;
  ui.Click("Command3");
  QWidget* about = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == QLatin1String("about_f") && w->isVisible()) about = w;
  QVERIFY(about != nullptr);
  QCOMPARE(about->windowTitle(), QStringLiteral("Sorvane"));
  QCOMPARE(about->size(), QSize(TwipsToPixels(7800), TwipsToPixels(4905)));
  QVERIFY(!about->windowIcon().isNull());
  struct Expected {
    const char* name;
    const char* text;
    int left, top, width, height;  // twips
    const char* face;
    double points;
    bool italic;
  };
  const Expected labels[] = {
      {"Label3", "PET", 240, 120, 2175, 1095, "Liberation Serif", 48.75, true},
      {"Label12", "Sorvane", 2400, 840, 4335, 255, "Liberation Sans", 9.75, false},
      {"Label4", "Due care was taken while developing this free software.", 1080, 1680, 5535, 255,
       "Liberation Sans", 9.75, false},
      {"Label1", "Developers are NOT  responsible  for any loss occured while using this software.", 1080, 2040,
       5175, 615, "Liberation Sans", 9.75, false},
      {"Label2", nullptr, 360, 3720, 3855, 855, "Liberation Sans", 8.25, false},
      {"Label7", nullptr, 4320, 3720, 3495, 735, "Liberation Sans", 8.25, false},
  };
  for (const auto& e : labels) {
    auto* label = about->findChild<QLabel*>(QString::fromLatin1(e.name));
    QVERIFY2(label != nullptr, e.name);
    if (e.text) QCOMPARE(label->text(), QString::fromLatin1(e.text));
    QCOMPARE(label->geometry(),
             QRect(TwipsToPixels(e.left), TwipsToPixels(e.top), TwipsToPixels(e.width), TwipsToPixels(e.height)));
    QCOMPARE(QFontInfo(label->font()).family(), QString::fromLatin1(e.face));
    QCOMPARE(label->font().pointSizeF(), e.points);
    QVERIFY(label->font().bold());
    QCOMPARE(label->font().italic(), e.italic);
  }
  QCOMPARE(about->findChild<QLabel*>("Label3")->palette().color(QPalette::WindowText), QColor(255, 0, 0));
  QVERIFY(about->findChild<QLabel*>("Label1")->wordWrap());
  // The credits: a heading, then the names.
  QVERIFY(about->findChild<QLabel*>("Label2")->text().count(QLatin1Char('\n')) >= 1);
  QVERIFY(about->findChild<QLabel*>("Label7")->text().count(QLatin1Char('\n')) >= 1);
}

void WindowTest::aboutIsOneWindowAndDoesNotBlock() {
  WindowUnderTest ui;
  ui.Click("Command3");
  QCOMPARE(CountTopLevel("about_f"), 1);
  QCOMPARE(QApplication::activeModalWidget(), nullptr);
  ui.Click("Command3");
  QCOMPARE(CountTopLevel("about_f"), 1);

  // The main window goes on working while About is open.
  ui.Click("Command4");
  QCOMPARE(ui.List1()->count(), 233);
  ui.PickModule(kSorvane);
  ui.BrowseAnswering(ui.folder.Path("data/PET_DATA/KESTREL.csv"));
  QVERIFY(ui.folder.Exists("dir.txt"));
  ui.Click("pet");
  QVERIFY(ui.folder.Exists("OUTPUT/KESTREL_PET.csv"));
  QCOMPARE(CountTopLevel("about_f"), 1);
}

void WindowTest::closedAboutIsDiscardedAndOpensAfresh() {
  WindowUnderTest ui;
  ui.Click("Command3");
  QWidget* first = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == QLatin1String("about_f")) first = w;
  QVERIFY(first != nullptr);
  QSignalSpy destroyed(first, &QObject::destroyed);
  first->close();
  QTRY_COMPARE(destroyed.count(), 1);
  QCOMPARE(CountTopLevel("about_f"), 0);
  ui.Click("Command3");
  QCOMPARE(CountTopLevel("about_f"), 1);
}

void WindowTest::aboutClosesWithEscapeAndWithItsCloseButton() {
  WindowUnderTest ui;
  ui.Click("Command3");
  QWidget* about = ShownAbout();
  QVERIFY(about != nullptr);
  QTest::keyClick(about, Qt::Key_Escape);
  QTRY_COMPARE(CountTopLevel("about_f"), 0);

  ui.Click("Command3");
  about = ShownAbout();
  QVERIFY(about != nullptr);
  auto* close = about->findChild<QPushButton*>(QStringLiteral("Close"));
  QVERIFY(close != nullptr);
  QCOMPARE(close->text(), QStringLiteral("Close"));
  QVERIFY(about->rect().contains(close->geometry()));
  for (auto* label : about->findChildren<QLabel*>())
    QVERIFY2(!label->geometry().intersects(close->geometry()), qPrintable(label->objectName()));
  QTest::mouseClick(close, Qt::LeftButton);
  QTRY_COMPARE(CountTopLevel("about_f"), 0);
}

void WindowTest::aboutOpensCentredOnTheMainWindow() {
  WindowUnderTest ui;
  ui.window->move(100, 80);
  ui.Click("Command3");
  QWidget* about = ShownAbout();
  QVERIFY(about != nullptr);
  const QPoint offset = about->frameGeometry().center() - ui.window->frameGeometry().center();
  // Within the rounding of two odd sizes halved.
  QVERIFY2(qAbs(offset.x()) <= 2 && qAbs(offset.y()) <= 2,
           qPrintable(QStringLiteral("%1,%2").arg(offset.x()).arg(offset.y())));
}

SORVANE_UI_TEST_MAIN(WindowTest)
#include "window_test.moc"
