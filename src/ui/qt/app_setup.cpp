#include "ui/qt/app_setup.h"

#include <QApplication>
#include <QString>
#include <clocale>

// Resources of a static library are registered by name, outside any namespace.
static void RegisterPictures() { Q_INIT_RESOURCE(sorvane); }

namespace sorvane::ui {

namespace {

// The faces the window was designed with and the Liberation faces (same metrics) that
// stand in for them here. Without its substitute "MS Sans Serif" would fall back to a
// wider face and the captions would no longer fit their buttons.
struct Substitute {
  const char* designed;
  const char* installed;
};
constexpr Substitute kSubstitutes[] = {
    {"MS Sans Serif", "Liberation Sans"},
    {"Arial", "Liberation Sans"},
    {"Times New Roman", "Liberation Serif"},
    {"Courier New", "Liberation Mono"},
};

}  // namespace

void SetUpApplication() {
  // QApplication takes the whole locale from the environment; numbers must keep "." as
  // their decimal point whatever the user's language.
  std::setlocale(LC_NUMERIC, "C");
  for (const auto& s : kSubstitutes) QFont::insertSubstitution(s.designed, s.installed);
  RegisterPictures();
  QApplication::setApplicationName("Sorvane");
  QApplication::setDesktopFileName("sorvane");
  QApplication::setWindowIcon(SorvaneIcon());
}

QFont DesignedFont(const FontSpec& design) {
  QFont font(QString::fromUtf8(design.family.data(), static_cast<qsizetype>(design.family.size())));
  font.setPointSizeF(design.points);
  font.setBold(design.bold);
  font.setItalic(design.italic);
  return font;
}

QIcon SorvaneIcon() { return QIcon(":/sorvane/icon.png"); }

}  // namespace sorvane::ui
