// What a job of one of the window's buttons came to, in the core's own words. The
// window and the command line each draw their own conclusions from it.
#pragma once

namespace sorvane {

struct JobReport {
  bool listUsedUp = false;   // the DataFileList was run and deleted: the chosen data file is spent
  bool programEnds = false;  // a notice that ends the program was shown
  bool anyRefused = false;   // at least one input was refused with a notice
};

}  // namespace sorvane
