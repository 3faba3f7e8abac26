// PetAdjuster: the work behind the adj button. The first station of the
// CoefficientFile at the path in Text1 adjusts that station's daily PET results:
// every matched value v becomes intercept + slope x v.
#pragma once

#include "common/app_folder.h"
#include "common/notices.h"
#include "common/window_state.h"

namespace sorvane {

struct AdjustSummary {
  bool refused = false;
  bool programEnds = false;  // a notice that ends the program was shown
};

// Adjusts with the CoefficientFile at `coefficientFile` (the trimmed text of Text1);
// shows every notice, "JOB END" included.
AdjustSummary AdjustPetResults(const std::string& coefficientFile, const AppFolder& folder, Notices& notices);

// The adj button: Text1 is left as it is.
JobOutcome AdjustFromWindow(const WindowState& window, const AppFolder& folder, Notices& notices);

}  // namespace sorvane
