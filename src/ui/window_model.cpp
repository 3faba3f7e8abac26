#include "ui/window_model.h"

#include <algorithm>
#include <system_error>

#include "common/data_file_list.h"
#include "common/platform.h"
#include "common/text.h"
#include "jobs/job_notices.h"
#include "ui/window_jobs.h"

namespace sorvane::ui {

Module ModuleNamed(std::string_view combo1Text) {
  if (combo1Text == kModuleNames[0]) return Module::Pet;
  if (combo1Text == kModuleNames[1]) return Module::Coefficients;
  if (combo1Text == kModuleNames[2]) return Module::Adjuster;
  return Module::None;
}

const ModuleView* ViewOf(Module module) {
  switch (module) {
    case Module::Pet: return &kModuleViews[0];
    case Module::Coefficients: return &kModuleViews[1];
    case Module::Adjuster: return &kModuleViews[2];
    case Module::None: break;
  }
  return nullptr;
}

std::optional<ModuleData> DataFolderOf(Module module, const AppFolder& folder) {
  switch (module) {
    case Module::Pet: return ModuleData{folder.PetData(), "the PET run reads weather files from"};
    case Module::Coefficients:
      return ModuleData{folder.CoefficientData(), "the coefficient generator reads station lists from"};
    case Module::Adjuster: return ModuleData{folder.Output(), "the PET adjuster reads coefficient files from"};
    case Module::None: break;
  }
  return std::nullopt;
}

bool LiesInDataFolder(const std::filesystem::path& chosen, const ModuleData& data) {
  std::error_code ec;
  return std::filesystem::equivalent(chosen.parent_path(), data.folder, ec);
}

std::string CopyQuestion(const std::filesystem::path& chosen, const ModuleData& data) {
  namespace fs = std::filesystem;
  std::string question = platform::Utf8(chosen.filename()) + " is not in the folder " + std::string(data.reads) +
                         ":\n" + platform::Utf8(data.folder) + "\n\nCopy it there and use the copy?";
  std::error_code ec;
  if (fs::exists(data.folder / chosen.filename(), ec)) question += "\nThe file of that name there is replaced.";
  return question;
}

Expected<std::filesystem::path> CopyIntoDataFolder(const std::filesystem::path& chosen, const ModuleData& data) {
  namespace fs = std::filesystem;
  const fs::path copy = data.folder / chosen.filename();
  std::error_code ec;
  fs::create_directories(data.folder, ec);
  if (!ec) fs::copy_file(chosen, copy, fs::copy_options::overwrite_existing, ec);
  if (!ec) return copy;
  return Fail(Problem{platform::Utf8(chosen), 0, {},
                      "cannot be copied to " + platform::Utf8(data.folder) + " (" + ec.message() + ")"});
}

int List2HeightTwips(std::size_t entries, int topTwips) {
  const int wanted = kListEntryTwips * static_cast<int>(std::max<std::size_t>(1, entries));
  // Above the top pixel row of Line1, one pixel clear of it.
  const int lineTop = DesignedPlacement("Line1")->top - (kLineThicknessPixels / 2 + 1) * kTwipsPerPixel;
  return std::min(wanted, std::max(kListEntryTwips, lineTop - topTwips));
}

bool List2Shown(Module view, std::size_t entries) {
  const ModuleView* shown = ViewOf(view);
  return shown && shown->list2.shown && entries > 0;
}

namespace {

// The data folder of a module that runs a list, as its notices name it; empty for others.
std::string_view ListFolderWords(Module module) {
  return module == Module::Pet ? "data/PET_DATA" : module == Module::Coefficients ? "data/COEFFI_DATA" : "";
}

std::string Files(std::size_t count) { return std::to_string(count) + (count == 1 ? " file" : " files"); }

}  // namespace

std::string RunScope(Module module, const AppFolder& folder) {
  const std::string_view data = ListFolderWords(module);
  if (data.empty()) return "Working...";
  const auto names = ReadDataFileList(folder.DataFileList());
  if (!names) return "Working...";
  const std::size_t count = names->size();
  return (count == 1 ? std::string("the 1 file of ") : "all " + std::to_string(count) + " files of ") + std::string(data);
}

std::string ProgressText(std::string_view scope, std::size_t fileIndex, std::size_t fileCount,
                         std::string_view fileName) {
  return std::string(scope) + "\nFile " + std::to_string(fileIndex + 1) + " of " + std::to_string(fileCount) + ": " +
         std::string(fileName);
}

std::string RunSummaryText(Module module, const JobReport& report, const AppFolder& folder) {
  std::string text = std::to_string(report.processed) + " of " + Files(report.listed) + " of " +
                     std::string(ListFolderWords(module)) + " processed";
  if (report.withoutMethod > 0) text += " (" + std::to_string(report.withoutMethod) + " without any method)";
  text += ", " + std::to_string(report.refused) + " refused\n";
  text += report.processed > 0 ? "Results are in " + platform::Utf8(folder.Output()) : std::string("No result was written");
  return text;
}

Notice RunClosingNotice(std::string_view summary, std::string_view warnings) {
  if (warnings.empty()) return Information(std::string(summary));
  return Warning(std::string(summary) + "\n\n" + std::string(warnings));
}

NoticeIcon IconFor(const Notice& notice) {
  // "NO Data file selected" is the jobs' own notice, yet it tells of a mistake to correct.
  if (notice.kind != NoticeKind::Information || notice.text == NoDataFileNotice()) return NoticeIcon::Warning;
  return NoticeIcon::Information;
}

bool IsClosingNotice(const Notice& notice) {
  return notice.kind == NoticeKind::ProgramEnd || TrimSpaces(notice.text) == "JOB END";
}

}  // namespace sorvane::ui
