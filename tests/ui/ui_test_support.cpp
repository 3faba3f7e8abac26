#include "ui_test_support.h"

#include <QAbstractItemView>
#include <QLabel>
#include <QProgressBar>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QThread>
#include <fstream>
#include <iterator>

namespace sorvane::ui::testing {

namespace fs = std::filesystem;

std::optional<QString> AnsweringFileDialog::ChooseFile(QWidget*, const std::vector<FileFilter>& filters,
                                                       int preselected, const QString& startFolder) {
  ++shown;
  lastFilters = filters;
  lastPreselected = preselected;
  lastStartFolder = startFolder;
  if (answers.empty()) return std::nullopt;
  const bool cancelled = !answers.front().has_value();
  const QString path = answers.front().value_or(QString());
  answers.pop_front();
  if (cancelled) return std::nullopt;
  return path;
}

void RecordingPresenter::Present(QWidget*, const QString& text, NoticeIcon icon) {
  texts << text;
  icons << icon;
  QWidget* modal = QApplication::activeModalWidget();
  modalAbove << (modal ? modal->objectName() : QString());
  const auto* bar = modal ? modal->findChild<QProgressBar*>() : nullptr;
  progressPercent << (bar && bar->maximum() > 0 ? 100 * bar->value() / bar->maximum() : -1);
  const auto* label = modal ? modal->findChild<QLabel*>() : nullptr;
  progressTexts << (label ? label->text() : QString());
  allOnUiThread = allOnUiThread && QThread::currentThread() == qApp->thread();
}

bool RecordingPresenter::Ask(QWidget*, const QString& question) {
  questions << question;
  if (answers.empty()) return false;
  const bool yes = answers.front();
  answers.pop_front();
  return yes;
}

AppFolderCopy::AppFolderCopy() {
  std::error_code ec;
  fs::copy(fs::path(SORVANE_SOURCE_DIR) / "appfolder", Root(), fs::copy_options::recursive, ec);
  if (ec) qWarning("the ApplicationFolder cannot be copied: %s", ec.message().c_str());
}

fs::path AppFolderCopy::Root() const { return fs::path(dir_.path().toStdString()); }

QString AppFolderCopy::Path(const std::string& relative) const {
  return QString::fromStdString((Root() / relative).string());
}

std::string AppFolderCopy::Read(const std::string& relative) const {
  std::ifstream in(Root() / relative, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

bool AppFolderCopy::Exists(const std::string& relative) const { return fs::exists(Root() / relative); }

void AppFolderCopy::Write(const std::string& relative, const std::string& content) const {
  fs::create_directories((Root() / relative).parent_path());
  std::ofstream(Root() / relative, std::ios::binary) << content;
}

WindowUnderTest::WindowUnderTest()
    : window(std::make_unique<MainWindow>(AppFolder(folder.Root()), dialog, presenter)) {
  window->show();
  if (!QTest::qWaitForWindowExposed(window.get())) qWarning("the main window was not exposed");
}

WindowUnderTest::~WindowUnderTest() = default;

void WindowUnderTest::Click(const char* buttonName) const {
  auto* button = Find<QPushButton>(buttonName);
  QVERIFY2(button != nullptr, buttonName);
  QVERIFY2(button->isVisible(), buttonName);
  QTest::mouseClick(button, Qt::LeftButton);
}

void WindowUnderTest::PickModule(const QString& module) const {
  QComboBox* combo = Combo1();
  const int row = combo->findText(module, Qt::MatchExactly);
  QVERIFY2(row >= 0, qPrintable(module));
  combo->showPopup();
  QAbstractItemView* list = combo->view();
  QTRY_VERIFY(list->isVisible());
  const QRect entry = list->visualRect(combo->model()->index(row, 0));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, entry.center());
  QTRY_VERIFY(!list->isVisible());
  QCOMPARE(combo->currentText(), module);
}

void WindowUnderTest::BrowseAnswering(std::optional<QString> answer) {
  dialog.answers.push_back(std::move(answer));
  Click("browse");
}

void WindowUnderTest::ToggleMark(int row) const {
  QListWidget* list = List2();
  QListWidgetItem* item = list->item(row);
  QVERIFY(item != nullptr);
  QStyleOptionViewItem option;
  option.initFrom(list->viewport());
  option.rect = list->visualItemRect(item);
  option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
  option.text = item->text();
  option.font = list->font();
  const QRect box = list->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, list);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, box.center());
}

QStringList WindowUnderTest::List2Entries() const {
  QStringList entries;
  for (int row = 0; row < List2()->count(); ++row) entries << List2()->item(row)->text();
  return entries;
}

QList<bool> WindowUnderTest::List2Marks() const {
  QList<bool> marks;
  for (int row = 0; row < List2()->count(); ++row) marks << (List2()->item(row)->checkState() == Qt::Checked);
  return marks;
}

int TwipsToPixels(int twips) { return (twips + 7) / 15; }

int CountTopLevel(const char* objectName) {
  int count = 0;
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (widget->objectName() == QLatin1String(objectName)) ++count;
  return count;
}

}  // namespace sorvane::ui::testing
