// PetAdjuster: the first station of a CoefficientFile adjusts that station's daily PET
// results: every matched value v becomes intercept + slope x v.
#pragma once

#include <filesystem>
#include <string>

#include "common/app_folder.h"
#include "common/problem.h"

namespace sorvane {

// How an adjustment that met no fault ends.
enum class AdjustEnd {
  Adjusted,     // the AdjustedPetFile is in place
  NoPetResult,  // the station has no PetResultFile in the output folder
  NotDaily,     // its results are weekly or monthly, which are not adjusted: the AdjustedPetFile stays empty
};

// What an adjustment did: the station it adjusted (the first of the CoefficientFile,
// trimmed) and, once adjusted, its AdjustedPetFile.
struct AdjustedStation {
  AdjustEnd end = AdjustEnd::Adjusted;
  std::string station;
  std::filesystem::path written;
};

// Adjusts with the CoefficientFile at `coefficientFile`. The problem, naming its file,
// when a file cannot be read exactly or written; its message ends with what is left
// undone. Every file it opened is closed, and an AdjustedPetFile that must stay is in
// place, by the time it returns.
Expected<AdjustedStation> Adjust(const std::filesystem::path& coefficientFile, const AppFolder& folder);

}  // namespace sorvane
