#include "jobs/adjust_job.h"

#include <utility>

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
  AdjustedStation adjusted;
  if (const auto stop = Adjust(platform::PathFromUtf8(path), folder, adjusted)) {
    notices.Show(*stop);
    if (stop->kind == NoticeKind::ProgramEnd) {
      report.programEnds = true;
      return report;
    }
    report.anyRefused = stop->kind == NoticeKind::Refusal;
  }
  report.station = std::move(adjusted.station);
  report.written = std::move(adjusted.written);
  notices.Show(JobEndNotice(kAdjustEndTrailingSpaces));
  return report;
}

}  // namespace sorvane
