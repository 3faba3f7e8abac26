// What the main window's controls do: the module views, Browse, Help, About, the marked
// method list and the three Process buttons.
#include <windows.h>
#include <commdlg.h>

#include <algorithm>
#include <thread>

#include "coefficients/coefficient_table.h"
#include "common/data_file_list.h"
#include "common/platform.h"
#include "ui/help_text.h"
#include "ui/win32/about_window.h"
#include "ui/win32/host.h"
#include "ui/win32/main_window.h"

namespace sorvane::ui::win32 {

void MainWindow::OnCommand(int id, int code) {
  const int row = id - kFirstControlId;
  if (row < 0 || row >= static_cast<int>(kMainWindowControls.size())) return;
  const std::string_view name = kMainWindowControls[static_cast<std::size_t>(row)].name;
  if (name == "Combo1" && code == CBN_SELCHANGE) {
    // Only picking an entry chooses a module; typing into the text changes no view.
    const HWND combo = Control("Combo1");
    const auto picked = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (picked == CB_ERR) return;
    std::wstring text(static_cast<std::size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(picked), 0)) + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(picked), reinterpret_cast<LPARAM>(text.data()));
    text.resize(text.find(L'\0'));
    ApplyModuleView(ModuleNamed(Narrow(text)));
    return;
  }
  if (code != BN_CLICKED) return;
  for (const auto& button : kButtons)
    if (button.name == name) OnButton(button.action);
}

void MainWindow::OnButton(ButtonAction action) {
  switch (action) {
    case ButtonAction::Browse: return Browse();
    case ButtonAction::ProcessPet: {
      const WindowState state = CurrentState();
      const RunOptions options = WindowRunOptions(std::max(1u, std::thread::hardware_concurrency()));
      return Run([state, options, folder = folder_](Notices& notices) {
        return PetRunFromWindow(state, folder, notices, options);
      });
    }
    case ButtonAction::ProcessCoefficients:
      return Run([state = CurrentState(), folder = folder_](Notices& notices) {
        return CoefficientRunFromWindow(state, folder, notices);
      });
    case ButtonAction::ProcessAdjuster:
      return Run([state = CurrentState(), folder = folder_](Notices& notices) {
        return AdjustFromWindow(state, folder, notices);
      });
    case ButtonAction::About: return ShowAbout();
    case ButtonAction::Help: return ToggleHelp();
  }
}

void MainWindow::ApplyModuleView(Module module) {
  const ModuleView* view = ViewOf(module);
  if (!view) return;
  view_ = module;
  const auto apply = [this](std::string_view name, const ControlView& control) {
    const std::size_t row = static_cast<std::size_t>(ControlId(name) - kFirstControlId);
    if (control.topTwips) placed_[row].top = *control.topTwips;
    shown_[row] = control.shown;
  };
  apply("pet", view->pet);
  apply("coeff", view->coeff);
  apply("adj", view->adj);
  apply("List2", view->list2);
  placed_[static_cast<std::size_t>(ControlId("Text1") - kFirstControlId)].width = view->text1WidthTwips;
  ShowList2();
}

// Browse opens in the data folder of the module named by Combo1 (typed or picked), and
// takes a file chosen elsewhere only as a copy in that folder, where the module's job
// will look for it.
void MainWindow::Browse() {
  const Module module = ModuleNamed(Narrow(TextOf(Control("Combo1"))));
  const auto data = DataFolderOf(module, folder_);
  if (const auto chosen = ChooseFile(data)) {
    const auto taken = data ? TakeIntoDataFolder(*chosen, *data) : chosen;
    if (!taken) return;  // Text1 and the DataFileList stay as they were
    dialogFileName_ = taken->native();
    browsedFolder_ = taken->parent_path();
  }
  SetWindowTextW(Control("Text1"), dialogFileName_.c_str());

  if (module == Module::Pet || module == Module::Coefficients) {
    if (auto written = WriteDataFileList(folder_, browsedFolder_, Narrow(TextOf(Control("Text1")))); !written)
      ShowNotice(Located(written.error()));
  }
  if (module == Module::Coefficients) FillMethodList();
}

std::optional<std::filesystem::path> MainWindow::ChooseFile(const std::optional<ModuleData>& data) {
  std::wstring filter = Wide(kBrowseFilter) + L'|';
  std::replace(filter.begin(), filter.end(), L'|', L'\0');
  std::wstring file(32768, L'\0');
  const std::wstring start = data ? data->folder.native() : std::wstring();
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = window_;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrInitialDir = start.empty() ? nullptr : start.c_str();
  // The dialog leaves the chosen file's folder as the current folder.
  dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  if (!GetOpenFileNameW(&dialog)) return std::nullopt;
  file.resize(file.find(L'\0'));
  return std::filesystem::path(file);
}

// `chosen` when it lies in the module's data folder; else, when the user agrees, the
// path of its copy there; nullopt when the user declines or the copy fails.
std::optional<std::filesystem::path> MainWindow::TakeIntoDataFolder(const std::filesystem::path& chosen,
                                                                    const ModuleData& data) {
  if (LiesInDataFolder(chosen, data)) return chosen;
  if (!AskYesNo(window_, CopyQuestion(chosen, data))) return std::nullopt;
  auto copy = CopyIntoDataFolder(chosen, data);
  if (!copy) {
    ShowNotice(Located(copy.error()));
    return std::nullopt;
  }
  return *copy;
}

// The method names of the coefficient table, none of them marked, every one visible.
void MainWindow::FillMethodList() {
  const auto methods = ReadMethodNamesForList(folder_);
  if (!methods) ShowNotice(Located(methods.error()));
  const std::vector<std::string> names = methods ? *methods : std::vector<std::string>{};
  SetMethodEntries(names, std::vector<bool>(names.size(), false));
  ShowList2();
}

// Odd presses show the help text, even presses clear it.
void MainWindow::ToggleHelp() {
  const HWND list1 = Control("List1");
  SendMessageW(list1, WM_SETREDRAW, FALSE, 0);
  if (SendMessageW(list1, LB_GETCOUNT, 0, 0) > 0) {
    SendMessageW(list1, LB_RESETCONTENT, 0, 0);
  } else {
    for (const auto line : HelpText()) SendMessageW(list1, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(line).c_str()));
  }
  SendMessageW(list1, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list1, nullptr, TRUE);
}

// One About window at a time; a click while it is open brings it to the front.
void MainWindow::ShowAbout() {
  if (!about_ || !IsWindow(about_)) about_ = OpenAboutWindow(window_);
  if (!about_) return;
  ShowWindow(about_, SW_SHOW);
  SetForegroundWindow(about_);
}

void MainWindow::Run(Job job) {
  if (job_) return;
  job_.emplace(window_, std::move(job), RunScope(view_, folder_));
}

void MainWindow::JobEnded(const JobOutcome* outcome) {
  // The window shows the job's outcome before it takes input again.
  if (outcome) ShowState(outcome->window);
  const bool programEnds = outcome && outcome->programEnds;
  job_.reset();
  if (programEnds) EndProgram();
}

WindowState MainWindow::CurrentState() const {
  WindowState state;
  state.text1 = Narrow(TextOf(Control("Text1")));
  const HWND list2 = Control("List2");
  const auto count = SendMessageW(list2, LB_GETCOUNT, 0, 0);
  for (LRESULT k = 0; k < count; ++k) {
    std::wstring entry(static_cast<std::size_t>(SendMessageW(list2, LB_GETTEXTLEN, static_cast<WPARAM>(k), 0)) + 1, L'\0');
    SendMessageW(list2, LB_GETTEXT, static_cast<WPARAM>(k), reinterpret_cast<LPARAM>(entry.data()));
    entry.resize(entry.find(L'\0'));
    state.list2Entries.push_back(Narrow(entry));
    state.list2Marks.push_back(SendMessageW(list2, LB_GETSEL, static_cast<WPARAM>(k), 0) > 0);
  }
  state.list2HeightTwips = placed_[static_cast<std::size_t>(ControlId("List2") - kFirstControlId)].height;
  return state;
}

void MainWindow::ShowState(const WindowState& state) {
  SetWindowTextW(Control("Text1"), Wide(state.text1).c_str());
  const WindowState shown = CurrentState();
  if (state.list2Entries != shown.list2Entries || state.list2Marks != shown.list2Marks)
    SetMethodEntries(state.list2Entries, state.list2Marks);
  ShowList2();
}

void MainWindow::SetMethodEntries(const std::vector<std::string>& entries, const std::vector<bool>& marks) {
  const HWND list2 = Control("List2");
  SendMessageW(list2, LB_RESETCONTENT, 0, 0);
  for (std::size_t k = 0; k < entries.size(); ++k) {
    SendMessageW(list2, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(entries[k]).c_str()));
    if (k < marks.size() && marks[k]) SendMessageW(list2, LB_SETSEL, TRUE, static_cast<LPARAM>(k));
  }
}

// List2 as tall as its entries (never over Line1), and shown only in the coefficient
// generator's view once it holds entries.
void MainWindow::ShowList2() {
  const std::size_t row = static_cast<std::size_t>(ControlId("List2") - kFirstControlId);
  const auto count = static_cast<std::size_t>(SendMessageW(Control("List2"), LB_GETCOUNT, 0, 0));
  placed_[row].height = List2HeightTwips(count, placed_[row].top);
  shown_[row] = List2Shown(view_, count);
  LayOut();
}

void MainWindow::DrawMarkedEntry(const DRAWITEMSTRUCT& item) {
  if (item.itemID == static_cast<UINT>(-1)) return;
  const HDC dc = item.hDC;
  RECT area = item.rcItem;
  FillRect(dc, &area, GetSysColorBrush(COLOR_WINDOW));
  const int box = std::min<int>(area.bottom - area.top - 4, Scaled(195, dpi_));
  RECT check{area.left + 2, (area.top + area.bottom - box) / 2, area.left + 2 + box, (area.top + area.bottom + box) / 2};
  DrawFrameControl(dc, &check, DFC_BUTTON, DFCS_BUTTONCHECK | ((item.itemState & ODS_SELECTED) ? DFCS_CHECKED : 0));
  std::wstring entry(static_cast<std::size_t>(SendMessageW(item.hwndItem, LB_GETTEXTLEN, item.itemID, 0)) + 1, L'\0');
  SendMessageW(item.hwndItem, LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(entry.data()));
  entry.resize(entry.find(L'\0'));
  RECT text = area;
  text.left = check.right + 4;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  DrawTextW(dc, entry.c_str(), static_cast<int>(entry.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &area);
}

// The window's own notices: each tells of something that went wrong.
void MainWindow::ShowNotice(const std::string& text) { ShowMessage(window_, text, NoticeIcon::Warning); }

// After a notice that ends the program: every window closes and the program exits.
void MainWindow::EndProgram() {
  if (about_ && IsWindow(about_)) DestroyWindow(about_);
  about_ = nullptr;
  DestroyWindow(window_);
}

}  // namespace sorvane::ui::win32
