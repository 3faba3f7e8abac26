#include "run/pet_runner.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <mutex>
#include <thread>

#include "common/field_reader.h"
#include "common/platform.h"
#include "common/text.h"
#include "run/column_use.h"
#include "run/method_table.h"
#include "run/pet_result_writer.h"
#include "run/row_terms_maker.h"
#include "run/station_computation.h"

namespace sorvane {

namespace fs = std::filesystem;

namespace {

// What processing one listed file produced: its notices, and its result file, finished
// but not yet in place (results are put in place in list order, so a name listed twice
// ends with the later result, as in a run of one file at a time).
struct FileResult {
  std::vector<Notice> notices;
  bool refused = false;
  std::optional<PetResultWriter> result;
};

struct RunFolders {
  const AppFolder& app;
  fs::path petData;
  fs::path output;
  const MissingValues& missing;
};

FileResult RefusedWith(std::string text) {
  FileResult result;
  result.refused = true;
  result.notices.push_back(Refusal(std::move(text)));
  return result;
}

// Counts the values a method could not compute, and where the first one was.
struct EmptyValues {
  long count = 0;
  long firstLine = 0;
  int firstMethod = 0;

  void Note(long line, int method) {
    if (count++ == 0) {
      firstLine = line;
      firstMethod = method;
    }
  }
};

// The warnings a file's header gives before its rows are read: heads that are not used,
// parameters that methods take as 0 for want of a column.
void WarnAboutColumns(const std::string& shown, const WeatherFileHeader& header, const std::vector<int>& methods,
                      std::vector<Notice>& notices) {
  if (const auto unused = UnusedParameterHeads(header); !unused.empty())
    notices.push_back(Warning(shown + ": " + UnusedHeadsNotice(unused)));
  std::string absentText;
  for (const AbsentParameter& absent : AbsentParameters(header.RecognisedColumns(), methods))
    absentText += (absentText.empty() ? "" : "; ") + AbsentParameterText(absent);
  if (!absentText.empty()) notices.push_back(Warning(shown + ": " + absentText));
}

FileResult ProcessFile(const ListedName& entry, const RunFolders& folders, RowTermsMaker& terms) {
  if (!entry.problem.empty()) return RefusedWith(ListedNameRefusal(entry));
  const fs::path path = FileOf(entry, folders.petData);
  const std::string shown = EscapedText(folders.app.Display(path));  // a file name may hold any byte
  std::string error;
  auto computation = StationComputation::Open(path, shown, folders.app, folders.missing, error);
  if (!computation) return RefusedWith(error + std::string(kFileNotProcessed));
  const WeatherFileHeader& header = computation->Header();
  const std::vector<int>& methods = computation->Methods();
  FileResult result;
  WarnAboutColumns(shown, header, methods, result.notices);

  auto writer = PetResultWriter::Create(folders.output, entry.name, header.Period, methods, &error);
  if (!writer) {
    const auto result = folders.output / platform::PathFromUtf8(ResultFileName(entry.name, "_PET.csv"));
    return RefusedWith(folders.app.Display(result) + ": cannot be written (" + error + ")" +
                       std::string(kFileNotProcessed));
  }

  EmptyValues empty;
  WeatherRecord record;
  WeatherFileReader::Step step;
  std::vector<double> values;
  const WeatherFileReader& reader = computation->Reader();
  while ((step = computation->Next(terms, record, values)) == WeatherFileReader::Step::Record) {
    for (std::size_t m = 0; m < values.size(); ++m)
      if (!std::isfinite(values[m])) empty.Note(reader.LineOfLastRecord(), methods[m]);
    writer->WriteRow(record, values);
  }
  if (step == WeatherFileReader::Step::Problem)
    return RefusedWith(Located(shown, reader.Problem().line, reader.Problem().what) + std::string(kFileNotProcessed));
  if (!writer->Finish(&error))
    return RefusedWith(folders.app.Display(writer->Target()) + ": writing failed (" + error +
                       "); an older result of that name is left as it was");

  if (reader.EmptyFields().count > 0 && !folders.missing.emptyIsMissing)
    result.notices.push_back(Warning(shown + ": " + EmptyFieldsNotice(reader.EmptyFields())));
  if (empty.count > 0)
    result.notices.push_back(Information(shown + ": " + std::to_string(empty.count) +
                                         (empty.count == 1 ? " value" : " values") +
                                         " could not be computed and " + (empty.count == 1 ? "was" : "were") +
                                         " left empty; the first on line " + std::to_string(empty.firstLine) +
                                         " (" + std::string(MethodEntryFor(empty.firstMethod).name) + ")"));
  result.result.emplace(std::move(*writer));
  return result;
}

// Finished results wait here, in list order, to be put in place together: a run of
// thousands of small files then pays for one flush to the disk per batch, not one per
// file. A file's notices are shown once its result is in place (or could not be put
// there), so they still come in list order and never announce a result that is lost.
class PendingResults {
 public:
  PendingResults(const AppFolder& app, Notices& notices, RunSummary& summary)
      : app_(app), notices_(notices), summary_(summary) {}

  void Add(FileResult file) {
    if (files_.empty()) firstAdded_ = std::chrono::steady_clock::now();
    files_.push_back(std::move(file));
    // A batch is bounded so that a long run keeps showing its notices and never holds
    // more than a few thousand finished results out of place.
    if (files_.size() >= kMostFiles || std::chrono::steady_clock::now() - firstAdded_ >= kLongestWait) PutInPlace();
  }

  void PutInPlace() {
    std::vector<AtomicFile*> written;
    for (FileResult& file : files_)
      if (file.result) written.push_back(&file.result->File());
    const std::vector<std::string> why = CommitTogether(written);
    std::size_t next = 0;
    for (FileResult& file : files_) {
      if (file.result && !why[next++].empty()) {
        file.refused = true;
        file.notices.insert(file.notices.begin(), Refusal(app_.Display(file.result->Target()) +
                                                          ": cannot be put in place (" + why[next - 1] + ")"));
      }
      for (const Notice& notice : file.notices) notices_.Show(notice);
      ++(file.refused ? summary_.refused : summary_.processed);
    }
    files_.clear();
  }

 private:
  static constexpr std::size_t kMostFiles = 1000;
  static constexpr std::chrono::seconds kLongestWait{1};
  const AppFolder& app_;
  Notices& notices_;
  RunSummary& summary_;
  std::vector<FileResult> files_;
  std::chrono::steady_clock::time_point firstAdded_;
};

// Files are processed by `jobs` threads, at most a few files ahead of the one whose
// notices are shown next, so memory stays flat however long the list. The calling
// thread is one of them: it shows notices and puts results in place in list order, and
// while the next result is not ready it processes a file itself instead of waiting, so
// `jobs` threads share `jobs` cores without one of them idling or being woken per file.
void ProcessInParallel(const std::vector<ListedName>& names, const RunFolders& folders, PendingResults& pending,
                       Notices& notices, unsigned jobs) {
  const std::size_t ahead = std::size_t{4} * jobs;
  std::mutex mutex;
  std::condition_variable changed;
  std::vector<std::optional<FileResult>> results(names.size());
  std::size_t nextToTake = 0, nextToShow = 0;
  const auto canTake = [&] { return nextToTake < names.size() && nextToTake < nextToShow + ahead; };
  // Processes the next file with the lock released; the lock is held again on return.
  const auto processNext = [&](std::unique_lock<std::mutex>& lock, RowTermsMaker& terms) {
    const std::size_t index = nextToTake++;
    lock.unlock();
    FileResult result = ProcessFile(names[index], folders, terms);
    lock.lock();
    results[index].emplace(std::move(result));
  };

  auto work = [&] {
    RowTermsMaker terms;
    std::unique_lock lock(mutex);
    for (;;) {
      changed.wait(lock, [&] { return nextToTake >= names.size() || canTake(); });
      if (nextToTake >= names.size()) return;
      processNext(lock, terms);
      changed.notify_all();
    }
  };
  std::vector<std::thread> workers;
  for (unsigned i = 1; i < jobs; ++i) workers.emplace_back(work);
  RowTermsMaker terms;

  for (std::size_t index = 0; index < names.size(); ++index) {
    notices.Progress(index, names.size(), names[index].name);
    std::optional<FileResult> ready;
    {
      std::unique_lock lock(mutex);
      while (!results[index]) {
        if (canTake())
          processNext(lock, terms);
        else
          changed.wait(lock, [&] { return results[index].has_value() || canTake(); });
      }
      ready.emplace(std::move(*results[index]));
      results[index].reset();
    }
    pending.Add(std::move(*ready));
    {
      std::lock_guard lock(mutex);
      nextToShow = index + 1;
    }
    changed.notify_all();
  }
  for (auto& worker : workers) worker.join();
}

}  // namespace

RunSummary ProcessPetFiles(const std::vector<ListedName>& names, const AppFolder& folder, Notices& notices,
                           const RunOptions& options) {
  RunSummary summary;
  if (names.empty()) return summary;
  std::string error;
  const auto output = folder.EnsureOutput(&error);
  if (!output) {
    notices.Show(Refusal(error + "; no file is processed"));
    summary.refused = names.size();
    return summary;
  }
  RemoveStaleTemporaries(*output);
  const RunFolders folders{folder, folder.PetData(), *output, options.missing};
  const unsigned jobs = std::clamp<unsigned>(options.jobs, 1, static_cast<unsigned>(names.size()));
  PendingResults pending(folder, notices, summary);
  if (jobs > 1) {
    ProcessInParallel(names, folders, pending, notices, jobs);
  } else {
    RowTermsMaker terms;
    for (std::size_t index = 0; index < names.size(); ++index) {
      notices.Progress(index, names.size(), names[index].name);
      pending.Add(ProcessFile(names[index], folders, terms));
    }
  }
  pending.PutInPlace();
  return summary;
}

Notice PetJobEndNotice() { return Information(JobEndNotice(15)); }

JobReport RunPetJob(std::string_view chosenDataFile, const AppFolder& folder, Notices& notices,
                    const RunOptions& options) {
  JobReport report;
  if (TrimSpaces(chosenDataFile).empty()) {
    notices.Show(Information(NoDataFileNotice()));
    notices.Show(PetJobEndNotice());
    return report;
  }
  std::string error;
  const auto names = ReadDataFileList(folder.DataFileList(), &error);
  if (!names) {
    notices.Show(Refusal("dir.txt: the list of data files cannot be read (" + error + "); choose a data file again"));
    report.anyRefused = true;
    notices.Show(PetJobEndNotice());
    return report;
  }
  // The window keeps the format's rule: an empty field is 0.
  const RunOptions windowOptions{options.jobs, MissingValues{}};
  GatheredWarnings gathered(notices);
  const RunSummary summary = ProcessPetFiles(*names, folder, gathered, windowOptions);
  report.anyRefused = summary.refused > 0;
  std::error_code ignored;
  fs::remove(folder.DataFileList(), ignored);
  report.listUsedUp = true;
  gathered.ShowGathered();
  notices.Show(PetJobEndNotice());
  return report;
}

}  // namespace sorvane
