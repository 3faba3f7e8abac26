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
// with its line ends as spaces.
class PrintedNotices : public Notices {
 public:
  void Show(const Notice& notice) override {
    std::string text = notice.text;
    for (auto& c : text)
      if (c == '\n') c = ' ';
    std::printf("notice: [] %s\n", text.c_str());
  }
};

// Browse in a module's view: Text1 takes the file, the DataFileList lists its folder.
ui::WindowState Browsed(const AppFolder& folder, const std::filesystem::path& file, bool writesList) {
  ui::WindowState state;
  state.text1 = file.string();
  std::string error;
  if (writesList && !WriteDataFileList(folder, file.parent_path(), state.text1, &error))
    std::printf("notice: [] %s\n", error.c_str());
  return state;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: sorvane-window-transcript APP_FOLDER\n", stderr);
    return 2;
  }
  const AppFolder folder{std::filesystem::path(argv[1])};
  PrintedNotices notices;
  ui::PetRunFromWindow(Browsed(folder, folder.PetData() / "KESTREL.csv", true), folder, notices);

  ui::WindowState coefficients = Browsed(folder, folder.CoefficientData() / "stations.csv", true);
  const MethodNames methods = ReadMethodNamesForList(folder);
  coefficients.list2Entries = methods.names;
  coefficients.list2Marks.assign(methods.names.size(), false);
  for (const std::size_t marked : {1, 2, 7})
    if (marked < coefficients.list2Marks.size()) coefficients.list2Marks[marked] = true;
  ui::CoefficientRunFromWindow(coefficients, folder, notices);

  ui::AdjustFromWindow(Browsed(folder, folder.Output() / "stations_COEFFI.csv", false), folder, notices);
  return 0;
}
