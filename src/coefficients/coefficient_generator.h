// CoefficientGenerator: the work behind the coeff button. For every station of every
// listed StationList, an intercept and a slope per marked method, interpolated by
// inverse distance from the reference stations of support/Coefficients.csv.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "common/app_folder.h"
#include "common/data_file_list.h"
#include "common/notices.h"
#include "common/window_state.h"

namespace sorvane {

struct CoefficientRunSummary {
  std::size_t processed = 0;
  std::size_t refused = 0;
  bool programEnds = false;  // the duplicate-station notice was shown
};

// The StationLists of a run, looked up in data/COEFFI_DATA, in list order; `marks` is
// the MethodSelection (entry k marks method k of the table). Does not show "JOB END".
CoefficientRunSummary ProcessStationLists(const std::vector<ListedName>& names, const std::vector<bool>& marks,
                                          const AppFolder& folder, Notices& notices);

// The coeff button: checks Text1, runs dir.txt, and hands back Text1 emptied, List2
// emptied and 330 twips high (unless the program ends).
JobOutcome CoefficientRunFromWindow(const WindowState& window, const AppFolder& folder, Notices& notices);

// The "JOB END" notice of the coefficient generator (ten spaces before, fifteen after).
Notice CoefficientJobEndNotice();

// The method names of line 1 of support/Coefficients.csv, as Browse fills List2 with
// them (split through the scratch file out.txt, which is deleted). On a missing or
// unreadable table or an odd header, `problem` holds a notice and `names` is empty.
struct MethodNames {
  std::vector<std::string> names;
  std::string problem;
};
MethodNames ReadMethodNamesForList(const AppFolder& folder);

}  // namespace sorvane
