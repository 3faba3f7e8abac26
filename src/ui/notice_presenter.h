// How the window shows a notice, behind an interface so that tests can record notices
// instead of clicking message boxes.
#pragma once

#include <QString>

class QWidget;

namespace sorvane::ui {

class NoticePresenter {
 public:
  virtual ~NoticePresenter() = default;
  // Shows `text` and returns when the user has dismissed it. Called on the UI thread.
  virtual void Present(QWidget* parent, const QString& text) = 0;
};

// A modal information message box with an empty title and an OK button.
class MessageBoxPresenter : public NoticePresenter {
 public:
  void Present(QWidget* parent, const QString& text) override;
};

}  // namespace sorvane::ui
