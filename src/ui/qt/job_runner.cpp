#include "ui/qt/job_runner.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QLabel>
#include <QProgressBar>
#include <QThread>
#include <QVBoxLayout>
#include <exception>
#include <new>

#include "ui/qt/notice_presenter.h"
#include "ui/window_model.h"

namespace sorvane::ui {

JobProgressDialog::JobProgressDialog(QWidget* parent, const QString& scope)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      scope_(scope.toStdString()),
      label_(new QLabel(scope, this)),
      bar_(new QProgressBar(this)) {
  setObjectName(QStringLiteral("JobProgress"));
  setWindowTitle(QStringLiteral("Sorvane"));
  setWindowModality(Qt::ApplicationModal);
  bar_->setRange(0, 0);  // busy until the job names its first file
  label_->setMinimumWidth(320);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label_);
  layout->addWidget(bar_);
}

void JobProgressDialog::ShowFile(std::size_t fileIndex, std::size_t fileCount, std::string_view fileName) {
  bar_->setRange(0, static_cast<int>(fileCount));
  // Files of a parallel run may report out of order: the bar never moves back.
  bar_->setValue(std::max(bar_->value(), static_cast<int>(fileIndex)));
  label_->setText(QString::fromStdString(ProgressText(scope_, fileIndex, fileCount, fileName)));
}

void JobProgressDialog::ShowSummary(const QString& summary) {
  summarised_ = true;
  label_->setText(summary);
  ShowFinished();
}

void JobProgressDialog::ShowFinished() {
  bar_->setRange(0, std::max(1, bar_->maximum()));
  bar_->setValue(bar_->maximum());
  if (!summarised_) label_->setText(tr("Done"));
}

void JobProgressDialog::closeEvent(QCloseEvent* event) { event->ignore(); }

namespace {

// The job's Notices, called on the worker thread: each call is carried over to the UI
// thread, the notice ones blocking until the user has dismissed the message.
class UiThreadNotices : public Notices {
 public:
  UiThreadNotices(JobProgressDialog& dialog, NoticePresenter& presenter) : dialog_(dialog), presenter_(presenter) {}

  void Show(const Notice& notice) override {
    QMetaObject::invokeMethod(
        &dialog_,
        [this, &notice] {
          if (IsClosingNotice(notice)) dialog_.ShowFinished();
          presenter_.Present(&dialog_, QString::fromStdString(notice.text), IconFor(notice));
        },
        Qt::BlockingQueuedConnection);
  }

  void Progress(std::size_t fileIndex, std::size_t fileCount, std::string_view fileName) override {
    QMetaObject::invokeMethod(
        &dialog_,
        [this, fileIndex, fileCount, name = std::string(fileName)] { dialog_.ShowFile(fileIndex, fileCount, name); },
        Qt::QueuedConnection);
  }

  void Summarise(std::string_view summary) override {
    QMetaObject::invokeMethod(
        &dialog_, [this, text = QString::fromUtf8(summary.data(), static_cast<qsizetype>(summary.size()))] {
          dialog_.ShowSummary(text);
        },
        Qt::QueuedConnection);
  }

 private:
  JobProgressDialog& dialog_;
  NoticePresenter& presenter_;
};

QString WhatStopped(const std::exception_ptr& failure) {
  try {
    std::rethrow_exception(failure);
  } catch (const std::bad_alloc&) {
    return QStringLiteral("the memory ran out");
  } catch (const std::exception& e) {
    return QString::fromUtf8(e.what());
  } catch (...) {
    return QStringLiteral("an unknown error");
  }
}

}  // namespace

std::optional<JobOutcome> RunJobBehindProgress(QWidget* window, NoticePresenter& presenter, const Job& job,
                                               const std::string& scope) {
  JobProgressDialog dialog(window, QString::fromStdString(scope));
  dialog.show();
  UiThreadNotices notices(dialog, presenter);

  JobOutcome outcome;
  std::exception_ptr failure;
  QEventLoop untilDone;
  QThread* worker = QThread::create([&] {
    try {
      outcome = job(notices);
    } catch (...) {
      failure = std::current_exception();
    }
  });
  // Queued across threads: a job that ends before exec() still ends the loop.
  QObject::connect(worker, &QThread::finished, &untilDone, &QEventLoop::quit);
  worker->start();
  untilDone.exec();
  worker->wait();
  delete worker;

  dialog.hide();
  if (failure) {
    // The core reports its faults as notices; whatever is thrown past it is shown too,
    // and the window keeps the state it had.
    presenter.Present(window, QStringLiteral("The job stopped: ") + WhatStopped(failure), NoticeIcon::Warning);
    return std::nullopt;
  }
  return outcome;
}

}  // namespace sorvane::ui
