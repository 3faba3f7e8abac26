// The Linux side of the Windows window's test: the same three jobs the driver works
// through sorvane.exe (scripts/test-windows.sh), run through the window model as the Qt
// window runs them, their notices printed as the driver prints the message boxes.
//
//   sorvane-window-transcript APP_FOLDER
#include <cstdio>
#include <string>

#include "coefficients/coefficient_table.h"
#include "common/data_file_list.h"
#include "ui/window_jobs.h"
#include "ui/window_model.h"

using namespace sorvane;

namespace {

// Shows each notice as the driver reads a message box: the title (empty), then the text
// on one line; at "JOB END", what the progress window behind it says.
class PrintedNotices : public Notices {
 public:
  explicit PrintedNotices(std::string appFolder) : appFolder_(std::move(appFolder)) {}

  // A Process button pressed: the progress window opens with the run's scope.
  void Start(ui::Module module, const AppFolder& folder) {
    progress_ = scope_ = ui::RunScope(module, folder);
    std::printf("scope: %s\n", OneLine(scope_).c_str());
  }
  void Show(const Notice& notice) override {
    std::printf("notice: [] %s\n", OneLine(notice.text).c_str());
    if (notice.text.find("JOB END") != std::string::npos) std::printf("progress: %s\n", OneLine(progress_).c_str());
  }
  void Progress(std::size_t fileIndex, std::size_t fileCount, std::string_view fileName) override {
    progress_ = ui::ProgressText(scope_, fileIndex, fileCount, fileName);
  }
  void Summarise(std::string_view summary) override { progress_ = summary; }

 private:
  std::string OneLine(std::string text) const {
    for (std::size_t at; (at = text.find(appFolder_)) != std::string::npos;) text.replace(at, appFolder_.size(), "APPFOLDER");
    for (auto& c : text)
      if (c == '\n') c = ' ';
    return text;
  }
  std::string appFolder_;
  std::string scope_;
  std::string progress_;  // what the progress window says
};

// Browse in a module's view: Text1 takes the file, the DataFileList lists its folder.
ui::WindowState Browsed(const AppFolder& folder, const std::filesystem::path& file, bool writesList) {
  ui::WindowState state;
  state.text1 = file.string();
  if (!writesList) return state;
  if (auto written = WriteDataFileList(folder, file.parent_path(), state.text1); !written)
    std::printf("notice: [] %s\n", Located(written.error()).c_str());
  return state;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: sorvane-window-transcript APP_FOLDER\n", stderr);
    return 2;
  }
  const AppFolder folder{std::filesystem::path(argv[1])};
  PrintedNotices notices(argv[1]);
  const ui::WindowState pet = Browsed(folder, folder.PetData() / "KESTREL.csv", true);
  notices.Start(ui::Module::Pet, folder);
  ui::PetRunFromWindow(pet, folder, notices);

  ui::WindowState coefficients = Browsed(folder, folder.CoefficientData() / "stations.csv", true);
  const auto methods = ReadMethodNamesForList(folder);
  if (methods) coefficients.list2Entries = *methods;
  coefficients.list2Marks.assign(coefficients.list2Entries.size(), false);
  for (const std::size_t marked : {1, 2, 7})
    if (marked < coefficients.list2Marks.size()) coefficients.list2Marks[marked] = true;
  notices.Start(ui::Module::Coefficients, folder);
  ui::CoefficientRunFromWindow(coefficients, folder, notices);

  const ui::WindowState adjust = Browsed(folder, folder.Output() / "stations_COEFFI.csv", false);
  notices.Start(ui::Module::Adjuster, folder);
  ui::AdjustFromWindow(adjust, folder, notices);
  return 0;
}
