// The skeleton every job over a list of files shares: the DataFileList of a chosen data
// file read, its names processed in list order into the output folder, each name's
// notices shown in that order, the list deleted once it is run, "JOB END" at the close.
// What a job does with one name is its own.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "common/app_folder.h"
#include "common/data_file_list.h"
#include "common/notices.h"
#include "jobs/job_notices.h"

namespace sorvane {

struct RunSummary {
  std::size_t processed = 0;
  std::size_t refused = 0;
  std::size_t withoutMethod = 0;  // PET files processed, but no method could run on their columns
  bool programEnds = false;  // a name's notice ended the program; the names after it were not taken
};

// What a job made of one listed name: its notices, shown in list order, and how it ended.
struct NameOutcome {
  std::vector<Notice> notices;
  bool refused = false;
  bool programEnds = false;
};

NameOutcome RefusedWith(std::string text);

// The output folder of a run over `names`, made when missing and cleared of the
// temporaries a killed run left. nullopt after the refusal "<why>; no <item> is
// processed", every name then counted as refused.
std::optional<std::filesystem::path> OutputOfRun(const std::vector<ListedName>& names, const AppFolder& folder,
                                                 std::string_view item, Notices& notices, RunSummary& summary);

// Shows an outcome and counts it; false when it ends the program.
bool ShowOutcome(const NameOutcome& outcome, Notices& notices, RunSummary& summary);

// Every name in list order, each announced by Progress, until an outcome ends the program.
RunSummary ProcessEachInOrder(const std::vector<ListedName>& names, Notices& notices,
                              const std::function<NameOutcome(const ListedName&)>& process);

struct ListJob {
  std::string_view listedItems;    // "data files", "station lists": named when the list cannot be read
  bool endsWithoutChoice = true;   // "JOB END" follows "NO Data file selected"
  std::function<RunSummary(const std::vector<ListedName>&, Notices&)> run;
};

// A job for the data file the user chose: a blank name shows "NO Data file selected";
// otherwise the DataFileList (dir.txt) is run and, unless a notice ends the program,
// deleted and "JOB END" shown.
JobReport RunListJob(std::string_view chosenDataFile, const AppFolder& folder, Notices& notices, const ListJob& job);

}  // namespace sorvane
