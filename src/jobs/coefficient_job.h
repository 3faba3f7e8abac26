// The coefficient job: for every station of every listed StationList, an intercept and
// a slope per selected method, interpolated by inverse distance from the reference
// stations of support/Coefficients.csv.
#pragma once

#include <string_view>
#include <vector>

#include "common/app_folder.h"
#include "common/data_file_list.h"
#include "common/notices.h"
#include "jobs/list_job.h"

namespace sorvane {

// The StationLists of a run, looked up in data/COEFFI_DATA, in list order; `marks` is
// the MethodSelection (marks[k]: method k of the table is selected). A station at the
// coordinates of a reference station ends the run (the rows before it kept). Does not
// show "JOB END".
RunSummary ProcessStationLists(const std::vector<ListedName>& names, const std::vector<bool>& marks,
                               const AppFolder& folder, Notices& notices);

// A run of the DataFileList of the chosen data file with the methods marked (see
// RunListJob); a blank choice shows only "NO Data file selected".
JobReport RunCoefficientJob(std::string_view chosenDataFile, const std::vector<bool>& marks, const AppFolder& folder,
                            Notices& notices);

}  // namespace sorvane
