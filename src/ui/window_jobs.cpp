#include "ui/window_jobs.h"

#include <optional>

#include "common/text.h"
#include "jobs/adjust_job.h"
#include "jobs/coefficient_job.h"
#include "ui/window_model.h"

namespace sorvane::ui {

namespace {

JobOutcome OutcomeOf(const WindowState& window, const JobReport& report) {
  return JobOutcome{window, report.programEnds, report.anyRefused};
}

// Between a list job and the window: notices pass as they come, except the run's
// warnings and its "JOB END", which wait until the job has said what the run came to.
// A run that had anything to say then ends with one message saying it, the warnings
// under it; a run that had nothing to say shows "JOB END" alone, with its summary in the
// progress window behind it.
class RunCloser final : public Notices {
 public:
  explicit RunCloser(Notices& window) : window_(window) {}

  void Show(const Notice& notice) override {
    if (notice.kind == NoticeKind::Warning) {
      warnings_ += (warnings_.empty() ? "" : "\n") + notice.text;
    } else if (notice.kind != NoticeKind::ProgramEnd && TrimSpaces(notice.text) == "JOB END") {
      jobEnd_ = notice;
    } else {
      anyShown_ = true;
      window_.Show(notice);
    }
  }
  void Progress(std::size_t fileIndex, std::size_t fileCount, std::string_view fileName) override {
    window_.Progress(fileIndex, fileCount, fileName);
  }
  void Summarise(std::string_view summary) override { window_.Summarise(summary); }

  // Shows what was held back once `report` tells how the run of `module`'s list went.
  void Close(Module module, const JobReport& report, const AppFolder& folder) {
    if (report.listUsedUp) {
      const std::string summary = RunSummaryText(module, report, folder);
      if (anyShown_ || !warnings_.empty()) window_.Show(RunClosingNotice(summary, warnings_));
      window_.Summarise(summary);
    } else if (!warnings_.empty()) {
      window_.Show(Warning(warnings_));
    }
    if (jobEnd_) window_.Show(*jobEnd_);
  }

 private:
  Notices& window_;
  std::string warnings_;
  std::optional<Notice> jobEnd_;
  bool anyShown_ = false;
};

}  // namespace

// The window keeps the format's rule: an empty field is 0, and no value is a missing code.
RunOptions WindowRunOptions(unsigned jobs) { return RunOptions{jobs, ReadingRules{}, HeatIndexSource::Table, false}; }

JobOutcome PetRunFromWindow(const WindowState& window, const AppFolder& folder, Notices& notices,
                            const RunOptions& options) {
  RunCloser closer(notices);
  const JobReport report = RunPetJob(window.text1, folder, closer, options);
  closer.Close(Module::Pet, report, folder);
  JobOutcome outcome = OutcomeOf(window, report);
  if (report.listUsedUp) outcome.window.text1.clear();
  return outcome;
}

JobOutcome CoefficientRunFromWindow(const WindowState& window, const AppFolder& folder, Notices& notices) {
  RunCloser closer(notices);
  const JobReport report = RunCoefficientJob(window.text1, window.list2Marks, folder, closer);
  closer.Close(Module::Coefficients, report, folder);
  JobOutcome outcome = OutcomeOf(window, report);
  if (report.listUsedUp) {
    outcome.window.text1.clear();
    outcome.window.list2Entries.clear();
    outcome.window.list2Marks.clear();
    outcome.window.list2HeightTwips = kListEntryTwips;
  }
  return outcome;
}

JobOutcome AdjustFromWindow(const WindowState& window, const AppFolder& folder, Notices& notices) {
  return OutcomeOf(window, AdjustPetResults(window.text1, folder, notices));
}

}  // namespace sorvane::ui
