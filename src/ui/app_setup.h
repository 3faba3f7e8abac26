// What the program sets up once, right after its QApplication exists: the numeric
// locale the core relies on, the font faces the window was designed with, and the
// pictures it shows.
#pragma once

#include <QFont>
#include <QIcon>
#include <string_view>

namespace sorvane::ui {

// Call right after constructing the QApplication (and before any window is made).
void SetUpApplication();

// A font of the window's design: family as designed (substituted by a metric-compatible
// face), size in points, bold unless told otherwise.
struct FontSpec {
  std::string_view family = "MS Sans Serif";
  double points = 8.25;
  bool bold = true;
  bool italic = false;
};
QFont DesignedFont(const FontSpec& design);

// The small decorative icon of both windows.
QIcon SorvaneIcon();

}  // namespace sorvane::ui
