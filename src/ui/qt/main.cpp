// sorvane: the desktop program. One window; everything it reads and writes lies in the
// ApplicationFolder (--app-folder DIR, else $SORVANE_HOME, else the folder of this
// program when it holds support/, else the per-user folder made on first use).
#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <cstdio>
#include <optional>

#include "common/app_folder.h"
#include "common/notices.h"
#include "common/platform.h"
#include "common/version.h"
#include "ui/qt/app_setup.h"
#include "ui/qt/file_dialog.h"
#include "ui/qt/main_window.h"
#include "ui/qt/notice_presenter.h"

namespace {

// Shows the window with its help text and saves a picture of it: the README's screenshot.
int SaveScreenshot(sorvane::ui::MainWindow& window, const QString& file) {
  window.show();
  if (auto* help = window.findChild<QPushButton*>(QStringLiteral("Command4"))) help->click();
  for (int i = 0; i < 10; ++i) QApplication::processEvents();
  if (window.grab().save(file, "PNG")) return 0;
  std::fprintf(stderr, "sorvane: %s: the screenshot cannot be written\n", qPrintable(file));
  return 1;
}

// The help names the program as it is installed, not by the path it was started with.
int PrintHelpOrVersion(const QCommandLineParser& parser, bool help) {
  if (!help) {
    std::puts(sorvane::kVersionText);
    return 0;
  }
  QString text = parser.helpText();
  const qsizetype usageEnd = text.indexOf(QLatin1Char('\n'));
  text.replace(0, usageEnd, QStringLiteral("Usage: sorvane [options]"));
  std::fputs(qPrintable(text), stdout);
  return 0;
}

// The window over the ApplicationFolder, until it closes; its exit status.
int RunWindow(QApplication& app, const QCommandLineParser& parser, const QCommandLineOption& appFolderOption,
              const QCommandLineOption& screenshotOption, const char* argv0) {
  sorvane::ui::SetUpApplication();

  std::optional<std::filesystem::path> explicitFolder;
  if (parser.isSet(appFolderOption)) explicitFolder = parser.value(appFolderOption).toStdString();
  const auto folder = sorvane::LocateAppFolder(explicitFolder, sorvane::platform::ThisExecutable(argv0));
  if (!folder) {
    QMessageBox::critical(nullptr, QStringLiteral("Sorvane"), QString::fromStdString(sorvane::Located(folder.error())));
    return 2;
  }

  sorvane::ui::QtFileDialog fileDialog;
  sorvane::ui::MessageBoxPresenter presenter;
  sorvane::ui::MainWindow window(sorvane::AppFolder(*folder), fileDialog, presenter);
  if (parser.isSet(screenshotOption)) return SaveScreenshot(window, parser.value(screenshotOption));

  QObject::connect(&window, &sorvane::ui::MainWindow::ProgramEnds, &app, &QCoreApplication::quit,
                   Qt::QueuedConnection);
  window.show();
  return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral(
      "Sorvane: potential evapotranspiration from station weather files. The window works in one\n"
      "ApplicationFolder: weather files in data/PET_DATA, station lists in data/COEFFI_DATA,\n"
      "reference tables in support, results in OUTPUT. It is --app-folder DIR, else $SORVANE_HOME,\n"
      "else the folder of this program when it holds support/, else $XDG_DATA_HOME/sorvane\n"
      "(default ~/.local/share/sorvane), made from the installed sample folder on first use."));
  const QCommandLineOption helpOption = parser.addHelpOption();
  const QCommandLineOption versionOption = parser.addVersionOption();
  const QCommandLineOption appFolderOption(QStringLiteral("app-folder"),
                                           QStringLiteral("The ApplicationFolder to work in."), QStringLiteral("DIR"));
  const QCommandLineOption screenshotOption(
      QStringLiteral("screenshot"), QStringLiteral("Save a picture of the window, its help shown, as a PNG and exit."),
      QStringLiteral("FILE"));
  parser.addOption(appFolderOption);
  parser.addOption(screenshotOption);

  // --help and --version only print: they need no display, so that they work over a
  // remote shell and when the manual page is made during the build.
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  (void)parser.parse(arguments);  // what is wrong is said by process() below
  const bool onlyText = parser.isSet(helpOption) || parser.isSet(versionOption);
  if (onlyText) return PrintHelpOrVersion(parser, parser.isSet(helpOption));
  QApplication app(argc, argv);
  parser.process(app);
  // A job's faults are caught where the window runs it; whatever else is thrown ends the
  // program here with a message and a status, never an abort.
  try {
    return RunWindow(app, parser, appFolderOption, screenshotOption, argv[0]);
  } catch (const std::exception& e) {
    QMessageBox::critical(nullptr, QStringLiteral("Sorvane"),
                          QStringLiteral("Sorvane stopped on a fault: ") + QString::fromUtf8(e.what()));
  } catch (...) {
    QMessageBox::critical(nullptr, QStringLiteral("Sorvane"), QStringLiteral("Sorvane stopped on an unknown fault"));
  }
  return 4;
}
