// The main window's fixed layout, in twips as it was drawn.
#pragma once

#include "widgets/layout.h"

namespace zental::layout {

inline constexpr int clientWidth = 8925;
inline constexpr int clientHeight = 8970;

// Every control but the element buttons, top to bottom.
inline constexpr std::array<Control, 20> controls{{
    // clang-format off
    {"Command36",  Kind::Button,     "Goto NOAA Site", 480, 240, 1575, 255, Font::Regular, 116},
    {"Label1",     Kind::Label,      "Input NT Value and then select element for frequency in HZ...", 2280, 240, 6735, 255, Font::CaptionBoldItalic, 2},
    {"Label4",     Kind::Label,      "Periodic Table of Elements", 2400, 720, 4095, 375, Font::Title, 117},
    {"Label5",     Kind::Label,      "Frequencies shown in HZ.", 2760, 6000, 4095, 375, Font::Note, 118},
    {"NT",         Kind::Label,      "NT Value:",      720, 6600, 1095, 255, Font::CaptionBold, 0},
    {"NT_V",       Kind::TextBox,    "",              1800, 6600, 1215, 285, Font::Regular, 1},
    {"NMR_L",      Kind::Label,      "NMR Element:",   240, 7080, 1935, 255, Font::CaptionBoldItalic, 3},
    {"NMR_E",      Kind::ValueLabel, "",              1800, 7080, 1575, 255, Font::SmallBold, 4},
    {"Label2",     Kind::Label,      "Isotopes:",      240, 7560, 1215, 255, Font::CaptionBoldItalic, 5},
    {"Isotope1_0", Kind::ValueLabel, "",              1320, 7560,  735, 255, Font::SmallBold, 6},
    {"Isotope1_1", Kind::ValueLabel, "",              3600, 7560,  735, 255, Font::SmallBold, 7},
    {"Isotope1_2", Kind::ValueLabel, "",              6000, 7560,  735, 255, Font::SmallBold, 8},
    {"Label3",     Kind::Label,      "NMR F:",         240, 7920,  975, 255, Font::CaptionBoldItalic, 9},
    {"NMR_f_0",    Kind::ValueLabel, "",              1320, 7920, 1455, 255, Font::Regular, 10},
    {"NMR_f_1",    Kind::ValueLabel, "",              3600, 7920, 1455, 255, Font::Regular, 11},
    {"NMR_f_2",    Kind::ValueLabel, "",              6000, 7920, 1455, 255, Font::Regular, 12},
    {"Combo1",     Kind::ComboBox,   "Select Compound", 1320, 8400, 1935, 315, Font::Regular, 119},
    {"C_F",        Kind::Button,     "Compound freq", 3480, 8400, 1575, 375, Font::Regular, 122},
    {"ComP",       Kind::Button,     "Edit Compound List", 5160, 8400, 1575, 375, Font::Regular, 121},
    {"R_Combo",    Kind::Button,     "Refresh List",  6840, 8400, 1575, 375, Font::Regular, 120},
    // clang-format on
}};

inline constexpr std::array<SpokenName, 9> spokenNames{{
    {"NT_V", "NT Value"},
    {"NMR_E", "NMR Element"},
    {"Isotope1_0", "Isotope 1"},
    {"Isotope1_1", "Isotope 2"},
    {"Isotope1_2", "Isotope 3"},
    {"NMR_f_0", "NMR F 1 in HZ"},
    {"NMR_f_1", "NMR F 2 in HZ"},
    {"NMR_f_2", "NMR F 3 in HZ"},
    {"Combo1", "Compound"},
}};

inline constexpr int elementButtonHeight = 495;

struct ElementButtonPlace {
    int number; // of "Command<number>"
    int left, top, width;
    int tabIndex;
};

// The periodic-table grid; neighbouring buttons overlap by one pixel so they share a border.
inline constexpr std::array<ElementButtonPlace, 103> elementButtonPlaces{{
    // clang-format off
    {0, 1080, 960, 375, 48},
    {1, 7440, 960, 375, 13},
    {2, 1080, 1440, 375, 14},
    {3, 1440, 1440, 375, 15},
    {4, 5640, 1440, 375, 16},
    {5, 6000, 1440, 375, 17},
    {6, 6360, 1440, 375, 18},
    {7, 6720, 1440, 375, 19},
    {8, 7080, 1440, 375, 20},
    {9, 7440, 1440, 375, 21},
    {10, 1080, 1920, 375, 22},
    {11, 1440, 1920, 495, 23},
    {12, 5640, 1920, 375, 24},
    {13, 6000, 1920, 375, 25},
    {14, 6360, 1920, 375, 26},
    {15, 6720, 1920, 375, 27},
    {16, 7080, 1920, 375, 28},
    {17, 7440, 1920, 375, 29},
    {18, 1080, 2400, 375, 30},
    {19, 1440, 2400, 375, 31},
    {20, 1800, 2400, 375, 32},
    {21, 2160, 2400, 375, 33},
    {22, 2520, 2400, 375, 34},
    {23, 2880, 2400, 375, 35},
    {24, 3240, 2400, 495, 36},
    {25, 3840, 2400, 375, 37},
    {26, 4200, 2400, 375, 38},
    {27, 4560, 2400, 375, 39},
    {28, 4920, 2400, 375, 40},
    {29, 5280, 2400, 375, 41},
    {30, 5640, 2400, 375, 42},
    {31, 6000, 2400, 375, 43},
    {32, 6360, 2400, 375, 44},
    {33, 6720, 2400, 375, 45},
    {34, 7080, 2400, 375, 46},
    {35, 7440, 2400, 375, 47},
    {37, 1080, 2880, 375, 49},
    {38, 1440, 2880, 375, 50},
    {39, 1800, 2880, 375, 51},
    {40, 2160, 2880, 375, 52},
    {41, 2520, 2880, 495, 53},
    {42, 3000, 2880, 495, 54},
    {43, 3480, 2880, 375, 55},
    {44, 3840, 2880, 375, 56},
    {45, 4200, 2880, 375, 57},
    {46, 4560, 2880, 375, 58},
    {47, 4920, 2880, 375, 59},
    {48, 5280, 2880, 375, 60},
    {49, 5640, 2880, 375, 61},
    {50, 6000, 2880, 375, 62},
    {51, 6360, 2880, 375, 63},
    {52, 6720, 2880, 375, 64},
    {53, 7080, 2880, 375, 65},
    {54, 7440, 2880, 375, 66},
    {55, 1080, 3360, 375, 67},
    {56, 1440, 3360, 375, 68},
    {57, 1800, 3360, 375, 69},
    {58, 2160, 3360, 375, 70},
    {59, 2520, 3360, 375, 71},
    {60, 2880, 3360, 375, 72},
    {61, 3240, 3360, 375, 73},
    {62, 3600, 3360, 375, 74},
    {63, 3960, 3360, 375, 75},
    {64, 4320, 3360, 375, 76},
    {65, 4680, 3360, 375, 77},
    {66, 5040, 3360, 375, 78},
    {67, 5400, 3360, 375, 79},
    {68, 5760, 3360, 375, 80},
    {69, 6120, 3360, 375, 81},
    {70, 6480, 3360, 375, 82},
    {71, 6840, 3360, 375, 83},
    {72, 7200, 3360, 375, 84},
    {73, 1080, 3840, 375, 85},
    {74, 1440, 3840, 375, 86},
    {75, 1800, 3840, 375, 87},
    {76, 1920, 4560, 375, 88},
    {77, 2280, 4560, 375, 89},
    {78, 2640, 4560, 375, 90},
    {79, 3000, 4560, 495, 91},
    {80, 3480, 4560, 495, 92},
    {81, 4080, 4560, 375, 93},
    {82, 4440, 4560, 375, 94},
    {83, 4800, 4560, 375, 95},
    {84, 5160, 4560, 375, 96},
    {85, 5520, 4560, 375, 97},
    {86, 5880, 4560, 375, 98},
    {87, 6240, 4560, 495, 99},
    {88, 6720, 4560, 375, 100},
    {89, 7080, 4560, 375, 101},
    {90, 1920, 5280, 375, 102},
    {91, 2280, 5280, 375, 103},
    {92, 2640, 5280, 375, 104},
    {93, 3000, 5280, 375, 105},
    {94, 3360, 5280, 375, 106},
    {95, 3720, 5280, 495, 107},
    {96, 4200, 5280, 495, 108},
    {97, 4680, 5280, 375, 109},
    {98, 5040, 5280, 375, 110},
    {99, 5400, 5280, 375, 111},
    {100, 5760, 5280, 495, 112},
    {101, 6240, 5280, 495, 113},
    {102, 6720, 5280, 495, 114},
    {103, 7200, 5280, 495, 115},
    // clang-format on
}};

} // namespace zental::layout
