// PetRunner: the work behind the pet button. Every listed weather file is read,
// computed by the methods its header allows and written as one PetResultFile; a file
// that cannot be read exactly is refused with a notice and the run goes on.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "common/app_folder.h"
#include "common/data_file_list.h"
#include "common/job_report.h"
#include "common/notices.h"
#include "run/heat_index_table.h"
#include "run/weather_file_reader.h"

namespace sorvane {

// How a refusal of a weather file ends, in a run and in a check alike.
inline constexpr std::string_view kFileNotProcessed = "; the file is not processed";

struct RunOptions {
  unsigned jobs = 1;  // files processed at once; notices still come in list order
  MissingValues missing;
  HeatIndexSource heatIndex = HeatIndexSource::Table;
  // Name values that look like missing-value codes but were read as readings: a user
  // who can declare codes (--missing-code) wants to know; the window's rule has none.
  bool nameUndeclaredCodes = true;
};

struct RunSummary {
  std::size_t processed = 0;
  std::size_t refused = 0;
  std::size_t withoutMethod = 0;  // processed, but no method could run on their columns
};

// The files of a run, looked up in data/PET_DATA, in list order. Shows each file's
// notices in list order whatever the number of jobs, but not the closing "JOB END".
RunSummary ProcessPetFiles(const std::vector<ListedName>& names, const AppFolder& folder, Notices& notices,
                           const RunOptions& options);

// A PetRun for the data file the user chose: a blank name shows "NO Data file
// selected"; otherwise the DataFileList (dir.txt) is run and deleted. Ends with "JOB END".
JobReport RunPetJob(std::string_view chosenDataFile, const AppFolder& folder, Notices& notices,
                    const RunOptions& options = {});

// The "JOB END" notice of a PetRun (ten spaces before, fifteen after).
Notice PetJobEndNotice();

}  // namespace sorvane
