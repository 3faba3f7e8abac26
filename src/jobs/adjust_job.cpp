#include "jobs/adjust_job.h"

#include "adjuster/pet_adjuster.h"
#include "common/platform.h"
#include "common/text.h"

namespace sorvane {

namespace {

constexpr int kAdjustEndTrailingSpaces = 20;  // the adjuster's "JOB END" is padded wider than the others

}  // namespace

JobReport AdjustPetResults(std::string_view coefficientFile, const AppFolder& folder, Notices& notices) {
  const std::string_view path = TrimSpaces(coefficientFile);
  if (path.empty()) {
    notices.Show(Information(NoDataFileNotice()));
    return {};
  }
  JobReport report;
  if (const auto stop = Adjust(platform::PathFromUtf8(path), folder)) {
    notices.Show(*stop);
    if (stop->kind == NoticeKind::ProgramEnd) {
      report.programEnds = true;
      return report;
    }
    report.anyRefused = stop->kind == NoticeKind::Refusal;
  }
  notices.Show(JobEndNotice(kAdjustEndTrailingSpaces));
  return report;
}

}  // namespace sorvane
