#include "ui/window_jobs.h"

#include "jobs/adjust_job.h"
#include "jobs/coefficient_job.h"

namespace sorvane::ui {

namespace {

JobOutcome OutcomeOf(const WindowState& window, const JobReport& report) {
  return JobOutcome{window, report.programEnds, report.anyRefused};
}

}  // namespace

// The window keeps the format's rule: an empty field is 0, and no value is a missing code.
RunOptions WindowRunOptions(unsigned jobs) { return RunOptions{jobs, ReadingRules{}, HeatIndexSource::Table, false}; }

JobOutcome PetRunFromWindow(const WindowState& window, const AppFolder& folder, Notices& notices,
                            const RunOptions& options) {
  const JobReport report = RunPetJob(window.text1, folder, notices, options);
  JobOutcome outcome = OutcomeOf(window, report);
  if (report.listUsedUp) outcome.window.text1.clear();
  return outcome;
}

JobOutcome CoefficientRunFromWindow(const WindowState& window, const AppFolder& folder, Notices& notices) {
  const JobReport report = RunCoefficientJob(window.text1, window.list2Marks, folder, notices);
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
