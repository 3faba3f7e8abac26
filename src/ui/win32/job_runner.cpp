#include "ui/win32/job_runner.h"

#include <commctrl.h>

#include <algorithm>
#include <exception>
#include <new>

#include "ui/win32/host.h"

namespace sorvane::ui::win32 {

namespace {

constexpr UINT kNoticeMessage = WM_APP + 2;    // LPARAM: const Notice*
constexpr UINT kProgressMessage = WM_APP + 3;  // LPARAM: const FileProgress*
constexpr UINT kWorkDoneMessage = WM_APP + 4;
constexpr UINT kSummaryMessage = WM_APP + 5;   // LPARAM: const std::string_view*

struct FileProgress {
  std::size_t fileIndex;
  std::size_t fileCount;
  std::string_view fileName;
};

constexpr Placement kProgressClientTwips{0, 0, 6000, 1500};
constexpr Placement kProgressTextTwips{180, 120, 5640, 690};
constexpr Placement kProgressBarTwips{180, 900, 5640, 330};

void ShowBarFull(HWND bar) {
  SetWindowLongPtrW(bar, GWL_STYLE, GetWindowLongPtrW(bar, GWL_STYLE) & ~PBS_MARQUEE);
  SendMessageW(bar, PBM_SETRANGE32, 0, 1);
  SendMessageW(bar, PBM_SETPOS, 1, 0);
}

}  // namespace

void ShowMessage(HWND owner, const std::string& text, NoticeIcon icon) {
  MessageBoxW(owner, Wide(text).c_str(), L"",
              MB_OK | (icon == NoticeIcon::Warning ? MB_ICONWARNING : MB_ICONINFORMATION));
}

bool AskYesNo(HWND owner, const std::string& question) {
  return MessageBoxW(owner, Wide(question).c_str(), L"", MB_YESNO | MB_ICONQUESTION) == IDYES;
}

// The job's Notices, called on the worker thread: each call is sent to the progress
// window, whose thread shows it; the worker waits until it has been dismissed.
class JobRunner::ThreadNotices : public Notices {
 public:
  explicit ThreadNotices(HWND progress) : progress_(progress) {}
  void Show(const Notice& notice) override {
    SendMessageW(progress_, kNoticeMessage, 0, reinterpret_cast<LPARAM>(&notice));
  }
  void Progress(std::size_t fileIndex, std::size_t fileCount, std::string_view fileName) override {
    const FileProgress progress{fileIndex, fileCount, fileName};
    SendMessageW(progress_, kProgressMessage, 0, reinterpret_cast<LPARAM>(&progress));
  }
  void Summarise(std::string_view summary) override {
    SendMessageW(progress_, kSummaryMessage, 0, reinterpret_cast<LPARAM>(&summary));
  }

 private:
  HWND progress_;
};

bool JobRunner::RegisterClass(HINSTANCE instance) {
  return RegisterWindowClass(instance, &JobRunner::Procedure, kProgressClass, IDC_WAIT);
}

JobRunner::JobRunner(HWND owner, Job job, std::string scope) : owner_(owner), scope_(std::move(scope)) {
  const UINT dpi = DpiOf(owner);
  RECT frame{0, 0, Scaled(kProgressClientTwips.width, dpi), Scaled(kProgressClientTwips.height, dpi)};
  constexpr DWORD style = WS_POPUP | WS_CAPTION | WS_BORDER;
  AdjustWindowRectEx(&frame, style, FALSE, WS_EX_DLGMODALFRAME);
  RECT ownerFrame{};
  GetWindowRect(owner, &ownerFrame);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  progress_ = CreateWindowExW(WS_EX_DLGMODALFRAME, kProgressClass, L"Sorvane", style,
                              (ownerFrame.left + ownerFrame.right - width) / 2,
                              (ownerFrame.top + ownerFrame.bottom - height) / 2, width, height, owner, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(progress_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  const HWND text = CreateWindowExW(0, L"STATIC", Wide(scope_).c_str(), WS_CHILD | WS_VISIBLE | SS_NOPREFIX, 0, 0, 0,
                                    0, progress_, reinterpret_cast<HMENU>(kProgressTextId), nullptr, nullptr);
  const HWND bar = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE | PBS_MARQUEE, 0, 0, 0, 0,
                                   progress_, reinterpret_cast<HMENU>(kProgressBarId), nullptr, nullptr);
  Place(text, kProgressTextTwips, dpi);
  Place(bar, kProgressBarTwips, dpi);
  SendMessageW(text, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  SendMessageW(bar, PBM_SETMARQUEE, TRUE, 50);  // busy until the job names its first file

  EnableWindow(owner_, FALSE);
  ShowWindow(progress_, SW_SHOW);
  UpdateWindow(progress_);
  notices_ = std::make_unique<ThreadNotices>(progress_);
  worker_ = std::thread([this, job = std::move(job)] {
    try {
      outcome_ = job(*notices_);
    } catch (const std::bad_alloc&) {
      failed_ = true;
      failure_ = "the memory ran out";
    } catch (const std::exception& e) {
      failed_ = true;
      failure_ = e.what();
    } catch (...) {
      failed_ = true;
      failure_ = "an unknown error";
    }
    PostMessageW(progress_, kWorkDoneMessage, 0, 0);
  });
}

JobRunner::~JobRunner() {
  if (worker_.joinable()) worker_.join();
  EnableWindow(owner_, TRUE);  // before the progress window goes, so that the owner is activated
  DestroyWindow(progress_);
}

LRESULT CALLBACK JobRunner::Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  auto* runner = reinterpret_cast<JobRunner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  const HWND bar = GetDlgItem(window, kProgressBarId);
  switch (message) {
    case kNoticeMessage: {
      const auto& notice = *reinterpret_cast<const Notice*>(l);
      if (IsClosingNotice(notice)) ShowBarFull(bar);
      ShowMessage(window, notice.text, IconFor(notice));
      return 0;
    }
    case kSummaryMessage:
      ShowBarFull(bar);
      SetDlgItemTextW(window, kProgressTextId, Wide(std::string(*reinterpret_cast<const std::string_view*>(l))).c_str());
      return 0;
    case kProgressMessage: {
      const auto& progress = *reinterpret_cast<const FileProgress*>(l);
      SendMessageW(bar, PBM_SETMARQUEE, FALSE, 0);
      SetWindowLongPtrW(bar, GWL_STYLE, GetWindowLongPtrW(bar, GWL_STYLE) & ~PBS_MARQUEE);
      SendMessageW(bar, PBM_SETRANGE32, 0, static_cast<LPARAM>(progress.fileCount));
      // Files of a parallel run may report out of order: the bar never moves back.
      const auto position = static_cast<WPARAM>(
          std::max<LRESULT>(SendMessageW(bar, PBM_GETPOS, 0, 0), static_cast<LRESULT>(progress.fileIndex)));
      SendMessageW(bar, PBM_SETPOS, position, 0);
      const std::string text = ProgressText(runner->scope_, progress.fileIndex, progress.fileCount, progress.fileName);
      SetDlgItemTextW(window, kProgressTextId, Wide(text).c_str());
      return 0;
    }
    case kWorkDoneMessage:
      if (runner->failed_) {
        // The core reports its faults as notices; whatever is thrown past it is shown
        // too, and the window keeps the state it had.
        ShowMessage(window, "The job stopped: " + runner->failure_, NoticeIcon::Warning);
      }
      PostMessageW(runner->owner_, kJobEndedMessage, 0,
                   runner->failed_ ? 0 : reinterpret_cast<LPARAM>(&runner->outcome_));
      return 0;
    case WM_CLOSE:
      return 0;  // a job runs to its end
    default:
      return DefWindowProcW(window, message, w, l);
  }
}

}  // namespace sorvane::ui::win32
