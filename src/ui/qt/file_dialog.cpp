#include "ui/qt/file_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

namespace sorvane::ui {

std::vector<FileFilter> ParseFileFilter(std::string_view filter) {
  const QStringList parts =
      QString::fromUtf8(filter.data(), static_cast<qsizetype>(filter.size())).split(QLatin1Char('|'));
  std::vector<FileFilter> filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) filters.push_back({parts[i], parts[i + 1]});
  return filters;
}

QString CaseInsensitivePattern(const QString& pattern) {
  if (pattern == QLatin1String("*.*")) return QStringLiteral("*");
  QString glob;
  for (const QChar c : pattern) {
    if (c.isLetter() && c.toLower() != c.toUpper())
      glob += QLatin1Char('[') + c.toLower() + c.toUpper() + QLatin1Char(']');
    else
      glob += c;
  }
  return glob;
}

std::optional<QString> QtFileDialog::ChooseFile(QWidget* parent, const std::vector<FileFilter>& filters,
                                                int preselected, const QString& startFolder) {
  const QString folder = !startFolder.isEmpty() ? startFolder : folder_.isEmpty() ? QDir::currentPath() : folder_;
  QFileDialog dialog(parent, QStringLiteral("Open"), folder);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  // The labels show the patterns already; the case-blind globs behind them stay hidden.
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  QStringList nameFilters;
  for (const auto& f : filters) nameFilters << f.label + QStringLiteral(" (") + CaseInsensitivePattern(f.pattern) + ")";
  dialog.setNameFilters(nameFilters);
  if (preselected >= 0 && preselected < nameFilters.size()) dialog.selectNameFilter(nameFilters[preselected]);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  const QString chosen = QFileInfo(dialog.selectedFiles().constFirst()).absoluteFilePath();
  folder_ = QFileInfo(chosen).absolutePath();
  return chosen;
}

}  // namespace sorvane::ui
