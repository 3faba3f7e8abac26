// Works sorvane.exe as a user would, for the window's test under Wine: finds its controls,
// picks each module, sets Text1 through Browse's file dialog, marks methods in List2,
// presses Process and reads and dismisses every message box. It prints what it saw, one
// line a fact, in UTF-8; scripts/test-windows.sh compares that with the Linux build.
//
//   sorvane-window-driver SORVANE_EXE APP_FOLDER SCREENSHOT_BMP
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "ui/win32/host.h"
#include "ui/window_model.h"

using namespace sorvane::ui;
using namespace sorvane::ui::win32;

namespace {

DWORD gProcess = 0;
int gFailures = 0;
std::string gAppFolder;  // as sorvane.exe was given it; printed as APPFOLDER

void Say(const std::string& line) {
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

void Fail(const std::string& what) {
  ++gFailures;
  Say("FAILED: " + what);
}

void Pause(int milliseconds = 50) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

// Waits up to 60 s (Wine starts slowly on a loaded machine) for `found` to give a window.
template <typename Find>
HWND WaitFor(Find found) {
  for (int k = 0; k < 1200; ++k) {
    if (const HWND window = found()) return window;
    Pause();
  }
  return nullptr;
}

template <typename Test>
bool WaitUntil(Test test) {
  for (int k = 0; k < 1200; ++k) {
    if (test()) return true;
    Pause();
  }
  return false;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

// The visible top-level windows of sorvane.exe of class `type`.
std::vector<HWND> WindowsOf(const wchar_t* type) {
  struct Search {
    const wchar_t* type;
    std::vector<HWND> found;
  } search{type, {}};
  EnumWindows(
      [](HWND window, LPARAM l) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(l);
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process == gProcess && IsWindowVisible(window) && ClassOf(window) == s.type) s.found.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FirstOf(const wchar_t* type) {
  const auto windows = WindowsOf(type);
  return windows.empty() ? nullptr : windows.front();
}

// A message box: a dialog with no edit field, only its text, icon and buttons.
bool IsMessageBox(HWND dialog) { return !FindWindowExW(dialog, nullptr, L"Edit", nullptr) && !FindWindowExW(dialog, nullptr, L"ComboBoxEx32", nullptr); }

// The text of a control of sorvane.exe (GetWindowText reads only captions across processes).
std::wstring RemoteText(HWND control) {
  std::wstring text(static_cast<std::size_t>(SendMessageW(control, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

// The longest text of the box's static controls: its message.
std::wstring MessageOf(HWND box) {
  std::wstring message;
  for (HWND child = FindWindowExW(box, nullptr, L"Static", nullptr); child;
       child = FindWindowExW(box, child, L"Static", nullptr)) {
    const std::wstring text = RemoteText(child);
    if (text.size() > message.size()) message = text;
  }
  return message;
}

HWND MessageBoxShown() {
  for (const HWND dialog : WindowsOf(L"#32770"))
    if (IsMessageBox(dialog)) return dialog;
  return nullptr;
}

// A text as the Linux transcript prints it: on one line, the ApplicationFolder as APPFOLDER.
std::string OneLine(std::wstring wide) {
  std::string text = Narrow(wide);
  for (std::size_t at; !gAppFolder.empty() && (at = text.find(gAppFolder)) != std::string::npos;)
    text.replace(at, gAppFolder.size(), "APPFOLDER");
  for (auto& c : text)
    if (c == '\r' || c == '\n') c = ' ';
  return text;
}

// What the progress window says; empty when none is shown.
std::wstring ProgressShown() {
  const HWND progress = FirstOf(kProgressClass);
  return progress ? RemoteText(GetDlgItem(progress, kProgressTextId)) : std::wstring();
}

// Reads and dismisses message boxes until the window takes input again. At "JOB END" it
// reads the progress window behind it too.
void DismissNotices(HWND main) {
  for (int k = 0; k < 2400; ++k) {
    if (const HWND box = MessageBoxShown()) {
      const std::wstring message = MessageOf(box);
      Say("notice: [" + Narrow(TextOf(box)) + "] " + OneLine(message));
      if (message.find(L"JOB END") != std::wstring::npos) Say("progress: " + OneLine(ProgressShown()));
      PostMessageW(box, WM_COMMAND, IDOK, 0);
      while (IsWindow(box) && IsWindowVisible(box)) Pause(20);
      continue;
    }
    if (!IsWindow(main)) return;
    if (IsWindowEnabled(main) && !FirstOf(kProgressClass)) return;
    Pause();
  }
  Fail("the window took no input again within two minutes");
}

HWND ControlOf(HWND main, std::string_view name) { return GetDlgItem(main, ControlId(name)); }

// A click whose handler returns at once (Process starts its job on a worker thread).
void Click(HWND button) { SendMessageW(button, BM_CLICK, 0, 0); }

// A Process button: the run starts behind its progress window, which says from the start
// what the run works through (its first line); then its notices.
void Process(HWND main, std::string_view button) {
  Click(ControlOf(main, button));
  std::wstring shown;
  WaitUntil([&shown] { return !(shown = ProgressShown()).empty(); });
  Say("scope: " + OneLine(shown.substr(0, shown.find(L'\n'))));
  DismissNotices(main);
}

void PickModule(HWND main, int entry) {
  const HWND combo = ControlOf(main, "Combo1");
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
  SendMessageW(main, WM_COMMAND, MAKEWPARAM(ControlId("Combo1"), CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
  Say("picked: " + std::string(kModuleNames[static_cast<std::size_t>(entry)]));
}

// Browse, and the file dialog given `file` as the user would type it.
void BrowseTo(HWND main, const std::wstring& file) {
  PostMessageW(ControlOf(main, "browse"), BM_CLICK, 0, 0);  // it returns when the dialog closes
  const HWND dialog = WaitFor([] {
    for (const HWND d : WindowsOf(L"#32770"))
      if (!IsMessageBox(d)) return d;
    return HWND{};
  });
  if (!dialog) return Fail("no file dialog");
  // The file name field: a combo box in the dialog of today, an edit field in older ones.
  const HWND field = WaitFor([dialog] {
    const HWND combo = GetDlgItem(dialog, 0x47c);
    return combo ? combo : GetDlgItem(dialog, 0x480);
  });
  Pause(300);  // the dialog fills its folder view after it is shown
  SetWindowTextW(field, file.c_str());
  PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  WaitUntil([dialog] { return !IsWindow(dialog); });
  // Browse has ended when Text1 names the file (or a notice asks for attention).
  WaitUntil([main] { return !RemoteText(ControlOf(main, "Text1")).empty() || MessageBoxShown() != nullptr; });
  DismissNotices(main);
  Say("Text1: " + Narrow(RemoteText(ControlOf(main, "Text1"))));
}

// Every shown control where the layout table and the module's view put it (±1 pixel).
void CheckPlaces(HWND main, Module module, std::size_t list2Entries) {
  const UINT dpi = DpiOf(main);
  int checked = 0;
  for (const auto& design : kMainWindowControls) {
    Placement want = design.twips;
    bool shown = design.shown;
    if (const ModuleView* view = ViewOf(module)) {
      const auto apply = [&](std::string_view name, const ControlView& control) {
        if (design.name != name) return;
        if (control.topTwips) want.top = *control.topTwips;
        shown = control.shown;
      };
      apply("pet", view->pet);
      apply("coeff", view->coeff);
      apply("adj", view->adj);
      apply("List2", view->list2);
      if (design.name == "Text1") want.width = view->text1WidthTwips;
    }
    if (design.name == "List2") {
      want.height = List2HeightTwips(list2Entries, want.top);
      shown = shown && list2Entries > 0;
    }
    const HWND control = ControlOf(main, design.name);
    if (!control) {
      Fail("no control " + std::string(design.name));
      continue;
    }
    if ((IsWindowVisible(control) != FALSE) != shown) Fail(std::string(design.name) + (shown ? " hidden" : " shown"));
    if (!shown) continue;
    RECT got{};
    GetWindowRect(control, &got);
    MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&got), 2);
    RECT expect{Scaled(want.left, dpi), Scaled(want.top, dpi), Scaled(want.left, dpi) + Scaled(want.width, dpi),
                Scaled(want.top, dpi) + Scaled(want.height, dpi)};
    if (design.name == "Line1") {  // three pixels thick, centred on its line
      const int thickness = static_cast<int>(kLineThicknessPixels * dpi / 96);
      expect.top -= thickness / 2;
      expect.bottom = expect.top + thickness;
    }
    const auto within = [](long a, long b) { return a - b <= 1 && b - a <= 1; };
    if (!within(got.left, expect.left) || !within(got.top, expect.top) || !within(got.right, expect.right) ||
        !within(got.bottom, expect.bottom)) {
      char text[200];
      std::snprintf(text, sizeof text, "%s at (%ld,%ld)-(%ld,%ld), designed (%ld,%ld)-(%ld,%ld)",
                    std::string(design.name).c_str(), got.left, got.top, got.right, got.bottom, expect.left, expect.top,
                    expect.right, expect.bottom);
      Fail(text);
    }
    ++checked;
  }
  Say("places: " + std::to_string(checked) + " controls checked");
}

// The window's client area as a 24-bit BMP.
void SaveScreenshot(HWND main, const std::wstring& file) {
  RECT client{};
  GetClientRect(main, &client);
  POINT origin{0, 0};
  ClientToScreen(main, &origin);
  const int width = client.right, height = client.bottom;
  const HDC screen = GetDC(nullptr);
  const HDC memory = CreateCompatibleDC(screen);
  const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
  BITMAPINFOHEADER header{sizeof header, width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  const int stride = (width * 3 + 3) & ~3;
  std::vector<char> pixels(static_cast<std::size_t>(stride * height));
  GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(), reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
  BITMAPFILEHEADER fileHeader{0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof header + pixels.size()), 0, 0,
                              sizeof(BITMAPFILEHEADER) + sizeof header};
  if (FILE* out = _wfopen(file.c_str(), L"wb")) {
    std::fwrite(&fileHeader, sizeof fileHeader, 1, out);
    std::fwrite(&header, sizeof header, 1, out);
    std::fwrite(pixels.data(), 1, pixels.size(), out);
    std::fclose(out);
  }
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

void CheckHelpAndAbout(HWND main, const std::wstring& screenshot) {
  const HWND list1 = ControlOf(main, "List1");
  Click(ControlOf(main, "Command4"));
  Pause(500);
  Say("help lines: " + std::to_string(SendMessageW(list1, LB_GETCOUNT, 0, 0)));
  SaveScreenshot(main, screenshot);
  Click(ControlOf(main, "Command4"));
  Pause(300);
  Say("help lines after a second press: " + std::to_string(SendMessageW(list1, LB_GETCOUNT, 0, 0)));

  Click(ControlOf(main, "Command3"));
  WaitFor([] { return FirstOf(kAboutClass); });
  Click(ControlOf(main, "Command3"));
  Pause(500);
  Say("About windows after two clicks: " + std::to_string(WindowsOf(kAboutClass).size()));
  // Escape closes it, as its Close button does.
  const HWND about = FirstOf(kAboutClass);
  if (const HWND close = about ? GetDlgItem(about, kAboutCloseId) : nullptr) {
    PostMessageW(close, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageW(close, WM_KEYUP, VK_ESCAPE, 0);
  }
  for (int k = 0; k < 100 && FirstOf(kAboutClass); ++k) Pause();
  Say("About windows after Escape: " + std::to_string(WindowsOf(kAboutClass).size()));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 4) {
    std::fputs("usage: sorvane-window-driver SORVANE_EXE APP_FOLDER SCREENSHOT_BMP\n", stderr);
    return 2;
  }
  SetProcessDPIAware();
  const std::wstring program = argv[1], app = argv[2];
  gAppFolder = Narrow(app);
  std::wstring command = L"\"" + program + L"\" --app-folder \"" + app + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, app.c_str(), &startup, &started)) {
    std::fputs("sorvane-window-driver: sorvane.exe does not start\n", stderr);
    return 2;
  }
  gProcess = started.dwProcessId;
  const HWND main = WaitFor([] { return FirstOf(kMainClass); });
  if (!main) {
    Fail("no main window");
    return 1;
  }
  Say("caption: " + Narrow(TextOf(main)));
  CheckPlaces(main, Module::None, 0);

  PickModule(main, 0);
  CheckPlaces(main, Module::Pet, 0);
  BrowseTo(main, app + L"\\data\\PET_DATA\\KESTREL.csv");
  Process(main, "pet");
  Say("Text1 after the run: " + Narrow(RemoteText(ControlOf(main, "Text1"))));

  PickModule(main, 1);
  CheckPlaces(main, Module::Coefficients, 0);
  BrowseTo(main, app + L"\\data\\COEFFI_DATA\\stations.csv");
  const HWND list2 = ControlOf(main, "List2");
  const auto entries = static_cast<std::size_t>(SendMessageW(list2, LB_GETCOUNT, 0, 0));
  CheckPlaces(main, Module::Coefficients, entries);
  for (const int marked : {1, 2, 7}) SendMessageW(list2, LB_SETSEL, TRUE, marked);
  Say("List2: " + std::to_string(entries) + " entries, 3 marked");
  Process(main, "coeff");
  CheckPlaces(main, Module::Coefficients, 0);

  PickModule(main, 2);
  CheckPlaces(main, Module::Adjuster, 0);
  BrowseTo(main, app + L"\\OUTPUT\\stations_COEFFI.csv");
  Process(main, "adj");

  if (IsWindow(main)) {
    CheckHelpAndAbout(main, argv[3]);
    PostMessageW(main, WM_CLOSE, 0, 0);
  }
  if (WaitForSingleObject(started.hProcess, 30000) != WAIT_OBJECT_0) Fail("sorvane.exe did not end");
  Say(gFailures ? "driver: " + std::to_string(gFailures) + " failures" : "driver: all as designed");
  return gFailures ? 1 : 0;
}
