// What the windows' fixed layouts are made of, in twips as they were drawn: 15 twips make one
// pixel at 96 DPI.
#pragma once

#include <array>
#include <string_view>

namespace zental::layout {

inline constexpr int twipsPerPixel = 15;
constexpr int toPixels(int twips) {
    return twips / twipsPerPixel;
}

// The "MS Sans Serif" faces the controls use.
enum class Font { Regular, SmallBold, CaptionBold, CaptionBoldItalic, Note, Title };

struct FontFace {
    double pointSize;
    bool bold;
    bool italic;
};

inline constexpr std::array<FontFace, 6> fontFaces{{
    {8.25, false, false}, // Regular
    {8.25, true, false},  // SmallBold
    {9.75, true, false},  // CaptionBold
    {9.75, true, true},   // CaptionBoldItalic
    {12.0, true, true},   // Note
    {13.5, true, false},  // Title
}};

enum class Kind { Label, ValueLabel, Button, TextBox, ComboBox };

struct Control {
    std::string_view name;
    Kind kind;
    std::string_view caption;
    int left, top, width, height;
    Font font;
    int tabIndex;
};

// What a screen reader calls the controls whose meaning stands in a caption label beside them.
struct SpokenName {
    std::string_view control;
    std::string_view name;
};

} // namespace zental::layout
