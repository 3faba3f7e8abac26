// PetAdjuster: the first station of a CoefficientFile adjusts that station's daily PET
// results: every matched value v becomes intercept + slope x v.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "common/app_folder.h"
#include "common/notices.h"

namespace sorvane {

// What a whole adjustment wrote: the station it adjusted and its AdjustedPetFile.
struct AdjustedStation {
  std::string station;
  std::filesystem::path written;
};

// Adjusts with the CoefficientFile at `coefficientFile`. Returns the notice that stopped
// it early, if any (a refusal, or a stop that ends the program); every file it opened is
// closed, and an AdjustedPetFile that must stay is in place, by the time it returns. A
// whole adjustment notes its station and file in `outcome`.
std::optional<Notice> Adjust(const std::filesystem::path& coefficientFile, const AppFolder& folder,
                             AdjustedStation& outcome);

}  // namespace sorvane
