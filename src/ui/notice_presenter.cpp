#include "ui/notice_presenter.h"

#include <QMessageBox>

namespace sorvane::ui {

void MessageBoxPresenter::Present(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::Information, QString(), text, QMessageBox::Ok, parent);
  box.setObjectName(QStringLiteral("UserNotice"));
  // The notices' own spaces centre them in the box as designed; keep them as they are.
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

}  // namespace sorvane::ui
