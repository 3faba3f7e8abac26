// What a job of one of the window's buttons came to, in the core's own words. The
// window and the command line each draw their own conclusions from it.
#pragma once

#include <filesystem>
#include <string>

namespace sorvane {

struct JobReport {
  bool listUsedUp = false;   // the DataFileList was run and deleted: the chosen data file is spent
  bool programEnds = false;  // a notice that ends the program was shown
  bool anyRefused = false;   // at least one input was refused with a notice
  // A job of one station that put its result in place (the adjuster): which station, and
  // the file; empty otherwise.
  std::string station;
  std::filesystem::path written;
};

}  // namespace sorvane
