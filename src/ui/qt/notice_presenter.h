// How the window shows a notice or asks a question, behind an interface so that tests can
// record notices and answer questions instead of clicking message boxes.
#pragma once

#include <QString>

#include "common/notices.h"
#include "ui/window_model.h"

class QWidget;

namespace sorvane::ui {

class NoticePresenter {
 public:
  virtual ~NoticePresenter() = default;
  // Shows `text` and returns when the user has dismissed it. Called on the UI thread.
  virtual void Present(QWidget* parent, const QString& text, NoticeIcon icon) = 0;
  // Asks `question`; true when the user answers yes.
  virtual bool Ask(QWidget* parent, const QString& question) = 0;
};

// A modal message box with an empty title and an OK button (Yes and No for a question).
class MessageBoxPresenter : public NoticePresenter {
 public:
  void Present(QWidget* parent, const QString& text, NoticeIcon icon) override;
  bool Ask(QWidget* parent, const QString& question) override;
};

}  // namespace sorvane::ui
