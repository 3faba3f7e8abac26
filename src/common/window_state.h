// The main window's state as plain values: what a job reads from the window and what
// it hands back for the window to show. The jobs never touch a widget.
#pragma once

#include <string>
#include <vector>

namespace sorvane {

inline constexpr int kListEntryTwips = 330;  // the height of one List2 entry

struct WindowState {
  std::string text1;                      // the data file name box
  std::vector<std::string> list2Entries;  // the method list of the coefficient generator
  std::vector<bool> list2Marks;           // entry k marked (same length as the entries)
  int list2HeightTwips = kListEntryTwips;
};

// Which parameter fields of a weather file hold no reading. By the format's own rule an
// empty field is a value of 0; a user may say otherwise for a run.
struct MissingValues {
  bool emptyIsMissing = false;
  std::vector<double> codes;  // a field holding one of these numbers holds no reading
};

struct RunOptions {
  unsigned jobs = 1;  // files processed at once; notices still come in list order
  MissingValues missing;
};

struct JobOutcome {
  WindowState window;        // the state the window shows after the job
  bool programEnds = false;  // a notice that ends the program was shown: close the window
  bool anyRefused = false;   // at least one input was refused with a notice
};

}  // namespace sorvane
