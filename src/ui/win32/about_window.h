// The About window on Windows: a second window that does not block the main window,
// closed by its Close button, its close box or Escape.
#pragma once

#include <windows.h>

namespace sorvane::ui::win32 {

bool RegisterAboutClass(HINSTANCE instance);

// Creates the About window, centred on `mainWindow`; nullptr when it cannot be made.
HWND OpenAboutWindow(HWND mainWindow);

}  // namespace sorvane::ui::win32
