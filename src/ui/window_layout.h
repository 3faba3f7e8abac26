// Where every control of the main window stands, and what each module's view moves.
// Positions are designed in twips (1440 to the inch) from the top left corner of the
// client area and placed at 15 twips per pixel, the 96 dots per inch they were drawn at.
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace sorvane::ui {

inline constexpr int kTwipsPerPixel = 15;

// Rounded to the nearest pixel: 6880 twips are 458.67 pixels and stand at 459.
constexpr int Pixels(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }
static_assert(Pixels(6880) == 459 && Pixels(6890) == 459 && Pixels(330) == 22);

inline constexpr int kClientWidthTwips = 15240;
inline constexpr int kClientHeightTwips = 10725;

struct Placement {
  int left = 0;  // twips
  int top = 0;
  int width = 0;
  int height = 0;
};

struct ControlPlacement {
  std::string_view name;  // the control's object name
  Placement twips;
  bool shown = true;  // visible when the window opens
};

// The window as it opens. The two unnamed credit labels carry names of their own here.
inline constexpr std::array<ControlPlacement, 21> kMainWindowControls{{
    {"List1", {120, 120, 15015, 6270}},
    {"Label6", {240, 6600, 735, 255}},
    {"Combo1", {120, 6890, 3495, 360}},
    {"Label5", {3720, 6600, 855, 255}},
    {"Text1", {3600, 6880, 8475, 360}},
    {"List2", {8880, 7245, 2895, 330}, false},
    {"browse", {11760, 6840, 855, 375}},
    {"pet", {12600, 6840, 855, 375}},
    {"coeff", {12600, 7200, 855, 375}, false},
    {"adj", {12600, 7680, 885, 375}, false},
    {"Command3", {13440, 6840, 855, 375}},
    {"Command4", {14280, 6840, 855, 375}},
    {"Label2", {480, 7560, 3375, 1335}},
    {"Label3", {1080, 9000, 1935, 255}},
    {"Label1", {3600, 8680, 495, 255}},
    {"Line1", {240, 9480, 14760, 0}},
    {"Image1", {480, 9540, 1155, 1110}},
    {"Image2", {14160, 9720, 675, 825}},
    {"Label4", {3840, 9600, 9255, 375}},
    {"LabelInstitute", {5280, 9960, 5895, 375}},
    {"LabelCity", {6960, 10320, 2055, 255}},
}};

// Line1 is drawn this thick (pixels), centred on its designed line.
inline constexpr int kLineThicknessPixels = 3;

constexpr std::optional<Placement> DesignedPlacement(std::string_view name) {
  for (const auto& control : kMainWindowControls)
    if (control.name == name) return control.twips;
  return std::nullopt;
}

// The ModuleNames, the entries of Combo1 in this order.
inline constexpr std::array<std::string_view, 3> kModuleNames{"Sorvane", "Coefficients Generator", "PET Adjuster"};

// What choosing a module does to one control: show or hide it, and move it to a new
// top when one is given (a control without one stays where it is).
struct ControlView {
  bool shown = false;
  std::optional<int> topTwips;
};

struct ModuleView {
  std::string_view module;
  ControlView pet;
  ControlView coeff;
  ControlView adj;
  ControlView list2;
  int text1WidthTwips = 0;
};

// Exactly one Process button is shown, always at 12600/6840; the coefficient generator
// narrows Text1 so that List2 fits to its right.
inline constexpr std::array<ModuleView, 3> kModuleViews{{
    {"Sorvane", {true, 6840}, {false, 7200}, {false, {}}, {false, 7300}, 8205},
    {"Coefficients Generator", {false, 6840}, {true, 6840}, {false, {}}, {true, 6880}, 5355},
    {"PET Adjuster", {false, {}}, {false, 7200}, {true, 6840}, {false, 7300}, 8205},
}};
static_assert(kModuleViews[0].module == kModuleNames[0] && kModuleViews[1].module == kModuleNames[1] &&
              kModuleViews[2].module == kModuleNames[2]);

}  // namespace sorvane::ui
