// What every part of the Windows window shares: UTF-16 texts, the monitor's scale,
// fonts of the window's design, and the control ids that the window and its test
// driver both know.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "ui/window_look.h"

namespace sorvane::ui::win32 {

std::wstring Wide(std::string_view utf8);
std::string Narrow(std::wstring_view wide);

// The text of a window, as UTF-16.
std::wstring TextOf(HWND window);

// The control of the main window named `name`: its id is its row in the layout table.
inline constexpr int kFirstControlId = 100;
constexpr int ControlId(std::string_view name) {
  for (std::size_t k = 0; k < kMainWindowControls.size(); ++k)
    if (kMainWindowControls[k].name == name) return kFirstControlId + static_cast<int>(k);
  return 0;
}

// The window classes, found by the test driver.
inline constexpr wchar_t kMainClass[] = L"SorvaneMain";
inline constexpr wchar_t kAboutClass[] = L"SorvaneAbout";
inline constexpr wchar_t kProgressClass[] = L"SorvaneProgress";
inline constexpr int kAboutCloseId = 200;
inline constexpr int kProgressTextId = 300;
inline constexpr int kProgressBarId = 301;

// The dots per inch of the monitor `window` stands on (96 before it has one).
UINT DpiOf(HWND window);

// Twips at 15 a pixel, whole pixels scaled by the monitor's dots per inch (96 is 100 %).
inline int Scaled(int twips, UINT dpi) { return MulDiv(Pixels(twips), static_cast<int>(dpi), 96); }

// Places `control` at `twips` on its parent's client area.
void Place(HWND control, const Placement& twips, UINT dpi);

// A font of the design at `dpi`; the caller deletes it.
HFONT MakeFont(const FontSpec& design, UINT dpi);

COLORREF ColourOf(unsigned rgb);

// The window's icon, at the size of a large or small icon.
HICON SorvaneIcon(bool small);

// Registers a window class of this program: its icon, `cursor`, the colour of buttons.
bool RegisterWindowClass(HINSTANCE instance, WNDPROC procedure, const wchar_t* name, const wchar_t* cursor = IDC_ARROW);

}  // namespace sorvane::ui::win32
