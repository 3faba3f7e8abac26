// The help text that the Help button shows in List1: one list entry per line, indented
// with spaces for a fixed-pitch font.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace sorvane::ui {

inline constexpr std::size_t kHelpLineCount = 233;

// Line k of the text is HelpText()[k - 1]; every line keeps its leading and trailing spaces.
const std::array<std::string_view, kHelpLineCount>& HelpText();

}  // namespace sorvane::ui
