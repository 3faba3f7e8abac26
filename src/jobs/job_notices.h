// What a job came to, and the notices every job shares. A host draws its own
// conclusions from the report: what to keep of its choices, whether to end.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

#include "common/notices.h"

namespace sorvane {

struct JobReport {
  bool listUsedUp = false;   // the DataFileList was run and deleted: the chosen data file is spent
  bool programEnds = false;  // a notice that ends the program was shown
  bool anyRefused = false;   // at least one input was refused with a notice
  // A run of a list: the names it listed, and what became of them.
  std::size_t listed = 0;
  std::size_t processed = 0;
  std::size_t refused = 0;
  std::size_t withoutMethod = 0;  // of the processed PET files: those no method could run on
  // A job of one station that put its result in place (the adjuster): which station, and
  // the file; empty otherwise.
  std::string station;
  std::filesystem::path written;
};

// "NO Data file selected", padded as a job shows it: no data file was chosen.
std::string NoDataFileNotice();

// "JOB END", the closing notice of a job: ten spaces before it, `trailingSpaces` after.
inline constexpr int kJobEndTrailingSpaces = 15;
Notice JobEndNotice(int trailingSpaces = kJobEndTrailingSpaces);

}  // namespace sorvane
