// sorvane: the desktop program. One window; everything it reads and writes lies in the
// ApplicationFolder (--app-folder DIR, else $SORVANE_HOME, else the folder of this
// program when it holds support/, else the per-user folder made on first use).
#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <optional>

#include "common/app_folder.h"
#include "common/platform.h"
#include "ui/app_setup.h"
#include "ui/file_dialog.h"
#include "ui/main_window.h"
#include "ui/notice_presenter.h"

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

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  sorvane::ui::SetUpApplication();

  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Sorvane: potential evapotranspiration from station weather files."));
  parser.addHelpOption();
  const QCommandLineOption appFolderOption(QStringLiteral("app-folder"),
                                           QStringLiteral("The ApplicationFolder to work in."), QStringLiteral("DIR"));
  QCommandLineOption screenshotOption(QStringLiteral("screenshot"),
                                      QStringLiteral("Save a picture of the window and exit."), QStringLiteral("FILE"));
  screenshotOption.setFlags(QCommandLineOption::HiddenFromHelp);
  parser.addOption(appFolderOption);
  parser.addOption(screenshotOption);
  parser.process(app);

  std::optional<std::filesystem::path> explicitFolder;
  if (parser.isSet(appFolderOption)) explicitFolder = parser.value(appFolderOption).toStdString();
  std::string error;
  const auto folder = sorvane::LocateAppFolder(explicitFolder, sorvane::platform::ThisExecutable(argv[0]), &error);
  if (!folder) {
    QMessageBox::critical(nullptr, QStringLiteral("Sorvane"), QString::fromStdString(error));
    return 2;
  }

  sorvane::ui::QtFileDialog fileDialog;
  sorvane::ui::MessageBoxPresenter presenter;
  sorvane::ui::MainWindow window(sorvane::AppFolder(*folder), fileDialog, presenter);
  if (parser.isSet(screenshotOption)) return SaveScreenshot(window, parser.value(screenshotOption));

  QObject::connect(&window, &sorvane::ui::MainWindow::ProgramEnds, &app, &QCoreApplication::quit,
                   Qt::QueuedConnection);
  window.show();
  return app.exec();
}
