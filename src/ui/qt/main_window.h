// The main window: the user picks a module in Combo1, a data file with Browse, and
// presses that module's Process button. The window gathers its state for the core's
// jobs and shows what they hand back; it computes nothing itself.
#pragma once

#include <QPointer>
#include <QWidget>
#include <filesystem>
#include <optional>

#include "common/app_folder.h"
#include "ui/window_jobs.h"
#include "ui/window_look.h"
#include "ui/window_model.h"
#include "ui/qt/job_runner.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace sorvane::ui {

class AboutWindow;
class FileDialog;
class ModuleList;
class NoticePresenter;

class MainWindow : public QWidget {
  Q_OBJECT
 public:
  // `fileDialog` and `presenter` must outlive the window.
  MainWindow(AppFolder folder, FileDialog& fileDialog, NoticePresenter& presenter, QWidget* parent = nullptr);
  ~MainWindow() override;

 signals:
  // A notice that ends the program was dismissed; the window has closed.
  void ProgramEnds();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildControls();
  void ApplyModuleView(const QString& module);
  void Act(ButtonAction action);
  void Browse();
  std::optional<QString> TakeIntoDataFolder(const QString& chosen, const ModuleData& data);
  void WriteDataFileList();
  void FillMethodList();
  void ProcessPet();
  void ProcessCoefficients();
  void ProcessAdjuster();
  void ToggleHelp();
  void ShowAbout();

  void RunJob(const Job& job);
  WindowState CurrentState() const;
  void ShowState(const WindowState& state);
  void SetMethodEntries(const std::vector<std::string>& entries, const std::vector<bool>& marks);
  void SetList2HeightTwips(int twips);
  void ShowNotice(const std::string& text);
  void EndProgram();

  AppFolder folder_;
  FileDialog& fileDialog_;
  NoticePresenter& presenter_;

  // The file-open dialog's file name, which a cancelled dialog leaves as it was, and
  // the folder it was chosen in (the folder the program started in, before any choice).
  QString dialogFileName_;
  std::filesystem::path browsedFolder_;
  bool jobRunning_ = false;
  Module view_ = Module::None;  // the module last picked in Combo1

  QListWidget* list1_ = nullptr;
  ModuleList* combo1_ = nullptr;
  QLineEdit* text1_ = nullptr;
  QListWidget* list2_ = nullptr;
  QPushButton* pet_ = nullptr;
  QPushButton* coeff_ = nullptr;
  QPushButton* adj_ = nullptr;
  QPointer<AboutWindow> about_;
};

}  // namespace sorvane::ui
