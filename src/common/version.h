// What --version of every program prints: its version, then its licence.
#pragma once

namespace sorvane {

inline constexpr char kVersionText[] =
    "sorvane " SORVANE_VERSION "\n"
    "Copyright (c) 2026 The Sorvane developers; released under the MIT License.";

}  // namespace sorvane
