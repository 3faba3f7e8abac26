// The PET job: every listed weather file is read, computed by the methods its header
// allows and written as one PetResultFile; a file that cannot be read exactly is refused
// with a notice and the run goes on.
#pragma once

#include <string_view>
#include <vector>

#include "common/app_folder.h"
#include "common/data_file_list.h"
#include "common/notices.h"
#include "jobs/list_job.h"
#include "run/heat_index_table.h"
#include "run/weather_file_reader.h"

namespace sorvane {

// What the host asks of a run.
struct RunOptions {
  unsigned jobs = 1;     // files processed at once; notices still come in list order
  ReadingRules reading;  // which fields hold no reading, and how the rest are read
  HeatIndexSource heatIndex = HeatIndexSource::Table;
  // Name values that look like missing-value codes but were read as readings: a user
  // who can declare codes (--missing-code) wants to know; the window's rule has none.
  bool nameUndeclaredCodes = true;
};

// The files of a run, looked up in data/PET_DATA, in list order. Shows each file's
// notices in list order whatever the number of jobs, but not the closing "JOB END".
RunSummary ProcessPetFiles(const std::vector<ListedName>& names, const AppFolder& folder, Notices& notices,
                           const RunOptions& options);

// A run of the DataFileList of the chosen data file (see RunListJob). The warnings of
// the whole run are shown together, in one notice, before "JOB END".
JobReport RunPetJob(std::string_view chosenDataFile, const AppFolder& folder, Notices& notices,
                    const RunOptions& options = {});

}  // namespace sorvane
