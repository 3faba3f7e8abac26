// sorvane.exe: the desktop program on Windows. One window; everything it reads and writes
// lies in the ApplicationFolder (--app-folder DIR, else %SORVANE_HOME%, else the folder
// of this program when it holds support\, else the per-user folder made on first use).
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <exception>
#include <optional>
#include <string>

#include "common/app_folder.h"
#include "common/notices.h"
#include "common/platform.h"
#include "ui/win32/host.h"
#include "ui/win32/main_window.h"

namespace {

// Asks for a scale per monitor where the system knows of it (Windows 10 1703 on); the
// manifest asks too, and older systems keep the one scale of the whole desktop.
void BecomeDpiAware() {
  using SetContext = BOOL(WINAPI*)(HANDLE);
  const auto setContext = reinterpret_cast<SetContext>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32"), "SetProcessDpiAwarenessContext")));
  if (!setContext || !setContext(reinterpret_cast<HANDLE>(-4) /* per monitor, version 2 */)) SetProcessDPIAware();
}

// --app-folder DIR, taken from the UTF-16 command line so that every name arrives intact.
std::optional<std::filesystem::path> AppFolderArgument() {
  int count = 0;
  LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
  std::optional<std::filesystem::path> folder;
  for (int k = 1; words && k + 1 < count; ++k)
    if (std::wstring(words[k]) == L"--app-folder") folder = std::filesystem::path(words[k + 1]);
  LocalFree(words);
  return folder;
}

// The window over the ApplicationFolder, until it closes; its exit status.
int RunWindow(int showCommand) {
  using namespace sorvane::ui::win32;
  const auto folder = sorvane::LocateAppFolder(AppFolderArgument(), sorvane::platform::ThisExecutable(""));
  if (!folder) {
    MessageBoxW(nullptr, Wide(sorvane::Located(folder.error())).c_str(), L"Sorvane", MB_OK | MB_ICONERROR);
    return 2;
  }
  MainWindow window{sorvane::AppFolder(*folder)};
  if (!window.Open(showCommand)) {
    MessageBoxW(nullptr, L"The window cannot be made.", L"Sorvane", MB_OK | MB_ICONERROR);
    return 1;
  }
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    // Tab between controls; Escape in the About window closes it.
    const HWND root = GetAncestor(message.hwnd, GA_ROOT);
    if (root && (root == window.Handle() || root == window.About()) && IsDialogMessageW(root, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
  using sorvane::ui::win32::Wide;
  BecomeDpiAware();
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  // A job's faults are caught where the window runs it; whatever else is thrown ends the
  // program here with a message and a status, never an abort.
  try {
    return RunWindow(showCommand);
  } catch (const std::exception& e) {
    const std::wstring text = L"Sorvane stopped on a fault: " + Wide(e.what());
    MessageBoxW(nullptr, text.c_str(), L"Sorvane", MB_OK | MB_ICONERROR);
  } catch (...) {
    MessageBoxW(nullptr, L"Sorvane stopped on an unknown fault", L"Sorvane", MB_OK | MB_ICONERROR);
  }
  return 4;
}
