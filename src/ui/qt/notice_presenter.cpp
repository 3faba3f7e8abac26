#include "ui/qt/notice_presenter.h"

#include <QMessageBox>

namespace sorvane::ui {

void MessageBoxPresenter::Present(QWidget* parent, const QString& text, NoticeIcon icon) {
  QMessageBox box(icon == NoticeIcon::Warning ? QMessageBox::Warning : QMessageBox::Information, QString(), text,
                  QMessageBox::Ok, parent);
  box.setObjectName(QStringLiteral("UserNotice"));
  // The notices' own spaces centre them in the box as designed; keep them as they are.
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

bool MessageBoxPresenter::Ask(QWidget* parent, const QString& question) {
  QMessageBox box(QMessageBox::Question, QString(), question, QMessageBox::Yes | QMessageBox::No, parent);
  box.setObjectName(QStringLiteral("UserQuestion"));
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(QMessageBox::Yes);
  return box.exec() == QMessageBox::Yes;
}

}  // namespace sorvane::ui
