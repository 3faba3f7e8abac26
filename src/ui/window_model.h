// What the window decides without drawing anything: which module a text of Combo1 names,
// where Browse opens and what it takes, and how a notice is shown. Both hosts ask here.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "common/app_folder.h"
#include "common/notices.h"
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
// path, or nullopt and `problem` saying why it could not be made.
std::optional<std::filesystem::path> CopyIntoDataFolder(const std::filesystem::path& chosen, const ModuleData& data,
                                                        std::string* problem);

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

// What the message box shows beside the text: refusals and errors warn, "JOB END" and the
// reports of a run inform.
enum class NoticeIcon { Information, Warning };

NoticeIcon IconFor(const Notice& notice);

// The notice a job ends with: "JOB END", or one that ends the program. The progress
// bar stands at its end before it is shown.
bool IsClosingNotice(const Notice& notice);

}  // namespace sorvane::ui
