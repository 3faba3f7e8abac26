// What the program sets up once, right after its QApplication exists: the numeric
// locale the core relies on, the font faces the window was designed with, and the
// pictures it shows.
#pragma once

#include <QFont>
#include <QIcon>
#include <string_view>

#include "ui/window_look.h"

namespace sorvane::ui {

// Call right after constructing the QApplication (and before any window is made).
void SetUpApplication();

QFont DesignedFont(const FontSpec& design);

// The small decorative icon of both windows.
QIcon SorvaneIcon();

}  // namespace sorvane::ui
