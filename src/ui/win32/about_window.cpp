#include "ui/win32/about_window.h"

#include <vector>

#include "ui/win32/host.h"

namespace sorvane::ui::win32 {

namespace {

// The fonts of one About window, deleted with it.
struct AboutState {
  std::vector<HFONT> fonts;
  std::vector<COLORREF> colours;  // of the labels, in the order of kAboutLabels
};

LRESULT CALLBACK AboutProcedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  auto* state = reinterpret_cast<AboutState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case WM_COMMAND:
      // The Close button, or Escape (which the message loop turns into IDCANCEL).
      if (LOWORD(w) == kAboutCloseId || LOWORD(w) == IDCANCEL) DestroyWindow(window);
      return 0;
    case WM_CTLCOLORSTATIC: {
      const int id = GetDlgCtrlID(reinterpret_cast<HWND>(l)) - 1;
      if (state && id >= 0 && id < static_cast<int>(state->colours.size()))
        SetTextColor(reinterpret_cast<HDC>(w), state->colours[static_cast<std::size_t>(id)]);
      SetBkMode(reinterpret_cast<HDC>(w), TRANSPARENT);
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_DESTROY:
      if (state) {
        for (const HFONT font : state->fonts) DeleteObject(font);
        delete state;
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      }
      // The program ends with the last of its windows.
      if (!FindWindowW(kMainClass, nullptr)) PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, w, l);
  }
}

}  // namespace

bool RegisterAboutClass(HINSTANCE instance) { return RegisterWindowClass(instance, &AboutProcedure, kAboutClass); }

HWND OpenAboutWindow(HWND mainWindow) {
  const UINT dpi = DpiOf(mainWindow);
  constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
  RECT frame{0, 0, Scaled(kAboutWidthTwips, dpi), Scaled(kAboutHeightTwips, dpi)};
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  RECT main{};
  GetWindowRect(mainWindow, &main);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  // Not owned by the main window: it stays open when the main window closes.
  const HWND about = CreateWindowExW(0, kAboutClass, L"Sorvane", style, (main.left + main.right - width) / 2,
                                     (main.top + main.bottom - height) / 2, width, height, nullptr, nullptr,
                                     GetModuleHandleW(nullptr), nullptr);
  if (!about) return nullptr;
  auto* state = new AboutState;
  SetWindowLongPtrW(about, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
  int id = 1;
  for (const auto& design : kAboutLabels) {
    const HWND label = CreateWindowExW(0, L"STATIC", Wide(design.text).c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX,
                                       0, 0, 0, 0, about, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id++)), nullptr,
                                       nullptr);
    Place(label, design.twips, dpi);
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(state->fonts.emplace_back(MakeFont(design.font, dpi))), FALSE);
    state->colours.push_back(ColourOf(design.rgb));
  }
  const HWND close = CreateWindowExW(0, L"BUTTON", L"Close", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 0,
                                     0, 0, about, reinterpret_cast<HMENU>(kAboutCloseId), nullptr, nullptr);
  Place(close, kAboutCloseButtonTwips, dpi);
  SendMessageW(close, WM_SETFONT, reinterpret_cast<WPARAM>(state->fonts.emplace_back(MakeFont(FontSpec{}, dpi))), FALSE);
  SetFocus(close);
  return about;
}

}  // namespace sorvane::ui::win32
