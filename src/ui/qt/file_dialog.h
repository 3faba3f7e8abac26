// The file-open dialog of the Browse button, behind an interface so that tests can
// answer it.
#pragma once

#include <QString>
#include <optional>
#include <string_view>
#include <vector>

class QWidget;

namespace sorvane::ui {

struct FileFilter {
  QString label;    // "CSV Files [*.csv]"
  QString pattern;  // "*.csv"
  bool operator==(const FileFilter&) const = default;
};

// "label|pattern|label|pattern..." as pairs; a label without its pattern is dropped.
std::vector<FileFilter> ParseFileFilter(std::string_view filter);

class FileDialog {
 public:
  virtual ~FileDialog() = default;
  // Shows the modal dialog with `filters`, `filters[preselected]` chosen, open in
  // `startFolder` (when empty: where the dialog itself chooses); the full path of the
  // chosen file, or nullopt when the user cancels.
  virtual std::optional<QString> ChooseFile(QWidget* parent, const std::vector<FileFilter>& filters,
                                            int preselected, const QString& startFolder) = 0;
};

// Qt's own file dialog. Without a start folder it opens in the folder of the previous
// choice (the folder the program was started in at first); it matches the patterns
// without regard to case.
class QtFileDialog : public FileDialog {
 public:
  std::optional<QString> ChooseFile(QWidget* parent, const std::vector<FileFilter>& filters, int preselected,
                                    const QString& startFolder) override;

 private:
  QString folder_;
};

// A pattern for Qt's dialog: letters match either case ("*.csv" -> "*.[cC][sS][vV]"),
// and "*.*" means every file, names without a dot included.
QString CaseInsensitivePattern(const QString& pattern);

}  // namespace sorvane::ui
