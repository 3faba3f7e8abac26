#include "run/pet_runner.h"

#include <algorithm>
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
#include "run/value_watch.h"

namespace sorvane {

namespace fs = std::filesystem;

namespace {

// What processing one listed file produced: its notices, and its result file, finished
// but not yet in place (results are put in place in list order, so a name listed twice
// ends with the later result, as in a run of one file at a time).
struct FileResult {
  std::vector<Notice> notices;
  bool refused = false;
  bool noMethod = false;  // written, with its period columns only
  std::optional<PetResultWriter> result;
};

struct RunFolders {
  const AppFolder& app;
  fs::path petData;
  fs::path output;
  const MissingValues& missing;
  HeatIndexSource heatIndex;
  bool nameUndeclaredCodes;
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
  auto computation = StationComputation::Open(path, shown, folders.app, folders.missing, error, folders.heatIndex);
  if (!computation) return RefusedWith(error + std::string(kFileNotProcessed));
  const WeatherFileHeader& header = computation->Header();
  const std::vector<int>& methods = computation->Methods();
  FileResult result;
  WarnAboutColumns(shown, header, methods, result.notices);
  result.noMethod = methods.empty();
  if (result.noMethod)
    result.notices.push_back(Warning(shown + ": " + NoMethodText(header.RecognisedColumns(), header.Period)));
  if (computation->HeatIndex().outsideGrid) result.notices.push_back(Warning(shown + ": " + OutsideGridNotice()));

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
  ValueWatch watch(header, folders.missing);
  while ((step = computation->Next(terms, record, values)) == WeatherFileReader::Step::Record) {
    watch.Note(reader.LastRowValues(), reader.LineOfLastRecord());
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
  for (const std::string& warning : watch.Warnings(folders.nameUndeclaredCodes))
    result.notices.push_back(Warning(shown + ": " + warning));
  if (empty.count > 0)
    result.notices.push_back(Information(shown + ": " + std::to_string(empty.count) +
                                         (empty.count == 1 ? " value" : " values") +
                                         " could not be computed and " + (empty.count == 1 ? "was" : "were") +
                                         " left empty; the first on line " + std::to_string(empty.firstLine) +
                                         " (" + std::string(MethodEntryFor(empty.firstMethod).name) + ")"));
  result.result.emplace(std::move(*writer));
  return result;
}

// Shows a file's notices and puts its result in place; called in list order.
void Complete(FileResult& file, const AppFolder& app, Notices& notices, RunSummary& summary) {
  if (file.result) {
    std::string error;
    if (!file.result->Commit(&error)) {
      file.refused = true;
      file.notices.insert(file.notices.begin(),
                          Refusal(app.Display(file.result->Target()) + ": cannot be put in place (" + error + ")"));
    }
  }
  for (const Notice& notice : file.notices) notices.Show(notice);
  ++(file.refused ? summary.refused : summary.processed);
  if (!file.refused && file.noMethod) ++summary.withoutMethod;
}

// Files are processed by `jobs` threads, at most a few files ahead of the one whose
// notices are shown next, so memory stays flat however long the list. The calling
// thread is one of them: it shows notices and puts results in place in list order, and
// while the next result is not ready it processes a file itself instead of waiting, so
// `jobs` threads share `jobs` cores without one of them idling or being woken per file.
void ProcessInParallel(const std::vector<ListedName>& names, const RunFolders& folders, Notices& notices,
                       unsigned jobs, RunSummary& summary) {
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
    Complete(*ready, folders.app, notices, summary);
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
  const RunFolders folders{folder, folder.PetData(), *output, options.missing, options.heatIndex,
                          options.nameUndeclaredCodes};
  const unsigned jobs = std::clamp<unsigned>(options.jobs, 1, static_cast<unsigned>(names.size()));
  if (jobs > 1) {
    ProcessInParallel(names, folders, notices, jobs, summary);
    return summary;
  }
  RowTermsMaker terms;
  for (std::size_t index = 0; index < names.size(); ++index) {
    notices.Progress(index, names.size(), names[index].name);
    FileResult result = ProcessFile(names[index], folders, terms);
    Complete(result, folder, notices, summary);
  }
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
  const RunOptions windowOptions{options.jobs, MissingValues{}, HeatIndexSource::Table, false};
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
