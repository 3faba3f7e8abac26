#include "jobs/pet_job.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <exception>
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
#include "run/value_watch.h"

namespace sorvane {

namespace fs = std::filesystem;

namespace {

// What processing one listed file produced: its outcome, and its result file, finished
// but not yet in place (results are put in place in list order, so a name listed twice
// ends with the later result, as in a run of one file at a time).
struct FileResult {
  NameOutcome outcome;
  std::optional<PetResultWriter> result;
  bool noMethod = false;  // written, with its period columns only
};

struct RunFolders {
  const AppFolder& app;
  fs::path petData;
  fs::path output;
  const ReadingRules& reading;
  HeatIndexSource heatIndex;
  bool nameUndeclaredCodes;
};

FileResult FileRefusedWith(std::string text) { return {RefusedWith(std::move(text)), std::nullopt}; }

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
void WarnAboutColumns(const std::string& shown, const WeatherFileHeader& header, ParameterSet present,
                      const std::vector<int>& methods, std::vector<Notice>& notices) {
  if (const auto unused = UnusedParameterHeads(header); !unused.empty())
    notices.push_back(Warning(shown + ": " + UnusedHeadsNotice(unused)));
  std::string absentText;
  for (const AbsentParameter& absent : AbsentParameters(present, methods))
    absentText += (absentText.empty() ? "" : "; ") + AbsentParameterText(absent);
  if (!absentText.empty()) notices.push_back(Warning(shown + ": " + absentText));
  if (const std::string unused = UnusedAlternativesText(present); !unused.empty())
    notices.push_back(Information(shown + ": " + unused));
}

FileResult ProcessFile(const ListedName& entry, const RunFolders& folders, RowTermsMaker& terms) {
  if (!entry.problem.empty()) return FileRefusedWith(ListedNameRefusal(entry));
  const fs::path path = FileOf(entry, folders.petData);
  const std::string shown = EscapedText(folders.app.Display(path));  // a file name may hold any byte
  auto computation = StationComputation::Open(path, shown, folders.app, folders.reading, folders.heatIndex);
  if (!computation) return FileRefusedWith(computation.error().message + std::string(kFileNotProcessed));
  const WeatherFileHeader& header = computation->Header();
  const std::vector<int>& methods = computation->Methods();
  FileResult result;
  std::vector<Notice>& notices = result.outcome.notices;
  for (const std::string& note : header.ReadingNotes) notices.push_back(Information(shown + ": " + note));
  WarnAboutColumns(shown, header, computation->Present(), methods, notices);
  result.noMethod = methods.empty();
  if (result.noMethod) notices.push_back(Warning(shown + ": " + NoMethodText(computation->Present(), header.Period)));
  if (computation->HeatIndex().outsideGrid) notices.push_back(Warning(shown + ": " + OutsideGridNotice()));

  auto writer = PetResultWriter::Create(folders.output, entry.name, header.Period, methods, computation->Estimates());
  if (!writer) {
    const auto result = folders.output / platform::PathFromUtf8(ResultFileName(entry.name, "_PET.csv"));
    return FileRefusedWith(folders.app.Display(result) + ": cannot be written (" + writer.error().message + ")" +
                       std::string(kFileNotProcessed));
  }

  EmptyValues empty;
  EstimateTally estimates;
  WeatherRecord record;
  std::vector<double> values;
  // Taken out of their Expected once: the loop below runs for every row.
  StationComputation& station = *computation;
  PetResultWriter& out = *writer;
  const WeatherFileReader& reader = station.Reader();
  ValueWatch watch(station.Reader(), header, folders.reading.missing);
  for (;;) {
    const auto step = station.Next(terms, record, values);
    if (!step) return FileRefusedWith(Located(shown, step.error()) + std::string(kFileNotProcessed));
    if (*step == WeatherFileReader::Step::End) break;
    watch.NoteLastRecord();
    for (std::size_t m = 0; m < values.size(); ++m)
      if (!std::isfinite(values[m])) empty.Note(reader.LineOfLastRecord(), methods[m]);
    out.WriteRow(record, values, station.EstimatedInLastRecord());
    estimates.Note(station.EstimatedInLastRecord());
  }
  if (const auto finished = out.Finish(); !finished)
    return FileRefusedWith(folders.app.Display(out.Target()) + ": writing failed (" + finished.error().message +
                       "); an older result of that name is left as it was");

  if (reader.EmptyFields().count > 0 && !folders.reading.missing.emptyIsMissing)
    result.outcome.notices.push_back(Warning(shown + ": " + EmptyFieldsNotice(reader.EmptyFields())));
  if (reader.FirstRepeatLine() > 0)
    result.outcome.notices.push_back(Warning(shown + ": " + RepeatedPeriodNotice(header.Period, reader)));
  for (const std::string& warning : watch.Warnings(folders.nameUndeclaredCodes))
    result.outcome.notices.push_back(Warning(shown + ": " + warning));
  if (station.SunshineHeldRows() > 0)
    result.outcome.notices.push_back(Information(
        shown + ": " + HeldSunshineNotice(station.SunshineHeldRows(), station.FirstSunshineHeldLine())));
  if (estimates.rows > 0)
    result.outcome.notices.push_back(Information(
        shown + ": " + std::to_string(estimates.rows) + (estimates.rows == 1 ? " row holds" : " rows hold") +
        " estimates (" + EstimateCounts(estimates) + "), flagged in the column " + std::string(kEstimatedHead)));
  if (empty.count > 0)
    result.outcome.notices.push_back(Information(shown + ": " + std::to_string(empty.count) +
                                         (empty.count == 1 ? " value" : " values") +
                                         " could not be computed and " + (empty.count == 1 ? "was" : "were") +
                                         " left empty; the first on line " + std::to_string(empty.firstLine) +
                                         " (" + std::string(MethodEntryFor(empty.firstMethod).name) + ")"));
  result.result.emplace(std::move(*writer));
  return result;
}

// Finished results wait here, in list order, to be put in place together: a run of
// thousands of small files then pays for one flush to the disk per batch, not one per
// file. A batch is put in place in the background while the next one is made. A file's
// notices are shown once its result is in place (or could not be put there), so they
// still come in list order and never announce a result that is lost.
class PendingResults {
 public:
  PendingResults(const AppFolder& app, Notices& notices, RunSummary& summary)
      : app_(app), notices_(notices), summary_(summary) {}

  void Add(FileResult file) {
    if (files_.empty()) firstAdded_ = std::chrono::steady_clock::now();
    files_.push_back(std::move(file));
    if (!inPlace_.empty() && commits_.Done()) ShowPlaced();
    // A batch is bounded so that a long run keeps showing its notices and never holds
    // more than a few thousand finished results out of place; while the batch before it
    // is still being put in place, it grows rather than wait.
    const bool due = files_.size() >= kMostFiles || std::chrono::steady_clock::now() - firstAdded_ >= kLongestWait;
    if (due && (inPlace_.empty() || files_.size() >= 2 * kMostFiles)) HandOver();
  }

  // Puts every result in place and shows the last notices. The last batch is put in
  // place on this thread, which has nothing left to make meanwhile: a run of one file
  // starts no thread for it.
  void PutInPlace() {
    if (TakeWaiting()) ShowOutcomes(CommitTogether(WrittenInPlace()));
  }

 private:
  // Starts putting the waiting results in place, once those before them are.
  void HandOver() {
    if (TakeWaiting()) commits_.Start(WrittenInPlace());
  }

  // Shows the batch before, then makes the waiting results the batch in place; false
  // when none wait.
  bool TakeWaiting() {
    ShowPlaced();
    if (files_.empty()) return false;
    inPlace_ = std::move(files_);
    files_.clear();
    return true;
  }

  std::vector<AtomicFile*> WrittenInPlace() {
    std::vector<AtomicFile*> written;
    for (FileResult& file : inPlace_)
      if (file.result) written.push_back(&file.result->File());
    return written;
  }

  // Waits for the batch being put in place and shows its notices.
  void ShowPlaced() {
    if (inPlace_.empty()) return;
    ShowOutcomes(commits_.Wait());
  }

  // The notices of the batch in place, by what putting each of its results in place gave.
  void ShowOutcomes(const std::vector<Expected<void>>& placed) {
    std::size_t next = 0;
    for (FileResult& file : inPlace_) {
      if (file.result) {
        if (const Expected<void>& committed = placed[next++]; !committed) {
          file.outcome.refused = true;
          file.outcome.notices.insert(file.outcome.notices.begin(),
                                      Refusal(app_.Display(file.result->Target()) + ": cannot be put in place (" +
                                              committed.error().message + ")"));
        }
      }
      ShowOutcome(file.outcome, notices_, summary_);
      if (!file.outcome.refused && file.noMethod) ++summary_.withoutMethod;
    }
    inPlace_.clear();
  }

  static constexpr std::size_t kMostFiles = 1000;
  // Short: the disk writes a batch while the next is made, but the run waits for its last
  // batch, which then holds little to write (100 ms made a run of 2 000 small files on
  // ext4 about 4 % slower, 10 ms gained nothing more).
  static constexpr std::chrono::milliseconds kLongestWait{25};
  const AppFolder& app_;
  Notices& notices_;
  RunSummary& summary_;
  std::vector<FileResult> files_;    // finished, waiting for their batch
  std::vector<FileResult> inPlace_;  // being put in place, notices not yet shown
  std::chrono::steady_clock::time_point firstAdded_;
  // Last: destroyed first, so the batch in hand is in place before its files go.
  BackgroundCommits commits_;
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
  // Whatever is thrown while a file is processed (memory running out) stops the run: no
  // thread takes another file, and the calling thread throws it again once all have ended.
  std::exception_ptr failure;
  // Processes the next file with the lock released; the lock is held again on return.
  const auto processNext = [&](std::unique_lock<std::mutex>& lock, RowTermsMaker& terms) {
    const std::size_t index = nextToTake++;
    lock.unlock();
    std::optional<FileResult> result;
    try {
      result.emplace(ProcessFile(names[index], folders, terms));
    } catch (...) {
      lock.lock();
      if (!failure) failure = std::current_exception();
      nextToTake = names.size();
      return;
    }
    lock.lock();
    results[index].emplace(std::move(*result));
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

  try {
    for (std::size_t index = 0; index < names.size(); ++index) {
      notices.Progress(index, names.size(), names[index].name);
      std::optional<FileResult> ready;
      {
        std::unique_lock lock(mutex);
        while (!results[index] && !failure) {
          if (canTake())
            processNext(lock, terms);
          else
            changed.wait(lock, [&] { return results[index].has_value() || canTake() || failure; });
        }
        if (failure) break;
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
  } catch (...) {
    std::lock_guard lock(mutex);
    if (!failure) failure = std::current_exception();
  }
  {
    std::lock_guard lock(mutex);
    nextToTake = names.size();
  }
  changed.notify_all();
  for (auto& worker : workers) worker.join();
  if (failure) std::rethrow_exception(failure);
}

}  // namespace

RunSummary ProcessPetFiles(const std::vector<ListedName>& names, const AppFolder& folder, Notices& notices,
                           const RunOptions& options) {
  RunSummary summary;
  if (names.empty()) return summary;
  const auto output = OutputOfRun(names, folder, "file", notices, summary);
  if (!output) return summary;
  const RunFolders folders{folder, folder.PetData(), *output, options.reading, options.heatIndex,
                          options.nameUndeclaredCodes};
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

JobReport RunPetJob(std::string_view chosenDataFile, const AppFolder& folder, Notices& notices,
                    const RunOptions& options) {
  const ListJob job{"data files", true, [&](const std::vector<ListedName>& names, Notices& shown) {
                      return ProcessPetFiles(names, folder, shown, options);
                    }};
  return RunListJob(chosenDataFile, folder, notices, job);
}

}  // namespace sorvane
