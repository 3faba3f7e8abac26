// Runs one job of the core off the user-interface thread, behind a modal progress
// dialog: the window takes no input until the job's last notice is dismissed, yet it
// repaints and a long run shows which file it is at.
#pragma once

#include <QDialog>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "common/notices.h"
#include "ui/window_jobs.h"

class QLabel;
class QProgressBar;

namespace sorvane::ui {

class NoticePresenter;

// "File n of m" and the file's name while a job runs. It cannot be closed: a job runs
// to its end.
class JobProgressDialog : public QDialog {
  Q_OBJECT
 public:
  // `scope` says what the run works through until it names its first file.
  JobProgressDialog(QWidget* parent, const QString& scope);
  // `fileIndex` counts from 0; the name is the file about to be processed.
  void ShowFile(std::size_t fileIndex, std::size_t fileCount, std::string_view fileName);
  // What the run came to, in view behind its closing notice; the bar stands full.
  void ShowSummary(const QString& summary);
  // The job has done its work: the bar stands full before the closing notice shows.
  void ShowFinished();

 public slots:
  void reject() override {}  // Escape does not end a job

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  std::string scope_;
  QLabel* label_;
  QProgressBar* bar_;
  bool summarised_ = false;
};

using Job = std::function<JobOutcome(Notices&)>;

// Runs `job` on a worker thread and returns its outcome once it has ended. Its notices
// are shown one at a time through `presenter` on the UI thread, in the order the job
// gives them; the job waits until each one is dismissed. nullopt when the job threw:
// what it threw has been shown as a notice.
// `scope` is what the progress dialog says from the start ("all 4 files of data/PET_DATA").
std::optional<JobOutcome> RunJobBehindProgress(QWidget* window, NoticePresenter& presenter, const Job& job,
                                               const std::string& scope = "Working...");

}  // namespace sorvane::ui
