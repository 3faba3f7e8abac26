#include "ui/win32/host.h"

#include <cmath>

#include "common/platform.h"
#include "ui/win32/resource.h"

namespace sorvane::ui::win32 {

std::wstring Wide(std::string_view utf8) { return platform::PathFromUtf8(utf8).native(); }

std::string Narrow(std::wstring_view wide) { return platform::Utf8(std::filesystem::path(std::wstring(wide))); }

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

UINT DpiOf(HWND window) {
  // GetDpiForWindow came with Windows 10; earlier systems have one scale for all monitors.
  using DpiForWindow = UINT(WINAPI*)(HWND);
  static const auto dpiForWindow =
      reinterpret_cast<DpiForWindow>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32"), "GetDpiForWindow")));
  if (dpiForWindow && window) {
    if (const UINT dpi = dpiForWindow(window)) return dpi;
  }
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

void Place(HWND control, const Placement& twips, UINT dpi) {
  MoveWindow(control, Scaled(twips.left, dpi), Scaled(twips.top, dpi), Scaled(twips.width, dpi),
             Scaled(twips.height, dpi), TRUE);
}

HFONT MakeFont(const FontSpec& design, UINT dpi) {
  const int height = -static_cast<int>(std::lround(design.points * dpi / 72.0));
  return CreateFontW(height, 0, 0, 0, design.bold ? FW_BOLD : FW_NORMAL, design.italic, FALSE, FALSE,
                     DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                     design.fixedPitch ? FIXED_PITCH | FF_MODERN : DEFAULT_PITCH | FF_DONTCARE, Wide(design.family).c_str());
}

COLORREF ColourOf(unsigned rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

HICON SorvaneIcon(bool small) {
  const int side = GetSystemMetrics(small ? SM_CXSMICON : SM_CXICON);
  return static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kIconResource), IMAGE_ICON, side, side, LR_DEFAULTCOLOR));
}

bool RegisterWindowClass(HINSTANCE instance, WNDPROC procedure, const wchar_t* name, const wchar_t* cursor) {
  WNDCLASSEXW type{};
  type.cbSize = sizeof type;
  type.lpfnWndProc = procedure;
  type.hInstance = instance;
  type.hIcon = SorvaneIcon(false);
  type.hIconSm = SorvaneIcon(true);
  type.hCursor = LoadCursorW(nullptr, cursor);
  type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  type.lpszClassName = name;
  return RegisterClassExW(&type) != 0;
}

}  // namespace sorvane::ui::win32
