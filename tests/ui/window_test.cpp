// The main window as a user meets it: its controls where the layout table puts them, the
// module views, captions and fonts. Widgets are found by their object names and driven with the
// mouse and keyboard.
#include <QFontInfo>
#include <QLabel>
#include <QtTest>

#include "ui/window_layout.h"
#include "ui_test_support.h"

using namespace sorvane::ui;
using namespace sorvane::ui::testing;

namespace {

const char* const kProcessButtons[] = {"pet", "coeff", "adj"};

QString FromView(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QRect DesignedRect(const Placement& twips) {
  return QRect(Pixels(twips.left), Pixels(twips.top), Pixels(twips.width), Pixels(twips.height));
}

// Every shown control lies inside the window, and no shown button reaches into the
// caption of another.
void ExpectSoundView(const WindowUnderTest& ui, const QString& view) {
  const QRect client = ui.window->rect();
  const auto controls = ui.window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  QList<QRect> buttons;
  for (QWidget* control : controls) {
    if (!control->isVisible()) continue;
    QVERIFY2(client.contains(control->geometry()), qPrintable(view + ": " + control->objectName()));
    if (!qobject_cast<QPushButton*>(control)) continue;
    for (const QRect& other : buttons)
      QVERIFY2(!CoversACaption(other, control->geometry()), qPrintable(view + ": " + control->objectName()));
    buttons << control->geometry();
  }
  QCOMPARE(buttons.size(), 4);  // Browse, one Process button, About, Help
}

}  // namespace

class WindowTest : public QObject {
  Q_OBJECT

 private slots:
  void opensWithNoModuleChosen();
  void everyControlStandsWhereTheLayoutTablePutsIt();
  void everyViewKeepsItsControlsInsideAndItsButtonsApart();
  void eachModuleShowsOneProcessButtonInTheSamePlace();
  void moduleViewsMoveTheControlsTheirTableNames();
  void lineOneIsAGreySeparator();
  void picturesAreShown();
  void browseDialogMatchesWithoutRegardToCase();
  void captionsFontsColoursAndTooltips_data();
  void captionsFontsColoursAndTooltips();
  void helpListIsFixedPitchDarkBlue();
  void sorvaneAfterAdjusterSharesTheButtonsPlace();
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

void WindowTest::everyControlStandsWhereTheLayoutTablePutsIt() {
  WindowUnderTest ui;
  for (const ControlPlacement& design : kMainWindowControls) {
    if (design.name == "Line1") continue;  // drawn centred on its line, below
    QWidget* control = ui.Find(design.name.data());
    QVERIFY2(control != nullptr, design.name.data());
    QCOMPARE(control->parentWidget(), ui.window.get());
    QCOMPARE(control->geometry(), DesignedRect(design.twips));
    QCOMPARE(control->isVisible(), design.shown);
  }
}

void WindowTest::everyViewKeepsItsControlsInsideAndItsButtonsApart() {
  WindowUnderTest ui;
  ExpectSoundView(ui, QStringLiteral("at start"));
  for (const auto module : kModuleNames) {
    ui.PickModule(FromView(module));
    ExpectSoundView(ui, FromView(module));
  }
}

// Exactly one Process button is shown, a different one per module, always where `pet`
// stands when the window opens.
void WindowTest::eachModuleShowsOneProcessButtonInTheSamePlace() {
  WindowUnderTest ui;
  const QPoint place = DesignedRect(*DesignedPlacement("pet")).topLeft();
  QStringList shownPerModule;
  for (const auto module : kModuleNames) {
    ui.PickModule(FromView(module));
    QStringList shown;
    for (const char* name : kProcessButtons)
      if (ui.Find(name)->isVisible()) shown << QString::fromLatin1(name);
    QCOMPARE(shown.size(), 1);
    QCOMPARE(ui.Find(shown.front().toLatin1().constData())->pos(), place);
    QVERIFY(!shownPerModule.contains(shown.front()));
    shownPerModule << shown.front();
  }
}

// Each view shows, hides and moves the controls its row of the view table names, and
// leaves the left of every control where the layout table put it.
void WindowTest::moduleViewsMoveTheControlsTheirTableNames() {
  for (const ModuleView& view : kModuleViews) {
    WindowUnderTest ui;
    ui.PickModule(FromView(view.module));
    const std::pair<const char*, ControlView> controls[] = {
        {"pet", view.pet}, {"coeff", view.coeff}, {"adj", view.adj}, {"List2", view.list2}};
    for (const auto& [name, designed] : controls) {
      QWidget* control = ui.Find(name);
      const QRect atStart = DesignedRect(*DesignedPlacement(name));
      // Before Browse List2 is empty, and an empty list is never shown beside Text1.
      QCOMPARE(control->isVisible(), designed.shown && std::string_view(name) != "List2");
      QCOMPARE(control->x(), atStart.x());
      QCOMPARE(control->y(), designed.topTwips ? Pixels(*designed.topTwips) : atStart.y());
    }
    QCOMPARE(ui.Text1()->width(), Pixels(view.text1WidthTwips));
    QCOMPARE(ui.Text1()->pos(), DesignedRect(*DesignedPlacement("Text1")).topLeft());
  }
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

void WindowTest::sorvaneAfterAdjusterSharesTheButtonsPlace() {
  WindowUnderTest ui;
  ui.PickModule(kAdjuster);
  ui.PickModule(kSorvane);
  QVERIFY(ui.Find("pet")->isVisible());
  QVERIFY(!ui.Find("adj")->isVisible());
  QCOMPARE(ui.Find("pet")->pos(), ui.Find("adj")->pos());
}

SORVANE_UI_TEST_MAIN(WindowTest)
#include "window_test.moc"
