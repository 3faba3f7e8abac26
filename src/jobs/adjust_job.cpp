#include "jobs/adjust_job.h"

#include <string>
#include <utility>

#include "adjuster/pet_adjuster.h"
#include "common/platform.h"
#include "common/text.h"

namespace sorvane {

namespace {

constexpr int kAdjustEndTrailingSpaces = 20;  // the adjuster's "JOB END" is padded wider than the others

// The notice of an adjustment that ends the program without a fault: no PET result, or
// results that are not daily.
Notice ProgramEndNotice(const AdjustedStation& adjusted) {
  const std::string message = adjusted.end == AdjustEnd::NoPetResult ? adjusted.station + "_PET.csv   NOT available"
                                                                      : "Daily PET values are only adjustable";
  return {NoticeKind::ProgramEnd, PaddedNotice(message, 10)};
}

}  // namespace

JobReport AdjustPetResults(std::string_view coefficientFile, const AppFolder& folder, Notices& notices) {
  const std::string_view path = TrimSpaces(coefficientFile);
  if (path.empty()) {
    notices.Show(Information(NoDataFileNotice()));
    return {};
  }
  JobReport report;
  auto adjusted = Adjust(platform::PathFromUtf8(path), folder);
  if (!adjusted) {
    notices.Show(Refusal(Located(adjusted.error())));
    report.anyRefused = true;
  } else if (adjusted->end != AdjustEnd::Adjusted) {
    notices.Show(ProgramEndNotice(*adjusted));
    report.programEnds = true;
    return report;
  } else {
    report.station = std::move(adjusted->station);
    report.written = std::move(adjusted->written);
  }
  notices.Show(JobEndNotice(kAdjustEndTrailingSpaces));
  return report;
}

}  // namespace sorvane
