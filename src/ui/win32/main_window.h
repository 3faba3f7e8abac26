// The main window on Windows: the controls of the layout table, the module views, Browse,
// Help, About and the three Process buttons. Like the Qt window it gathers its state for
// the jobs and shows what they hand back; it computes nothing itself.
#pragma once

#include <windows.h>

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "common/app_folder.h"
#include "ui/win32/job_runner.h"
#include "ui/window_jobs.h"
#include "ui/window_look.h"
#include "ui/window_model.h"

namespace sorvane::ui::win32 {

class MainWindow {
 public:
  explicit MainWindow(AppFolder folder);
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Creates and shows the window; false when it cannot be made.
  bool Open(int showCommand);
  HWND Handle() const { return window_; }
  HWND About() const { return about_; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l);
  LRESULT Handle(UINT message, WPARAM w, LPARAM l);

  void BuildControls();
  HWND Control(std::string_view name) const;
  void LayOut();  // every control at its place and in its font at the current scale
  void MakeFonts();
  void OnCommand(int id, int code);
  void OnButton(ButtonAction action);
  void ApplyModuleView(Module module);
  void Browse();
  std::optional<std::filesystem::path> ChooseFile(const std::optional<ModuleData>& data);
  std::optional<std::filesystem::path> TakeIntoDataFolder(const std::filesystem::path& chosen, const ModuleData& data);
  void FillMethodList();
  void ToggleHelp();
  void ShowAbout();
  void Run(Job job);
  void JobEnded(const JobOutcome* outcome);
  WindowState CurrentState() const;
  void ShowState(const WindowState& state);
  void SetMethodEntries(const std::vector<std::string>& entries, const std::vector<bool>& marks);
  void ShowList2();
  void ShowNotice(const std::string& text);
  void EndProgram();
  void DrawItem(const DRAWITEMSTRUCT& item);
  void DrawMarkedEntry(const DRAWITEMSTRUCT& item);

  AppFolder folder_;
  HWND window_ = nullptr;
  HWND about_ = nullptr;
  HWND tooltip_ = nullptr;
  UINT dpi_ = 96;
  // Where each control of the layout table stands now, in twips: the views move some.
  std::array<Placement, kMainWindowControls.size()> placed_{};
  std::array<bool, kMainWindowControls.size()> shown_{};
  std::vector<HFONT> fonts_;  // made at the current scale, deleted with the window
  HFONT windowFont_ = nullptr, buttonFont_ = nullptr, helpFont_ = nullptr;
  Module view_ = Module::None;  // the module last picked in Combo1
  // The file-open dialog's file name, which a cancelled dialog leaves as it was, and the
  // folder it was chosen in (the folder the program started in, before any choice).
  std::wstring dialogFileName_;
  std::filesystem::path browsedFolder_;
  std::optional<JobRunner> job_;
};

}  // namespace sorvane::ui::win32
