#include "ui/qt/main_window.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <algorithm>
#include <thread>

#include "jobs/adjust_job.h"
#include "coefficients/coefficient_table.h"
#include "common/data_file_list.h"
#include "jobs/pet_job.h"
#include "ui/qt/about_window.h"
#include "ui/qt/app_setup.h"
#include "ui/qt/file_dialog.h"
#include "ui/help_text.h"
#include "ui/qt/module_list.h"
#include "ui/qt/notice_presenter.h"
#include "ui/window_look.h"
#include "ui/window_model.h"

namespace sorvane::ui {

namespace {

QString FromView(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void PlaceAsDesigned(QWidget* control) {
  const auto twips = DesignedPlacement(control->objectName().toStdString());
  if (!twips) return;
  control->setGeometry(Pixels(twips->left), Pixels(twips->top), Pixels(twips->width), Pixels(twips->height));
}

void SetTextColour(QWidget* control, QPalette::ColorRole role, unsigned rgb) {
  QPalette palette = control->palette();
  palette.setColor(role, QColor::fromRgb(rgb));
  control->setPalette(palette);
}

// Line1: a grey line, kLineThicknessPixels thick and centred on its designed line.
class LineControl : public QWidget {
 public:
  explicit LineControl(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Line1"));
    const Placement twips = *DesignedPlacement("Line1");
    setGeometry(Pixels(twips.left), Pixels(twips.top) - kLineThicknessPixels / 2, Pixels(twips.width),
                kLineThicknessPixels);
  }

 protected:
  void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), QColor::fromRgb(kLineRgb)); }
};

}  // namespace

MainWindow::MainWindow(AppFolder folder, FileDialog& fileDialog, NoticePresenter& presenter, QWidget* parent)
    : QWidget(parent),
      folder_(std::move(folder)),
      fileDialog_(fileDialog),
      presenter_(presenter),
      browsedFolder_(std::filesystem::current_path()) {
  setObjectName(QStringLiteral("MainWindow"));
  setWindowTitle(QStringLiteral("Sorvane"));
  setWindowIcon(SorvaneIcon());
  setFixedSize(Pixels(kClientWidthTwips), Pixels(kClientHeightTwips));
  setFont(DesignedFont(kWindowFont));
  BuildControls();

  // Opening the window: the three modules, none of them chosen.
  combo1_->clear();
  for (const auto name : kModuleNames) combo1_->addItem(FromView(name));
  combo1_->setCurrentIndex(-1);
  combo1_->clearEditText();
}

MainWindow::~MainWindow() { delete about_; }

void MainWindow::BuildControls() {
  list1_ = new QListWidget(this);
  list1_->setObjectName(QStringLiteral("List1"));
  QFont fixedPitch = DesignedFont(kHelpFont);
  fixedPitch.setStyleHint(QFont::TypeWriter);
  fixedPitch.setFixedPitch(true);
  list1_->setFont(fixedPitch);
  SetTextColour(list1_, QPalette::Text, kHelpTextRgb);

  combo1_ = new ModuleList(this);
  combo1_->setObjectName(QStringLiteral("Combo1"));
  connect(combo1_, &ModuleList::ModulePicked, this, &MainWindow::ApplyModuleView);

  text1_ = new QLineEdit(this);
  text1_->setObjectName(QStringLiteral("Text1"));

  list2_ = new QListWidget(this);
  list2_->setObjectName(QStringLiteral("List2"));
  list2_->setSelectionMode(QAbstractItemView::NoSelection);

  for (const auto& design : kButtons) {
    auto* button = new QPushButton(FromView(design.caption), this);
    button->setObjectName(FromView(design.name));
    button->setFont(DesignedFont({}));
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, action = design.action] { Act(action); });
    if (design.action == ButtonAction::ProcessPet) pet_ = button;
    if (design.action == ButtonAction::ProcessCoefficients) coeff_ = button;
    if (design.action == ButtonAction::ProcessAdjuster) adj_ = button;
  }

  for (const auto& design : kLabels) {
    auto* label = new QLabel(FromView(design.text), this);
    label->setObjectName(FromView(design.name));
    label->setFont(DesignedFont(design.font));
    label->setAlignment((design.centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
    SetTextColour(label, QPalette::WindowText, design.rgb);
    if (!design.tooltip.empty()) label->setToolTip(FromView(design.tooltip));
  }

  new LineControl(this);
  for (const char* name : {"Image1", "Image2"}) {
    auto* picture = new QLabel(this);
    picture->setObjectName(QString::fromLatin1(name));
    picture->setScaledContents(true);
    picture->setPixmap(QPixmap(QStringLiteral(":/sorvane/%1.png").arg(QString::fromLatin1(name).toLower())));
  }

  for (const auto& control : kMainWindowControls) {
    auto* widget = findChild<QWidget*>(FromView(control.name), Qt::FindDirectChildrenOnly);
    if (!widget) continue;
    if (control.name != "Line1") PlaceAsDesigned(widget);
    if (!control.shown) widget->hide();
  }
  list2_->raise();  // the method list grows downward over whatever lies below it
}

// Choosing a module: the view whose name equals the text of Combo1.
void MainWindow::ApplyModuleView(const QString& module) {
  const auto apply = [](QWidget* control, const ControlView& view) {
    if (view.topTwips) control->move(control->x(), Pixels(*view.topTwips));
    control->setVisible(view.shown);
  };
  const ModuleView* view = ViewOf(ModuleNamed(module.toStdString()));
  if (!view) return;
  view_ = ModuleNamed(module.toStdString());
  apply(pet_, view->pet);
  apply(coeff_, view->coeff);
  apply(adj_, view->adj);
  apply(list2_, view->list2);
  text1_->resize(Pixels(view->text1WidthTwips), text1_->height());
  list2_->setVisible(List2Shown(view_, static_cast<std::size_t>(list2_->count())));
}

// Browse opens in the data folder of the module named by Combo1 (typed or picked), and
// takes a file chosen elsewhere only as a copy in that folder, where the module's job
// will look for it.
void MainWindow::Browse() {
  const Module module = ModuleNamed(combo1_->currentText().toStdString());
  const auto data = DataFolderOf(module, folder_);
  const QString start = data ? QString::fromStdString(data->folder.string()) : QString();
  if (const auto chosen = fileDialog_.ChooseFile(this, ParseFileFilter(kBrowseFilter), 0, start)) {
    const auto taken = data ? TakeIntoDataFolder(*chosen, *data) : chosen;
    if (!taken) return;  // Text1 and the DataFileList stay as they were
    dialogFileName_ = *taken;
    browsedFolder_ = std::filesystem::path(taken->toStdString()).parent_path();
  }
  text1_->setText(dialogFileName_);

  if (module == Module::Pet || module == Module::Coefficients) WriteDataFileList();
  if (module == Module::Coefficients) FillMethodList();
}

// `chosen` when it lies in the module's data folder; else, when the user agrees, the
// path of its copy there; nullopt when the user declines or the copy fails.
std::optional<QString> MainWindow::TakeIntoDataFolder(const QString& chosen, const ModuleData& data) {
  const std::filesystem::path file(chosen.toStdString());
  if (LiesInDataFolder(file, data)) return chosen;
  if (!presenter_.Ask(this, QString::fromStdString(CopyQuestion(file, data)))) return std::nullopt;
  const auto copy = CopyIntoDataFolder(file, data);
  if (!copy) {
    ShowNotice(Located(copy.error()));
    return std::nullopt;
  }
  return QString::fromStdString(copy->string());
}

void MainWindow::WriteDataFileList() {
  if (auto written = sorvane::WriteDataFileList(folder_, browsedFolder_, text1_->text().toStdString()); !written)
    ShowNotice(Located(written.error()));
}

// The method names of the coefficient table, none of them marked, every one visible.
void MainWindow::FillMethodList() {
  const auto methods = ReadMethodNamesForList(folder_);
  if (!methods) ShowNotice(Located(methods.error()));
  const std::vector<std::string> names = methods ? *methods : std::vector<std::string>{};
  SetMethodEntries(names, std::vector<bool>(names.size(), false));
  SetList2HeightTwips(List2HeightTwips(names.size(), list2_->y() * kTwipsPerPixel));
}

void MainWindow::ProcessPet() {
  const WindowState state = CurrentState();
  const RunOptions options = WindowRunOptions(std::max(1u, std::thread::hardware_concurrency()));
  RunJob([&](Notices& notices) { return PetRunFromWindow(state, folder_, notices, options); });
}

void MainWindow::ProcessCoefficients() {
  const WindowState state = CurrentState();
  RunJob([&](Notices& notices) { return CoefficientRunFromWindow(state, folder_, notices); });
}

void MainWindow::ProcessAdjuster() {
  const WindowState state = CurrentState();
  RunJob([&](Notices& notices) { return AdjustFromWindow(state, folder_, notices); });
}

void MainWindow::Act(ButtonAction action) {
  switch (action) {
    case ButtonAction::Browse: return Browse();
    case ButtonAction::ProcessPet: return ProcessPet();
    case ButtonAction::ProcessCoefficients: return ProcessCoefficients();
    case ButtonAction::ProcessAdjuster: return ProcessAdjuster();
    case ButtonAction::About: return ShowAbout();
    case ButtonAction::Help: return ToggleHelp();
  }
}

// Odd presses show the help text, even presses clear it.
void MainWindow::ToggleHelp() {
  if (list1_->count() > 0) {
    list1_->clear();
    return;
  }
  for (const auto line : HelpText()) list1_->addItem(FromView(line));
}

// One About window at a time; a click while it is open brings it to the front.
void MainWindow::ShowAbout() {
  if (!about_) {
    about_ = new AboutWindow();
    about_->setAttribute(Qt::WA_DeleteOnClose);
    about_->move(frameGeometry().center() - about_->rect().center());  // centred on the main window
  }
  about_->show();
  about_->raise();
  about_->activateWindow();
}

void MainWindow::RunJob(const Job& job) {
  jobRunning_ = true;
  const auto outcome = RunJobBehindProgress(this, presenter_, job, RunScope(view_, folder_));
  jobRunning_ = false;
  if (!outcome) return;
  ShowState(outcome->window);
  if (outcome->programEnds) EndProgram();
}

WindowState MainWindow::CurrentState() const {
  WindowState state;
  state.text1 = text1_->text().toStdString();
  for (int row = 0; row < list2_->count(); ++row) {
    state.list2Entries.push_back(list2_->item(row)->text().toStdString());
    state.list2Marks.push_back(list2_->item(row)->checkState() == Qt::Checked);
  }
  state.list2HeightTwips = list2_->height() * kTwipsPerPixel;
  return state;
}

void MainWindow::ShowState(const WindowState& state) {
  text1_->setText(QString::fromStdString(state.text1));
  const WindowState shown = CurrentState();
  if (state.list2Entries != shown.list2Entries || state.list2Marks != shown.list2Marks)
    SetMethodEntries(state.list2Entries, state.list2Marks);
  SetList2HeightTwips(state.list2HeightTwips);
}

void MainWindow::SetMethodEntries(const std::vector<std::string>& entries, const std::vector<bool>& marks) {
  list2_->clear();
  for (std::size_t k = 0; k < entries.size(); ++k) {
    auto* item = new QListWidgetItem(QString::fromStdString(entries[k]), list2_);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    item->setCheckState(k < marks.size() && marks[k] ? Qt::Checked : Qt::Unchecked);
  }
}

// Never down over Line1, and shown only when the view has it and it holds entries.
void MainWindow::SetList2HeightTwips(int twips) {
  const auto entries = static_cast<std::size_t>(list2_->count());
  list2_->resize(list2_->width(), Pixels(std::min(twips, List2HeightTwips(entries, list2_->y() * kTwipsPerPixel))));
  list2_->setVisible(List2Shown(view_, entries));
}

// The window's own notices: each tells of something that went wrong.
void MainWindow::ShowNotice(const std::string& text) {
  presenter_.Present(this, QString::fromStdString(text), NoticeIcon::Warning);
}

// After a notice that ends the program: every window closes and the program exits.
void MainWindow::EndProgram() {
  if (about_) about_->close();
  close();
  emit ProgramEnds();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // A job runs to its end; the window closes after it.
  if (jobRunning_) {
    event->ignore();
    return;
  }
  QWidget::closeEvent(event);
}

}  // namespace sorvane::ui
