// Combo1: a drop-down list of the modules whose text the user can also type into.
// Only picking an entry (from the list, or with the arrow keys) chooses a module;
// typing a module's name, even when Return is pressed, does not.
#pragma once

#include <QComboBox>

namespace sorvane::ui {

class ModuleList : public QComboBox {
  Q_OBJECT
 public:
  explicit ModuleList(QWidget* parent);

 signals:
  void ModulePicked(const QString& module);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // True while the typed text is being accepted (Return, or the focus leaving the
  // text): QComboBox then selects a matching entry and reports it as activated.
  bool acceptingTypedText_ = false;
};

}  // namespace sorvane::ui
