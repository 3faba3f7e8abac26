// The Process buttons end to end on the bundled data: the window hands its state to the
// core's job, the job runs off the UI thread behind a modal progress dialog, its notices
// are shown in order, and the window shows what the job hands back.
#include <QLabel>
#include <QSignalSpy>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <thread>

#include "ui/qt/job_runner.h"
#include "ui_test_support.h"

using namespace sorvane;
using namespace sorvane::ui;
using namespace sorvane::ui::testing;

namespace {

const QString kJobEnd15 = QStringLiteral("          JOB END               ");
const QString kJobEnd20 = QStringLiteral("          JOB END                    ");
const QString kNoDataFile = QStringLiteral("          NO Data file selected          ");
// The faulty sample file KESTREL_LOGGER.csv: a run says what it could not compute.
const QString kLoggerEmptyValues = QStringLiteral(
    "data/PET_DATA/KESTREL_LOGGER.csv: 3 values could not be computed and were left empty; the first on line 9 "
    "(Hargreaves)");

std::string FirstLine(const std::string& text) { return text.substr(0, text.find("\r\n")); }

// What a run of `files` files of `folder` came to, as the window sums it up.
QString Summary(const AppFolderCopy& app, int processed, int files, const QString& folder, int refused) {
  return QStringLiteral("%1 of %2 %3 of %4 processed, %5 refused\nResults are in %6")
      .arg(processed)
      .arg(files)
      .arg(files == 1 ? QStringLiteral("file") : QStringLiteral("files"))
      .arg(folder)
      .arg(refused)
      .arg(QString::fromStdString((app.Root() / "OUTPUT").string()));
}

// A presenter that hands each notice to a function, for tests that look around while a
// notice is up.
class CallbackPresenter : public NoticePresenter {
 public:
  explicit CallbackPresenter(std::function<void(const QString&)> onNotice) : onNotice_(std::move(onNotice)) {}
  void Present(QWidget*, const QString& text, NoticeIcon) override { onNotice_(text); }
  bool Ask(QWidget*, const QString&) override { return false; }

 private:
  std::function<void(const QString&)> onNotice_;
};

}  // namespace

class ProcessTest : public QObject {
  Q_OBJECT

 private slots:
  void petRunsTheListedFiles();
  void petWithoutADataFile();
  void petGathersTheWarningsOfTheRunIntoOneBox();
  void coefficientRunWritesTheMarkedMethods();
  void coefficientRunWithoutADataFile();
  void adjusterRunsOnTheGeneratedCoefficients();
  void programEnds_data();
  void programEnds();

  void jobRunsOffTheUiThreadBehindTheProgressDialog();
  void iconsAndTheBarAtEachNotice();
  void progressNamesTheFile();
  void aJobThatThrowsIsReported();
};

void ProcessTest::petRunsTheListedFiles() {
  WindowUnderTest ui;
  ui.PickModule(QStringLiteral("Sorvane"));
  ui.BrowseAnswering(ui.folder.Path("data/PET_DATA/KESTREL.csv"));
  QCOMPARE(ui.folder.Read("dir.txt"),
           std::string("KESTREL.csv\r\nKESTREL_LOGGER.csv\r\nKESTREL_MONTHLY.csv\r\nKESTREL_WEEKLY.csv\r\n"));
  ui.Click("pet");

  // The run had something to say: its summary before JOB END.
  const QString summary = Summary(ui.folder, 4, 4, QStringLiteral("data/PET_DATA"), 0);
  QCOMPARE(ui.presenter.texts, (QStringList{kLoggerEmptyValues, summary, kJobEnd15}));
  QCOMPARE(ui.presenter.icons,
           (QList<NoticeIcon>{NoticeIcon::Information, NoticeIcon::Information, NoticeIcon::Information}));
  QVERIFY(ui.presenter.allOnUiThread);
  QCOMPARE(ui.presenter.modalAbove, (QStringList{"JobProgress", "JobProgress", "JobProgress"}));
  // The progress dialog names the whole list from the start, and the summary behind JOB END.
  QVERIFY(ui.presenter.progressTexts.first().startsWith(QStringLiteral("all 4 files of data/PET_DATA\nFile ")));
  QCOMPARE(ui.presenter.progressTexts.last(), summary);
  QCOMPARE(ui.presenter.progressPercent.last(), 100);  // the bar stands full before JOB END
  QCOMPARE(FirstLine(ui.folder.Read("OUTPUT/KESTREL_PET.csv")).substr(0, 5), std::string("Date,"));
  QCOMPARE(FirstLine(ui.folder.Read("OUTPUT/KESTREL_WEEKLY_PET.csv")).substr(0, 10), std::string("Year,Week,"));
  QCOMPARE(FirstLine(ui.folder.Read("OUTPUT/KESTREL_MONTHLY_PET.csv")).substr(0, 11), std::string("Year,Month,"));
  QCOMPARE(ui.Text1()->text(), QString());
  QVERIFY(!ui.folder.Exists("dir.txt"));
  QVERIFY(ui.window->isVisible());
  QCOMPARE(QApplication::activeModalWidget(), nullptr);  // the progress dialog is gone
}

// Two files whose heads are not all used and one with an empty field: one box for the
// warnings of the whole run, then JOB END, and the empty field still counts as 0.
void ProcessTest::petGathersTheWarningsOfTheRunIntoOneBox() {
  WindowUnderTest ui;
  const std::string top = "S\r\nLatitude,Longitude,Elevation\r\n14.41,77.37,350\r\n";
  std::filesystem::remove_all(ui.folder.Root() / "data" / "PET_DATA");  // these two files alone
  ui.folder.Write("data/PET_DATA/A.csv", top + "Date,TMAX,TMIN,Soil RH\r\n01/01/1970,30,20,50\r\n&\r\n");
  ui.folder.Write("data/PET_DATA/B.csv", top + "Date,TMAX,TMIN,Soil TMAX\r\n01/01/1970,30,,31\r\n&\r\n");
  ui.PickModule(QStringLiteral("Sorvane"));
  ui.BrowseAnswering(ui.folder.Path("data/PET_DATA/A.csv"));
  ui.Click("pet");

  QCOMPARE(ui.presenter.texts.size(), 2);
  QCOMPARE(ui.presenter.icons.first(), NoticeIcon::Warning);
  QCOMPARE(ui.presenter.texts[0].split(QLatin1Char('\n')),
           (Summary(ui.folder, 2, 2, QStringLiteral("data/PET_DATA"), 0).split(QLatin1Char('\n')) +
            QStringList{QString(), QStringLiteral("data/PET_DATA/A.csv: heads not used: 'Soil RH'; a column is used only when its "
                                       "head is one of TMAX, TMIN, RH1, RH2, RH, TDEW, WS, SS, RS, EVP"),
                        QStringLiteral("data/PET_DATA/B.csv: heads not used: 'Soil TMAX'; a column is used only when "
                                       "its head is one of TMAX, TMIN, RH1, RH2, RH, TDEW, WS, SS, RS, EVP"),
                        QStringLiteral("data/PET_DATA/B.csv: 1 empty field was read as 0; the first on line 5 (TMIN)")}));
  QCOMPARE(ui.presenter.texts[1], kJobEnd15);
  QCOMPARE(ui.folder.Read("OUTPUT/B_PET.csv"), std::string("Date,Hargreaves\r\n01/01/1970,4.88\r\n"));
}

// Text1 holding only spaces: the no-data-file notice, then JOB END; the list stays.
void ProcessTest::petWithoutADataFile() {
  WindowUnderTest ui;
  ui.PickModule(QStringLiteral("Sorvane"));
  ui.BrowseAnswering(ui.folder.Path("data/PET_DATA/KESTREL.csv"));
  ui.Text1()->clear();
  QTest::keyClicks(ui.Text1(), QStringLiteral("   "));
  ui.Click("pet");
  QCOMPARE(ui.presenter.texts, (QStringList{kNoDataFile, kJobEnd15}));
  QCOMPARE(ui.presenter.icons, (QList<NoticeIcon>{NoticeIcon::Warning, NoticeIcon::Information}));
  QVERIFY(ui.folder.Exists("dir.txt"));
  QVERIFY(!ui.folder.Exists("OUTPUT/KESTREL_PET.csv"));
  QCOMPARE(ui.Text1()->text(), QStringLiteral("   "));
}

void ProcessTest::coefficientRunWritesTheMarkedMethods() {
  WindowUnderTest ui;
  ui.PickModule(QStringLiteral("Coefficients Generator"));
  ui.BrowseAnswering(ui.folder.Path("data/COEFFI_DATA/stations.csv"));
  QCOMPARE(ui.List2()->count(), 8);
  const QStringList names = ui.List2Entries();
  ui.ToggleMark(1);
  ui.ToggleMark(7);
  ui.Click("coeff");

  // Nothing to say: JOB END alone, the summary in the progress dialog behind it.
  QCOMPARE(ui.presenter.texts, QStringList{kJobEnd15});
  QCOMPARE(ui.presenter.progressTexts,
           QStringList{Summary(ui.folder, 1, 1, QStringLiteral("data/COEFFI_DATA"), 0)});
  const std::string written = ui.folder.Read("OUTPUT/stations_COEFFI.csv");
  QCOMPARE(QString::fromStdString(FirstLine(written)),
           QStringLiteral("Station,Latitude,Longitude,%1,,%2,").arg(names[1], names[7]));
  QCOMPARE(QString::fromStdString(FirstLine(written.substr(written.find("\r\n") + 2))),
           QStringLiteral(",,,Intercept,Slope,Intercept,Slope"));
  // The run empties Text1 and List2 and shrinks the list to one entry.
  QCOMPARE(ui.Text1()->text(), QString());
  QCOMPARE(ui.List2()->count(), 0);
  QCOMPARE(ui.List2()->height(), TwipsToPixels(330));
  QVERIFY(!ui.folder.Exists("dir.txt"));
}

// Without a data file the generator shows only its notice, and leaves everything as it was.
void ProcessTest::coefficientRunWithoutADataFile() {
  WindowUnderTest ui;
  ui.PickModule(QStringLiteral("Coefficients Generator"));
  ui.BrowseAnswering(ui.folder.Path("data/COEFFI_DATA/stations.csv"));
  ui.ToggleMark(0);
  ui.Text1()->clear();
  ui.Click("coeff");
  QCOMPARE(ui.presenter.texts, QStringList{kNoDataFile});
  QCOMPARE(ui.List2()->count(), 8);
  QCOMPARE(ui.List2Marks().first(), true);
  QCOMPARE(ui.List2()->height(), TwipsToPixels(2570));
  QVERIFY(ui.folder.Exists("dir.txt"));
}

// The whole road: PET results, coefficients for the stations, then the first station's
// daily results adjusted.
void ProcessTest::adjusterRunsOnTheGeneratedCoefficients() {
  WindowUnderTest ui;
  ui.PickModule(QStringLiteral("Sorvane"));
  ui.BrowseAnswering(ui.folder.Path("data/PET_DATA/KESTREL.csv"));
  ui.Click("pet");
  ui.PickModule(QStringLiteral("Coefficients Generator"));
  ui.BrowseAnswering(ui.folder.Path("data/COEFFI_DATA/stations.csv"));
  for (int row = 0; row < 8; ++row) ui.ToggleMark(row);
  ui.Click("coeff");
  ui.PickModule(QStringLiteral("PET Adjuster"));
  const QString coefficients = ui.folder.Path("OUTPUT/stations_COEFFI.csv");
  ui.BrowseAnswering(coefficients);
  ui.Click("adj");

  QCOMPARE(ui.presenter.texts, (QStringList{kLoggerEmptyValues, Summary(ui.folder, 4, 4, QStringLiteral("data/PET_DATA"), 0),
                                            kJobEnd15, kJobEnd15, kJobEnd20}));
  // Every method of the daily result has coefficients: the heads are the same.
  QCOMPARE(FirstLine(ui.folder.Read("OUTPUT/KESTREL_PET_ADJ.csv")),
           FirstLine(ui.folder.Read("OUTPUT/KESTREL_PET.csv")));
  QCOMPARE(ui.Text1()->text(), coefficients);  // the adjuster leaves Text1 as it was
  QVERIFY(ui.window->isVisible());
}

void ProcessTest::programEnds_data() {
  QTest::addColumn<QString>("module");
  QTest::addColumn<QString>("notice");
  QTest::newRow("duplicate station") << "Coefficients Generator"
                                     << "          ERROR TWIN Coefficients are already exist               ";
  QTest::newRow("result file missing") << "PET Adjuster" << "          NOSUCH_PET.csv   NOT available          ";
  QTest::newRow("not a daily file") << "PET Adjuster" << "          Daily PET values are only adjustable          ";
}

// The three notices after which the program ends: the window closes, and so does an
// open About window.
void ProcessTest::programEnds() {
  QFETCH(QString, module);
  QFETCH(QString, notice);
  WindowUnderTest ui;
  QSignalSpy ends(ui.window.get(), &MainWindow::ProgramEnds);
  ui.Click("Command3");
  QCOMPARE(CountTopLevel("about_f"), 1);
  ui.PickModule(module);

  const std::string tag = QTest::currentDataTag();
  if (tag == "duplicate station") {
    // A station at the coordinates of the table's first reference station.
    const std::string table = ui.folder.Read("support/Coefficients.csv");
    std::size_t row = 0;
    for (int line = 1; line < 3; ++line) row = table.find('\n', row) + 1;
    const QStringList fields = QString::fromStdString(table.substr(row, table.find('\n', row) - row)).split(',');
    ui.folder.Write("data/COEFFI_DATA/twins.csv",
                    "Station   ,Lat  ,Lon\r\nTWIN," + fields[1].toStdString() + "," + fields[2].toStdString() +
                        "\r\n&\r\n");
    ui.BrowseAnswering(ui.folder.Path("data/COEFFI_DATA/twins.csv"));
    ui.ToggleMark(0);
    ui.Click("coeff");
  } else {
    const std::string station = tag == "result file missing" ? "NOSUCH" : "WEEKLY";
    ui.folder.Write("OUTPUT/WEEKLY_PET.csv", "Year,Week,Hargreaves\r\n2011,1,30.1\r\n");
    ui.folder.Write("OUTPUT/one_COEFFI.csv", "Station,Latitude,Longitude,Hargreaves,\r\n,,,Intercept,Slope\r\n" +
                                                 station + ",14.41,77.37,.5,.8\r\n");
    ui.BrowseAnswering(ui.folder.Path("OUTPUT/one_COEFFI.csv"));
    ui.Click("adj");
  }

  QCOMPARE(ui.presenter.texts, QStringList{notice});
  QCOMPARE(ui.presenter.icons, QList<NoticeIcon>{NoticeIcon::Warning});
  QCOMPARE(ui.presenter.progressPercent, QList<int>{100});
  QCOMPARE(ends.count(), 1);
  QVERIFY(!ui.window->isVisible());
  QTRY_COMPARE(CountTopLevel("about_f"), 0);
}

// A job's notices come from its worker thread; each is shown on the UI thread, above the
// modal progress dialog, in order, the job waiting until it is dismissed.
void ProcessTest::jobRunsOffTheUiThreadBehindTheProgressDialog() {
  QWidget window;
  window.show();
  RecordingPresenter presenter;
  std::vector<bool> dismissedBeforeNext;
  const auto outcome = RunJobBehindProgress(&window, presenter, [&](Notices& notices) {
    JobOutcome result;
    result.window.text1 = QThread::currentThread() == qApp->thread() ? "on the UI thread" : "on a worker";
    for (const char* text : {"first", "second", "third"}) {
      const auto before = presenter.texts.size();
      notices.Show(Information(text));
      dismissedBeforeNext.push_back(presenter.texts.size() == before + 1);
    }
    return result;
  });
  QVERIFY(outcome.has_value());
  QCOMPARE(outcome->window.text1, std::string("on a worker"));
  QCOMPARE(presenter.texts, (QStringList{"first", "second", "third"}));
  QCOMPARE(dismissedBeforeNext, (std::vector<bool>{true, true, true}));
  QVERIFY(presenter.allOnUiThread);
  QCOMPARE(presenter.modalAbove, (QStringList{"JobProgress", "JobProgress", "JobProgress"}));
  QCOMPARE(QApplication::activeModalWidget(), nullptr);
}

// Refusals warn, reports inform; the bar stands where the run is until the closing
// notice, and full at it.
void ProcessTest::iconsAndTheBarAtEachNotice() {
  QWidget window;
  window.show();
  RecordingPresenter presenter;
  RunJobBehindProgress(&window, presenter, [&](Notices& notices) {
    notices.Progress(0, 4, "A.csv");
    notices.Show(Refusal("A.csv:5: field 3 (TMIN) 'warm' is not a number; the file is not processed"));
    notices.Progress(1, 4, "B.csv");
    notices.Show(Information("B.csv: 1 value could not be computed"));
    notices.Show(JobEndNotice());
    return JobOutcome{};
  });
  QCOMPARE(presenter.icons, (QList<NoticeIcon>{NoticeIcon::Warning, NoticeIcon::Information, NoticeIcon::Information}));
  QCOMPARE(presenter.progressPercent, (QList<int>{0, 25, 100}));
}

void ProcessTest::progressNamesTheFile() {
  QWidget window;
  window.show();
  QString shownAtNotice;
  CallbackPresenter presenter([&](const QString&) {
    auto* dialog = qobject_cast<JobProgressDialog*>(QApplication::activeModalWidget());
    if (dialog) shownAtNotice = dialog->findChild<QLabel*>()->text();
  });
  RunJobBehindProgress(&window, presenter, [&](Notices& notices) {
    notices.Progress(0, 3, "A.csv");
    notices.Progress(1, 3, "B.csv");
    notices.Show(Information("look"));
    return JobOutcome{};
  });
  QCOMPARE(shownAtNotice, QStringLiteral("Working...\nFile 2 of 3: B.csv"));
}

void ProcessTest::aJobThatThrowsIsReported() {
  QWidget window;
  window.show();
  RecordingPresenter presenter;
  const auto outcome = RunJobBehindProgress(&window, presenter, [](Notices&) -> JobOutcome {
    throw std::runtime_error("the disk went away");
  });
  QVERIFY(!outcome.has_value());
  QCOMPARE(presenter.texts, QStringList{"The job stopped: the disk went away"});
  QCOMPARE(presenter.icons, QList<NoticeIcon>{NoticeIcon::Warning});
}

SORVANE_UI_TEST_MAIN(ProcessTest)
#include "process_test.moc"
