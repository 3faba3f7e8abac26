// Runs one job of the core on a worker thread behind a progress window: the window takes
// no input until the job's last notice is dismissed, yet it repaints, and a long run
// shows which file it is at. Notices are shown one at a time as message boxes on the
// window's thread, in the order the job gives them; the job waits for each.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "common/notices.h"
#include "ui/window_jobs.h"
#include "ui/window_model.h"

namespace sorvane::ui::win32 {

using Job = std::function<JobOutcome(Notices&)>;

// Sent to the owner window when the job has ended; LPARAM points to its JobOutcome, or is
// null when the job threw (what it threw has been shown as a notice).
inline constexpr UINT kJobEndedMessage = WM_APP + 1;

// A message box with an empty title: the window's notices and the jobs' UserNotices.
void ShowMessage(HWND owner, const std::string& text, NoticeIcon icon);
bool AskYesNo(HWND owner, const std::string& question);

class JobRunner {
 public:
  // Disables `owner`, shows the progress window and starts `job`.
  JobRunner(HWND owner, Job job, std::string scope);
  ~JobRunner();  // waits for the worker; call after kJobEndedMessage
  JobRunner(const JobRunner&) = delete;
  JobRunner& operator=(const JobRunner&) = delete;

  static bool RegisterClass(HINSTANCE instance);

 private:
  class ThreadNotices;
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l);

  HWND owner_;
  std::string scope_;  // what the progress window says from the start
  HWND progress_ = nullptr;
  std::unique_ptr<ThreadNotices> notices_;
  JobOutcome outcome_;
  std::string failure_;
  bool failed_ = false;
  std::thread worker_;
};

}  // namespace sorvane::ui::win32
