#include "ui/win32/main_window.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/help_text.h"
#include "ui/win32/about_window.h"
#include "ui/win32/host.h"
#include "ui/win32/pictures.h"

namespace sorvane::ui::win32 {

namespace {

const LabelSpec* LabelNamed(std::string_view name) {
  for (const auto& label : kLabels)
    if (label.name == name) return &label;
  return nullptr;
}

const ButtonSpec* ButtonNamed(std::string_view name) {
  for (const auto& button : kButtons)
    if (button.name == name) return &button;
  return nullptr;
}

// The class and styles of a control of the layout table.
struct ControlKind {
  const wchar_t* type;
  DWORD style;
  DWORD exStyle = 0;
};

ControlKind KindOf(std::string_view name) {
  if (name == "List1") return {L"LISTBOX", WS_VSCROLL | WS_HSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOSEL, WS_EX_CLIENTEDGE};
  if (name == "Combo1") return {L"COMBOBOX", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP};
  if (name == "Text1") return {L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
  // Entries marked and unmarked independently, each by a click.
  if (name == "List2")
    return {L"LISTBOX", LBS_MULTIPLESEL | LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | WS_VSCROLL |
                            WS_TABSTOP,
            WS_EX_CLIENTEDGE};
  if (ButtonNamed(name)) return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP};
  if (const auto* label = LabelNamed(name))
    return {L"STATIC", static_cast<DWORD>(SS_NOPREFIX | SS_NOTIFY | (label->centred ? SS_CENTER : SS_LEFT))};
  return {L"STATIC", SS_OWNERDRAW};  // Line1 and the two pictures
}

// A picture drawn over the window's background: its pixels blended by their alpha.
void DrawPicture(HDC dc, const RECT& area, const Picture& picture) {
  const COLORREF back = GetSysColor(COLOR_BTNFACE);
  std::vector<unsigned char> bgra(static_cast<std::size_t>(picture.width * picture.height * 4));
  for (std::size_t k = 0; k < bgra.size(); k += 4) {
    const unsigned alpha = picture.rgba[k + 3];
    const auto blend = [alpha](unsigned over, unsigned under) {
      return static_cast<unsigned char>((over * alpha + under * (255 - alpha) + 127) / 255);
    };
    bgra[k] = blend(picture.rgba[k + 2], GetBValue(back));
    bgra[k + 1] = blend(picture.rgba[k + 1], GetGValue(back));
    bgra[k + 2] = blend(picture.rgba[k], GetRValue(back));
  }
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), picture.width, -picture.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  SetStretchBltMode(dc, HALFTONE);
  StretchDIBits(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, 0, 0, picture.width,
                picture.height, bgra.data(), &info, DIB_RGB_COLORS, SRCCOPY);
}

}  // namespace

MainWindow::MainWindow(AppFolder folder) : folder_(std::move(folder)), browsedFolder_(std::filesystem::current_path()) {
  for (std::size_t k = 0; k < kMainWindowControls.size(); ++k) {
    placed_[k] = kMainWindowControls[k].twips;
    shown_[k] = kMainWindowControls[k].shown;
  }
}

MainWindow::~MainWindow() {
  for (const HFONT font : fonts_) DeleteObject(font);
}

bool MainWindow::Open(int showCommand) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  if (!RegisterWindowClass(instance, &MainWindow::Procedure, kMainClass) || !JobRunner::RegisterClass(instance) || !RegisterAboutClass(instance)) return false;

  constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  window_ = CreateWindowExW(0, kMainClass, L"Sorvane", style, CW_USEDEFAULT, CW_USEDEFAULT, 100, 100, nullptr,
                            nullptr, instance, this);
  if (!window_) return false;
  dpi_ = DpiOf(window_);
  BuildControls();
  LayOut();

  // Opening the window: the three modules, none of them chosen.
  const HWND combo = Control("Combo1");
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  for (const auto name : kModuleNames) SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(name).c_str()));
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  SetWindowTextW(combo, L"");

  ShowWindow(window_, showCommand);
  UpdateWindow(window_);
  return true;
}

HWND MainWindow::Control(std::string_view name) const { return GetDlgItem(window_, ControlId(name)); }

void MainWindow::BuildControls() {
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0,
                             0, window_, nullptr, nullptr, nullptr);
  for (const auto& design : kMainWindowControls) {
    const ControlKind kind = KindOf(design.name);
    std::wstring caption;
    if (const auto* label = LabelNamed(design.name)) caption = Wide(label->text);
    if (const auto* button = ButtonNamed(design.name)) caption = Wide(button->caption);
    const HWND control = CreateWindowExW(kind.exStyle, kind.type, caption.c_str(), WS_CHILD | WS_CLIPSIBLINGS | kind.style,
                                         0, 0, 0, 0, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(design.name))),
                                         nullptr, nullptr);
    const auto* label = LabelNamed(design.name);
    if (label && !label->tooltip.empty()) {
      TTTOOLINFOW tool{};
      tool.cbSize = sizeof tool;
      tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
      tool.hwnd = window_;
      tool.uId = reinterpret_cast<UINT_PTR>(control);
      std::wstring tip = Wide(label->tooltip);
      tool.lpszText = tip.data();
      SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
  }
  // The version number stands over the corner of the title logo; the method list grows
  // downward over whatever lies below it.
  for (const auto name : {"Label1", "List2"}) SetWindowPos(Control(name), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void MainWindow::MakeFonts() {
  for (const HFONT font : fonts_) DeleteObject(font);
  fonts_.clear();
  const auto make = [this](const FontSpec& design) { return fonts_.emplace_back(MakeFont(design, dpi_)); };
  windowFont_ = make(kWindowFont);
  buttonFont_ = make(FontSpec{});
  helpFont_ = make(kHelpFont);
  for (const auto& label : kLabels) SendMessageW(Control(label.name), WM_SETFONT, reinterpret_cast<WPARAM>(make(label.font)), FALSE);
}

void MainWindow::LayOut() {
  RECT frame{0, 0, Scaled(kClientWidthTwips, dpi_), Scaled(kClientHeightTwips, dpi_)};
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE));
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  MakeFonts();
  for (std::size_t k = 0; k < kMainWindowControls.size(); ++k) {
    const std::string_view name = kMainWindowControls[k].name;
    const HWND control = Control(name);
    if (ButtonNamed(name)) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(buttonFont_), FALSE);
    if (name == "Combo1" || name == "Text1" || name == "List2")
      SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(windowFont_), FALSE);
    if (name == "List1") SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(helpFont_), FALSE);
    Placement at = placed_[k];
    if (name == "Line1") {
      // Line1: kLineThicknessPixels thick, centred on its designed line.
      MoveWindow(control, Scaled(at.left, dpi_), Scaled(at.top, dpi_) - kLineThicknessPixels * dpi_ / 96 / 2,
                 Scaled(at.width, dpi_), std::max<int>(1, kLineThicknessPixels * dpi_ / 96), TRUE);
    } else if (name == "Combo1") {
      // A drop-down list is as high as its text field; the rest is its list, dropped down.
      Place(control, {at.left, at.top, at.width, at.height * 5}, dpi_);
      // Its height follows from its field's; systems differ in what they add to that.
      const int want = Scaled(at.height, dpi_);
      auto field = SendMessageW(control, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
      for (int attempt = 0; attempt < 3; ++attempt) {
        RECT closed{};
        GetWindowRect(control, &closed);
        const int off = want - (closed.bottom - closed.top);
        if (off == 0) break;
        field += off;
        SendMessageW(control, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
      }
    } else {
      Place(control, at, dpi_);
    }
    ShowWindow(control, shown_[k] ? SW_SHOWNA : SW_HIDE);
  }
  const HWND list2 = Control("List2");
  const int entries = std::max<int>(1, static_cast<int>(SendMessageW(list2, LB_GETCOUNT, 0, 0)));
  RECT client{};
  GetClientRect(list2, &client);
  SendMessageW(list2, LB_SETITEMHEIGHT, 0, std::max<LPARAM>(1, std::min<LPARAM>(Scaled(kListEntryTwips, dpi_), client.bottom / entries)));
  InvalidateRect(window_, nullptr, TRUE);
}

LRESULT CALLBACK MainWindow::Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  return self ? self->Handle(message, w, l) : DefWindowProcW(window, message, w, l);
}

LRESULT MainWindow::Handle(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(w), HIWORD(w));
      return 0;
    case WM_CTLCOLORSTATIC: {
      const HDC dc = reinterpret_cast<HDC>(w);
      const auto id = GetDlgCtrlID(reinterpret_cast<HWND>(l)) - kFirstControlId;
      if (id >= 0 && id < static_cast<int>(kMainWindowControls.size())) {
        if (const auto* label = LabelNamed(kMainWindowControls[static_cast<std::size_t>(id)].name)) {
          SetTextColor(dc, ColourOf(label->rgb));
          // Drawn over the window's own background: only their text shows.
          SetBkMode(dc, TRANSPARENT);
          return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
      }
      break;
    }
    case WM_CTLCOLORLISTBOX:
      if (reinterpret_cast<HWND>(l) == Control("List1")) {
        SetTextColor(reinterpret_cast<HDC>(w), ColourOf(kHelpTextRgb));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
      }
      break;
    case WM_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(l)->itemHeight = static_cast<UINT>(Scaled(kListEntryTwips, dpi_));
      return TRUE;
    case WM_DRAWITEM:
      DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(l));
      return TRUE;
    case WM_DPICHANGED: {
      dpi_ = HIWORD(w);
      const RECT& suggested = *reinterpret_cast<const RECT*>(l);
      SetWindowPos(window_, nullptr, suggested.left, suggested.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      LayOut();
      return 0;
    }
    case kJobEndedMessage:
      JobEnded(reinterpret_cast<const JobOutcome*>(l));
      return 0;
    case WM_CLOSE:
      if (job_) return 0;  // a job runs to its end; the window closes after it
      DestroyWindow(window_);
      return 0;
    case WM_DESTROY:
      // An open About window stays until the user closes it; the program ends with it.
      if (!about_ || !IsWindow(about_)) PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window_, message, w, l);
}

void MainWindow::DrawItem(const DRAWITEMSTRUCT& item) {
  const auto name = kMainWindowControls[static_cast<std::size_t>(item.CtlID) - kFirstControlId].name;
  if (name == "List2") return DrawMarkedEntry(item);
  if (name == "Line1") {
    const HBRUSH grey = CreateSolidBrush(ColourOf(kLineRgb));
    FillRect(item.hDC, &item.rcItem, grey);
    DeleteObject(grey);
    return;
  }
  DrawPicture(item.hDC, item.rcItem, name == "Image1" ? kImage1 : kImage2);
}

}  // namespace sorvane::ui::win32
