// The credit texts of the main window and the About window. They name the programme
// that issues this build of Sorvane, not any person or existing organisation.
#pragma once

#include <string_view>

namespace sorvane::ui {

inline constexpr std::string_view kProgrammeName = "Crop Water Balance Programme";
inline constexpr std::string_view kInstituteName = "Field Station for Agro-Meteorology";
inline constexpr std::string_view kCityName = "Valmora";

// About window: a heading, then one name per line.
inline constexpr std::string_view kScientificTeam =
    "Scientific team\n"
    "  Agro-meteorology section\n"
    "  Soil and water section\n"
    "  Crop physiology section";
inline constexpr std::string_view kSoftwareAuthors =
    "Software\n"
    "  Sorvane developers\n"
    "  Station data unit";

}  // namespace sorvane::ui
