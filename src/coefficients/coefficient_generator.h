// CoefficientGenerator: the work behind the coeff button. For every station of every
// listed StationList, an intercept and a slope per selected method, interpolated by
// inverse distance from the reference stations of support/Coefficients.csv.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "common/app_folder.h"
#include "common/data_file_list.h"
#include "common/job_report.h"
#include "common/notices.h"

namespace sorvane {

struct CoefficientRunSummary {
  std::size_t processed = 0;
  std::size_t refused = 0;
  bool programEnds = false;  // the duplicate-station notice was shown
};

// The StationLists of a run, looked up in data/COEFFI_DATA, in list order; `marks` is
// the MethodSelection (marks[k]: method k of the table is selected). Does not show
// "JOB END".
CoefficientRunSummary ProcessStationLists(const std::vector<ListedName>& names, const std::vector<bool>& marks,
                                          const AppFolder& folder, Notices& notices);

// A run for the data file the user chose with the methods selected (selectedMethods[k]:
// method k of the table): a blank name shows only "NO Data file selected"; otherwise the
// DataFileList (dir.txt) is run and, unless a notice ends the program, deleted and
// "JOB END" shown.
JobReport RunCoefficientJob(std::string_view chosenDataFile, const std::vector<bool>& selectedMethods,
                            const AppFolder& folder, Notices& notices);

// The "JOB END" notice of the coefficient generator (ten spaces before, fifteen after).
Notice CoefficientJobEndNotice();

// The method names of line 1 of support/Coefficients.csv, each trimmed, in table order:
// the methods a user chooses from (split through the scratch file out.txt, which is
// deleted). On a missing or unreadable table or an odd header, `problem` holds a notice
// and `names` is empty.
struct MethodNames {
  std::vector<std::string> names;
  std::string problem;
};
MethodNames ReadMethodNamesForList(const AppFolder& folder);

}  // namespace sorvane
