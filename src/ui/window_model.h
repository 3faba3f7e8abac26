// What the window decides without drawing anything: which module a text of Combo1 names,
// where Browse opens and what it takes, and how a notice is shown. Both hosts ask here.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "common/app_folder.h"
#include "common/notices.h"
#include "jobs/job_notices.h"
#include "ui/window_layout.h"

namespace sorvane::ui {

// Browse's choices, each a label and a pattern separated by "|"; the first is preselected.
inline constexpr std::string_view kBrowseFilter =
    "CSV Files [*.csv]|*.csv|Text Files [*.txt]|*.txt|All Files [*.*]|*.*";

enum class Module { None, Pet, Coefficients, Adjuster };

// The module whose name equals `combo1Text` exactly; None for any other text.
Module ModuleNamed(std::string_view combo1Text);

// The view of a module; nullptr for None.
const ModuleView* ViewOf(Module module);

// The folder a module's job reads its data files from, and how a notice says so.
struct ModuleData {
  std::filesystem::path folder;
  std::string_view reads;  // "the PET run reads weather files from"
};
std::optional<ModuleData> DataFolderOf(Module module, const AppFolder& folder);

// True when `chosen` lies in the data folder, where the module's job will look for it.
bool LiesInDataFolder(const std::filesystem::path& chosen, const ModuleData& data);

// What the window asks before it copies a file chosen elsewhere into the data folder.
std::string CopyQuestion(const std::filesystem::path& chosen, const ModuleData& data);

// Copies `chosen` into the data folder (replacing a file of its name there): the copy's
// path, or the problem, naming `chosen`, that kept it from being made.
Expected<std::filesystem::path> CopyIntoDataFolder(const std::filesystem::path& chosen, const ModuleData& data);

// The height of List2 at `topTwips` holding `entries` entries: 330 twips an entry (one when
// empty), so that every entry is visible, yet never reaching down over Line1; a list
// longer than that room scrolls.
int List2HeightTwips(std::size_t entries, int topTwips);

// List2 is shown in the coefficient generator's view, once Browse has given it entries:
// an empty list would stand beside Text1 as a half-drawn field.
bool List2Shown(Module view, std::size_t entries);

// What a Process button's run will work through, for its progress window from the start:
// "all 4 files of data/PET_DATA" for the DataFileList of `module`'s folder.
std::string RunScope(Module module, const AppFolder& folder);

// What the progress window says while a run works: its scope, and under it the file at
// hand ("File 2 of 4: STN2.csv"); `fileIndex` counts from 0.
std::string ProgressText(std::string_view scope, std::size_t fileIndex, std::size_t fileCount,
                         std::string_view fileName);

// What a run of `module`'s list came to, and where its results are:
// "3 of 4 files of data/PET_DATA processed, 1 refused\nResults are in /home/ana/sorvane/OUTPUT".
std::string RunSummaryText(Module module, const JobReport& report, const AppFolder& folder);

// The one message before "JOB END" of a run that had anything to say: its summary, then
// the warnings the run gathered (none: the summary alone, which informs).
Notice RunClosingNotice(std::string_view summary, std::string_view warnings);

// What the message box shows beside the text: refusals and errors warn, "JOB END" and the
// reports of a run inform.
enum class NoticeIcon { Information, Warning };

NoticeIcon IconFor(const Notice& notice);

// The notice a job ends with: "JOB END", or one that ends the program. The progress
// bar stands at its end before it is shown.
bool IsClosingNotice(const Notice& notice);

}  // namespace sorvane::ui
