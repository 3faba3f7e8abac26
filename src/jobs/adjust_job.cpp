#include "jobs/adjust_job.h"

#include <optional>
#include <utility>

#include "adjuster/pet_adjuster.h"
#include "common/platform.h"
#include "common/text.h"

namespace sorvane {

namespace {

constexpr int kAdjustEndTrailingSpaces = 20;  // the adjuster's "JOB END" is padded wider than the others

// The notice of an adjustment that ends the program without a fault, if it does.
std::optional<Notice> ProgramEndNotice(const AdjustedStation& adjusted) {
  switch (adjusted.end) {
    case AdjustEnd::Adjusted:
      return std::nullopt;
    case AdjustEnd::NoPetResult:
      return Notice{NoticeKind::ProgramEnd, PaddedNotice(adjusted.station + "_PET.csv   NOT available", 10)};
    case AdjustEnd::NotDaily:
      return Notice{NoticeKind::ProgramEnd, PaddedNotice("Daily PET values are only adjustable", 10)};
  }
  return std::nullopt;
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
  } else if (const auto end = ProgramEndNotice(*adjusted)) {
    notices.Show(*end);
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
