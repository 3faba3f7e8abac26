// How the window's texts look: the fonts, colours and captions of its labels, buttons and
// About window. Both hosts draw from these tables.
#pragma once

#include <array>
#include <string_view>

#include "ui/credits.h"
#include "ui/window_layout.h"

namespace sorvane::ui {

// A font of the window's design: family as designed (a host may substitute a face of the
// same metrics), size in points, bold unless told otherwise.
struct FontSpec {
  std::string_view family = "MS Sans Serif";
  double points = 8.25;
  bool bold = true;
  bool italic = false;
  bool fixedPitch = false;  // when the face is missing, another of fixed pitch stands in
};

// Colours as 0xRRGGBB.
inline constexpr unsigned kHelpTextRgb = 0x000080;  // dark blue
inline constexpr unsigned kLineRgb = 0x808080;      // Line1
inline constexpr FontSpec kHelpFont{"Courier New", 12, true, false, true};
inline constexpr FontSpec kWindowFont{.bold = false};  // text boxes and lists

struct LabelSpec {
  std::string_view name{};
  std::string_view text{};
  FontSpec font{};
  unsigned rgb = 0x000000;
  std::string_view tooltip{};
  bool centred = false;
};

// Every label of the main window is bold and has a transparent background.
inline constexpr std::array<LabelSpec, 8> kLabels{{
    {"Label6", "Process", {}},
    {"Label5", "Data file", {}, 0x000000, " Potentional Evaporation Data File "},
    {"Label2", " PET", {"Times New Roman", 75, true, true}, 0xFF0000, " Sorvane "},
    {"Label3", "S o r v a n e", {"MS Sans Serif", 12}},
    {"Label1", "3.0", {}},
    {"Label4", kProgrammeName, {"Arial", 14.25}, 0x000080, {}, true},
    {"LabelInstitute", kInstituteName, {"Arial", 12}, 0x808080, {}, true},
    {"LabelCity", kCityName, {}, 0x000000, {}, true},
}};

// Which button runs which action of the window.
enum class ButtonAction { Browse, ProcessPet, ProcessCoefficients, ProcessAdjuster, About, Help };

struct ButtonSpec {
  std::string_view name;
  std::string_view caption;
  ButtonAction action;
};

inline constexpr std::array<ButtonSpec, 6> kButtons{{
    {"browse", "Browse", ButtonAction::Browse},
    {"pet", "Process", ButtonAction::ProcessPet},
    {"coeff", "Process", ButtonAction::ProcessCoefficients},
    {"adj", "Process", ButtonAction::ProcessAdjuster},
    {"Command3", "About", ButtonAction::About},
    {"Command4", "Help", ButtonAction::Help},
}};

// The About window.
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

inline constexpr std::array<AboutLabel, 6> kAboutLabels{{
    {"Label3", "PET", {240, 120, 2175, 1095}, {"Times New Roman", 48.75, true, true}, 0xFF0000},
    {"Label12", "Sorvane", {2400, 840, 4335, 255}, {"Arial", 9.75}},
    {"Label4", "Due care was taken while developing this free software.", {1080, 1680, 5535, 255}, {"Arial", 9.75}},
    {"Label1", "Developers are NOT  responsible  for any loss occured while using this software.",
     {1080, 2040, 5175, 615}, {"Arial", 9.75}, 0x000000, true},
    {"Label2", kScientificTeam, {360, 3720, 3855, 855}, {"Arial", 8.25}},
    {"Label7", kSoftwareAuthors, {4320, 3720, 3495, 735}, {"Arial", 8.25}},
}};

// Beside the credits of the authors, above the free space right of the disclaimer.
inline constexpr Placement kAboutCloseButtonTwips{6600, 3120, 1035, 375};

}  // namespace sorvane::ui
