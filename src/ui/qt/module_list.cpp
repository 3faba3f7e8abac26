#include "ui/qt/module_list.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScopedValueRollback>

namespace sorvane::ui {

namespace {

bool AcceptsTypedText(const QEvent* event) {
  if (event->type() == QEvent::FocusOut) return true;
  if (event->type() != QEvent::KeyPress) return false;
  const int key = static_cast<const QKeyEvent*>(event)->key();
  return key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace

ModuleList::ModuleList(QWidget* parent) : QComboBox(parent) {
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);  // typed text never becomes an entry
  setCompleter(nullptr);                 // nor is it completed into one
  lineEdit()->installEventFilter(this);
  connect(this, &QComboBox::activated, this, [this](int index) {
    if (!acceptingTypedText_) emit ModulePicked(itemText(index));
  });
}

bool ModuleList::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lineEdit() && !acceptingTypedText_ && AcceptsTypedText(event)) {
    // Deliver the event now, marked, so that the activation it causes is told apart.
    const QScopedValueRollback<bool> marked(acceptingTypedText_, true);
    QCoreApplication::sendEvent(watched, event);
    return true;
  }
  return QComboBox::eventFilter(watched, event);
}

}  // namespace sorvane::ui
