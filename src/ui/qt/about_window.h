// The About window: the program's name, a short disclaimer and the credits, and a Close
// button. It is shown without blocking the main window.
#pragma once

#include <QWidget>

namespace sorvane::ui {

class AboutWindow : public QWidget {
  Q_OBJECT
 public:
  // A top-level window of its own: it stays open when the main window closes.
  AboutWindow();

 protected:
  // Escape closes the window, as its Close button and its close box do.
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace sorvane::ui
