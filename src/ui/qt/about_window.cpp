#include "ui/qt/about_window.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include "ui/qt/app_setup.h"
#include "ui/window_look.h"

namespace sorvane::ui {

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
  closeButton->setGeometry(Pixels(kAboutCloseButtonTwips.left), Pixels(kAboutCloseButtonTwips.top),
                           Pixels(kAboutCloseButtonTwips.width), Pixels(kAboutCloseButtonTwips.height));
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
