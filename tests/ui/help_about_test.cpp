// The help text and the About window: the HelpText table, Help showing and clearing it,
// and the About window's layout and lifetime. Widgets are found by their object names.
#include <QFontInfo>
#include <QLabel>
#include <QSignalSpy>
#include <QtTest>

#include "ui/help_text.h"
#include "ui_test_support.h"

using namespace sorvane::ui;
using namespace sorvane::ui::testing;

class HelpAboutTest : public QObject {
  Q_OBJECT

 private slots:
  void helpTextTable();
  void helpTogglesOnOddAndEvenPresses();
  void aboutWindowLayout();
  void aboutIsOneWindowAndDoesNotBlock();
  void closedAboutIsDiscardedAndOpensAfresh();
  void aboutClosesWithEscapeAndWithItsCloseButton();
  void aboutOpensCentredOnTheMainWindow();
};

namespace {

// The visible About window, or nullptr.
QWidget* ShownAbout() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == QLatin1String("about_f") && w->isVisible()) return w;
  return nullptr;
}

}  // namespace

void HelpAboutTest::helpTextTable() {
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

void HelpAboutTest::helpTogglesOnOddAndEvenPresses() {
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

void HelpAboutTest::aboutWindowLayout() {
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
    const char* face;
    double points;
    bool italic;
  };
  const Expected labels[] = {
      {"Label3", "PET", "Liberation Serif", 48.75, true},
      {"Label12", "Sorvane", "Liberation Sans", 9.75, false},
      {"Label4", "Due care was taken while developing this free software.", "Liberation Sans", 9.75, false},
      {"Label1", "Developers are NOT  responsible  for any loss occured while using this software.",
       "Liberation Sans", 9.75, false},
      {"Label2", nullptr, "Liberation Sans", 8.25, false},
      {"Label7", nullptr, "Liberation Sans", 8.25, false},
  };
  QList<QRect> placed;
  for (const auto& e : labels) {
    auto* label = about->findChild<QLabel*>(QString::fromLatin1(e.name));
    QVERIFY2(label != nullptr, e.name);
    if (e.text) QCOMPARE(label->text(), QString::fromLatin1(e.text));
    QCOMPARE(QFontInfo(label->font()).family(), QString::fromLatin1(e.face));
    QCOMPARE(label->font().pointSizeF(), e.points);
    QVERIFY(label->font().bold());
    QCOMPARE(label->font().italic(), e.italic);
    // Every label lies inside the window (Label7, at 4320 + 3495 twips, reaches the one
    // pixel past its 7800 twips that the window clips) and clear of the others' text.
    QVERIFY2(about->rect().adjusted(0, 0, 1, 0).contains(label->geometry()), e.name);
    for (const QRect& other : placed) QVERIFY2(!CoversACaption(other, label->geometry()), e.name);
    placed << label->geometry();
  }
  QCOMPARE(about->findChild<QLabel*>("Label3")->palette().color(QPalette::WindowText), QColor(255, 0, 0));
  QVERIFY(about->findChild<QLabel*>("Label1")->wordWrap());
  // The credits: a heading, then the names.
  QVERIFY(about->findChild<QLabel*>("Label2")->text().count(QLatin1Char('\n')) >= 1);
  QVERIFY(about->findChild<QLabel*>("Label7")->text().count(QLatin1Char('\n')) >= 1);
}

void HelpAboutTest::aboutIsOneWindowAndDoesNotBlock() {
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

void HelpAboutTest::closedAboutIsDiscardedAndOpensAfresh() {
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

void HelpAboutTest::aboutClosesWithEscapeAndWithItsCloseButton() {
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

void HelpAboutTest::aboutOpensCentredOnTheMainWindow() {
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

SORVANE_UI_TEST_MAIN(HelpAboutTest)
#include "help_about_test.moc"
