// The jobs of the Process buttons in the window's own terms: what a job reads from the
// window (Text1, the marks of List2) and what the window shows after it. No widgets
// here, so the window's side of every job is tested without a display.
#pragma once

#include <string>
#include <vector>

#include "common/app_folder.h"
#include "common/notices.h"
#include "jobs/pet_job.h"

namespace sorvane::ui {

inline constexpr int kListEntryTwips = 330;  // the height of one List2 entry

struct WindowState {
  std::string text1;                      // the data file name box
  std::vector<std::string> list2Entries;  // the method list of the coefficient generator
  std::vector<bool> list2Marks;           // entry k marked (same length as the entries)
  int list2HeightTwips = kListEntryTwips;
};

struct JobOutcome {
  WindowState window;        // the state the window shows after the job
  bool programEnds = false;  // a notice that ends the program was shown: close the window
  bool anyRefused = false;   // at least one input was refused with a notice
};

// What the window asks of a PET run: `jobs` files at once, and the format's rule on
// missing values (an empty field is 0), which the window keeps.
RunOptions WindowRunOptions(unsigned jobs);

// The pet and coeff buttons close a run that had anything to say (a refusal, a warning, a
// report) with one message before "JOB END": how many files were processed and refused,
// where the results are, and the warnings of the whole run. A run with nothing to say
// shows "JOB END" alone and hands that summary to the progress window (Summarise).

// The pet button: a run for the name in Text1, which is emptied once the list is run.
JobOutcome PetRunFromWindow(const WindowState& window, const AppFolder& folder, Notices& notices,
                            const RunOptions& options = WindowRunOptions(1));

// The coeff button: a run for the name in Text1 with the methods marked in List2; once
// the list is run, Text1 and List2 are emptied and List2 is one entry high.
JobOutcome CoefficientRunFromWindow(const WindowState& window, const AppFolder& folder, Notices& notices);

// The adj button: the CoefficientFile at the path in Text1; Text1 is left as it is.
JobOutcome AdjustFromWindow(const WindowState& window, const AppFolder& folder, Notices& notices);

}  // namespace sorvane::ui
