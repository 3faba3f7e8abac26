#include "ui/about_window.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <array>
#include <string_view>

#include "ui/app_setup.h"
#include "ui/credits.h"
#include "ui/window_layout.h"

namespace sorvane::ui {

namespace {

inline constexpr int kAboutWidthTwips = 7800;
inline constexpr int kAboutHeightTwips = 4905;

struct AboutLabel {
  std::string_view name{};
  std::string_view text{};
  Placement twips;
  FontSpec font{};
  unsigned rgb = 0x000000;
  bool wraps = false;
};

constexpr std::array<AboutLabel, 6> kAboutLabels{{
    {"Label3", "PET", {240, 120, 2175, 1095}, {"Times New Roman", 48.75, true, true}, 0xFF0000},
    {"Label12", "Sorvane", {2400, 840, 4335, 255}, {"Arial", 9.75}},
    {"Label4", "Due care was taken while developing this free software.", {1080, 1680, 5535, 255}, {"Arial", 9.75}},
    {"Label1", "Developers are NOT  responsible  for any loss occured while using this software.",
     {1080, 2040, 5175, 615}, {"Arial", 9.75}, 0x000000, true},
    {"Label2", kScientificTeam, {360, 3720, 3855, 855}, {"Arial", 8.25}},
    {"Label7", kSoftwareAuthors, {4320, 3720, 3495, 735}, {"Arial", 8.25}},
}};

// Beside the credits of the authors, above the free space right of the disclaimer.
constexpr Placement kCloseButtonTwips{6600, 3120, 1035, 375};

}  // namespace

AboutWindow::AboutWindow() : QWidget(nullptr, Qt::Window) {
  setObjectName(QStringLiteral("about_f"));
  setWindowTitle(QStringLiteral("Sorvane"));
  setWindowIcon(SorvaneIcon());
  setFixedSize(Pixels(kAboutWidthTwips), Pixels(kAboutHeightTwips));
  for (const auto& design : kAboutLabels) {
    auto* label = new QLabel(QString::fromUtf8(design.text.data(), static_cast<qsizetype>(design.text.size())), this);
    label->setObjectName(QString::fromUtf8(design.name.data(), static_cast<qsizetype>(design.name.size())));
    label->setGeometry(Pixels(design.twips.left), Pixels(design.twips.top), Pixels(design.twips.width),
                       Pixels(design.twips.height));
    label->setFont(DesignedFont(design.font));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(design.wraps);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor::fromRgb(design.rgb));
    label->setPalette(palette);
  }
  auto* closeButton = new QPushButton(QStringLiteral("Close"), this);
  closeButton->setObjectName(QStringLiteral("Close"));
  closeButton->setFont(DesignedFont({}));
  closeButton->setGeometry(Pixels(kCloseButtonTwips.left), Pixels(kCloseButtonTwips.top),
                           Pixels(kCloseButtonTwips.width), Pixels(kCloseButtonTwips.height));
  connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
}

void AboutWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace sorvane::ui
