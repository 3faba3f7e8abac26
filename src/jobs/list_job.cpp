#include "jobs/list_job.h"

#include "common/atomic_file.h"
#include "common/text.h"

namespace sorvane {

namespace fs = std::filesystem;

NameOutcome RefusedWith(std::string text) { return {{Refusal(std::move(text))}, true, false}; }

std::optional<fs::path> OutputOfRun(const std::vector<ListedName>& names, const AppFolder& folder,
                                    std::string_view item, Notices& notices, RunSummary& summary) {
  auto output = folder.EnsureOutput();
  if (!output) {
    notices.Show(Refusal(Located(output.error().file, output.error()) + "; no " + std::string(item) + " is processed"));
    summary.refused = names.size();
    return std::nullopt;
  }
  RemoveStaleTemporaries(*output);
  return *output;
}

bool ShowOutcome(const NameOutcome& outcome, Notices& notices, RunSummary& summary) {
  for (const Notice& notice : outcome.notices) notices.Show(notice);
  if (outcome.programEnds) {
    summary.programEnds = true;
    return false;
  }
  ++(outcome.refused ? summary.refused : summary.processed);
  return true;
}

RunSummary ProcessEachInOrder(const std::vector<ListedName>& names, Notices& notices,
                              const std::function<NameOutcome(const ListedName&)>& process) {
  RunSummary summary;
  for (std::size_t index = 0; index < names.size(); ++index) {
    notices.Progress(index, names.size(), names[index].name);
    if (!ShowOutcome(process(names[index]), notices, summary)) break;
  }
  return summary;
}

JobReport RunListJob(std::string_view chosenDataFile, const AppFolder& folder, Notices& notices, const ListJob& job) {
  JobReport report;
  if (TrimSpaces(chosenDataFile).empty()) {
    notices.Show(Information(NoDataFileNotice()));
    if (job.endsWithoutChoice) notices.Show(JobEndNotice());
    return report;
  }
  const auto names = ReadDataFileList(folder.DataFileList());
  if (!names) {
    notices.Show(Refusal("dir.txt: the list of " + std::string(job.listedItems) + " cannot be read (" +
                         Reason(names.error()) + "); choose a data file again"));
    report.anyRefused = true;
    notices.Show(JobEndNotice());
    return report;
  }
  // The warnings of a run come together in one notice before its end.
  GatheredWarnings gathered(notices);
  const RunSummary summary = job.run(*names, gathered);
  gathered.ShowGathered();
  report.anyRefused = summary.refused > 0;
  report.listed = names->size();
  report.processed = summary.processed;
  report.refused = summary.refused;
  report.withoutMethod = summary.withoutMethod;
  if (summary.programEnds) {
    // The program ends: the DataFileList stays.
    report.programEnds = true;
    return report;
  }
  std::error_code ignored;
  fs::remove(folder.DataFileList(), ignored);
  report.listUsedUp = true;
  notices.Show(JobEndNotice());
  return report;
}

}  // namespace sorvane
