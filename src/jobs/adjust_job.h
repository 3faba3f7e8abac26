// The adjust job: the daily PET results of the first station of a CoefficientFile,
// adjusted by that station's coefficients.
#pragma once

#include <string_view>

#include "common/app_folder.h"
#include "common/notices.h"
#include "jobs/job_notices.h"

namespace sorvane {

// Adjusts with the CoefficientFile at `coefficientFile` (leading and trailing spaces
// aside; blank: "NO Data file selected"); shows every notice, "JOB END" included.
JobReport AdjustPetResults(std::string_view coefficientFile, const AppFolder& folder, Notices& notices);

}  // namespace sorvane
