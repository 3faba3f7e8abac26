// What the window tests share: a file dialog the test answers, a notice presenter that
// records instead of showing, a private copy of the ApplicationFolder, and helpers that
// drive the window as a user would (pick a module from the list, tick a check box).
#pragma once

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/app_folder.h"
#include "ui/qt/app_setup.h"
#include "ui/qt/file_dialog.h"
#include "ui/qt/main_window.h"
#include "ui/qt/notice_presenter.h"

namespace sorvane::ui::testing {

// The ModuleNames, the entries a user picks from Combo1.
inline const QString kSorvane = QStringLiteral("Sorvane");
inline const QString kGenerator = QStringLiteral("Coefficients Generator");
inline const QString kAdjuster = QStringLiteral("PET Adjuster");

// Answers each Browse with the next queued answer (nullopt: the user cancels).
class AnsweringFileDialog : public FileDialog {
 public:
  std::optional<QString> ChooseFile(QWidget* parent, const std::vector<FileFilter>& filters, int preselected,
                                    const QString& startFolder) override;

  std::deque<std::optional<QString>> answers;
  int shown = 0;
  std::vector<FileFilter> lastFilters;
  int lastPreselected = -1;
  QString lastStartFolder;
};

// Records each notice's text, and how it was shown: with which icon, on the UI thread,
// above a modal progress dialog while a job runs, and how far that dialog's bar stood.
// Answers each question with the next queued answer (none left: no).
class RecordingPresenter : public NoticePresenter {
 public:
  void Present(QWidget* parent, const QString& text, NoticeIcon icon) override;
  bool Ask(QWidget* parent, const QString& question) override;

  QStringList texts;
  QList<NoticeIcon> icons;
  QStringList modalAbove;       // the object name of the active modal window at each notice
  QList<int> progressPercent;   // the progress dialog's bar at each notice; -1 without one
  QStringList progressTexts;    // what the progress dialog says at each notice
  bool allOnUiThread = true;

  std::deque<bool> answers;
  QStringList questions;
};

// A fresh copy of the bundled ApplicationFolder in a temporary folder.
class AppFolderCopy {
 public:
  AppFolderCopy();
  bool IsValid() const { return dir_.isValid(); }
  std::filesystem::path Root() const;
  QString Path(const std::string& relative) const;  // a file inside it, as a full path
  std::string Read(const std::string& relative) const;
  bool Exists(const std::string& relative) const;
  void Write(const std::string& relative, const std::string& content) const;

 private:
  QTemporaryDir dir_;
};

// A shown main window working in a copy of the ApplicationFolder.
struct WindowUnderTest {
  WindowUnderTest();
  ~WindowUnderTest();

  template <typename T = QWidget>
  T* Find(const char* name) const {
    return window->findChild<T*>(QString::fromLatin1(name));
  }
  QComboBox* Combo1() const { return Find<QComboBox>("Combo1"); }
  QLineEdit* Text1() const { return Find<QLineEdit>("Text1"); }
  QListWidget* List1() const { return Find<QListWidget>("List1"); }
  QListWidget* List2() const { return Find<QListWidget>("List2"); }

  void Click(const char* buttonName) const;
  // Opens Combo1's list and clicks the entry, as a user picks a module.
  void PickModule(const QString& module) const;
  // Browses, answering the dialog with `answer` (nullopt: cancel).
  void BrowseAnswering(std::optional<QString> answer);
  // Clicks the check box of List2's entry `row`.
  void ToggleMark(int row) const;
  QStringList List2Entries() const;
  QList<bool> List2Marks() const;

  AppFolderCopy folder;
  AnsweringFileDialog dialog;
  RecordingPresenter presenter;
  std::unique_ptr<MainWindow> window;
};

// Twips to pixels as the window places its controls (15 twips a pixel, rounded).
int TwipsToPixels(int twips);

// Whether one control reaches into the caption of the other. The design sets neighbours
// edge to edge, a pixel (15 twips) over each other, and adj (885 twips wide) three
// pixels over About; a caption stands at least kCaptionInset pixels inside its edges.
inline constexpr int kCaptionInset = 4;
inline bool CoversACaption(const QRect& a, const QRect& b) {
  const auto caption = [](const QRect& r) {
    return r.adjusted(kCaptionInset, kCaptionInset, -kCaptionInset, -kCaptionInset);
  };
  return a.intersects(caption(b)) || b.intersects(caption(a));
}

// How many top-level widgets with this object name are alive.
int CountTopLevel(const char* objectName);

}  // namespace sorvane::ui::testing

// The tests' main: the application is set up exactly as the program sets itself up.
#define SORVANE_UI_TEST_MAIN(TestClass)                   \
  int main(int argc, char** argv) {                       \
    QApplication app(argc, argv);                         \
    sorvane::ui::SetUpApplication();                      \
    TestClass test;                                       \
    return QTest::qExec(&test, argc, argv);               \
  }
