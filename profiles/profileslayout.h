// The profiles window's fixed layout, in twips like the main window's.
#pragma once

#include "widgets/layout.h"

namespace zental::profiles_layout {

inline constexpr int clientWidth = 4785;
inline constexpr int clientHeight = 1455;

inline constexpr std::array<layout::Control, 3> controls{{
    // clang-format off
    {"Name",     layout::Kind::Label,    "Location NT",    480, 360, 1095, 255, layout::Font::Regular, 0},
    {"Combo1",   layout::Kind::ComboBox, "",              1680, 360, 2535, 315, layout::Font::Regular, 1},
    {"Command1", layout::Kind::Button,   "Load NT Value", 1680, 840, 2535, 375, layout::Font::Regular, 2},
    // clang-format on
}};

} // namespace zental::profiles_layout
