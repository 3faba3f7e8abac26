// PetAdjuster: the work behind the adj button. The first station of the
// CoefficientFile the user chose adjusts that station's daily PET results:
// every matched value v becomes intercept + slope x v.
#pragma once

#include <string_view>

#include "common/app_folder.h"
#include "common/job_report.h"
#include "common/notices.h"

namespace sorvane {

// Adjusts with the CoefficientFile at `coefficientFile` (leading and trailing spaces
// aside; blank: "NO Data file selected"); shows every notice, "JOB END" included.
JobReport AdjustPetResults(std::string_view coefficientFile, const AppFolder& folder, Notices& notices);

}  // namespace sorvane
