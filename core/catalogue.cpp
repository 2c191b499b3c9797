#include "core/catalogue.h"

#include <algorithm>

namespace zental {
namespace {
constexpr std::string_view disabled{};
} // namespace

// In atomic-number order; the button numbers jump where the lanthanides sit below the table.
constexpr std::array<ElementButton, elementButtonCount> elementCatalogue{{
    {0, "1  H", "Hydrogen", {{{"1", 100}}}},
    {1, "2 He", "Helium", {{{"3", 76.182}}}},
    {2, "3 Li", "Lithium", {{{"6", 14.716}, {"7", 38.836}}}},
    {3, "4 Be", "Beryllium", {{{"9", 14.053}}}},
    {4, "5 B", "Boron", {{{"10", 10.746}, {"11", 32.089}}}},
    {5, "6 C", "Carbon", {{{"13", 25.144}}}},
    {6, "7 N", "Nitrogen", {{{"14", 7.224}, {"15", 10.133}}}},
    {7, "8 O", "Oxygen", {{{"17", 13.561}}}},
    {8, "9 F", "Fluorine", {{{"19", 94.077}}}},
    {9, "10 Ne", "Neon", {{{"21", 7.899}}}},
    {10, "11 Na", "Sodium", {{{"23", 26.466}}}},
    {11, "12 Mg", "Magnesium", {{{"25", 6.126}}}},
    {12, "13 Al", "Aluminum", {{{"27", 26.077}}}},
    {13, "14 Si", "Silicon", {{{"29", 19.865}}}},
    {14, "15 P", "Phosphorus", {{{"31", 40.481}}}},
    {15, "16 S", "Sulfur", {{{"33", 7.681}, {"37", 8.165}}}},
    {16, "17 Cl", "Chlorine", {{{"35", 9.809}}}},
    {17, "18 Ar", disabled, {}},
    {18, "19 K", "Potassium", {{{"39", 4.672}, {"41", 2.565}}}},
    {19, "20 Ca", "Calcium", {{{"43", 6.738}}}},
    {20, "21 Sc", "Scandium", {{{"45", 24.328}}}},
    {21, "22 Ti", "Titanium", {{{"47", 5.646}, {"49", 5.648}}}},
    {22, "23 V", "Vanadium", {{{"50", 9.987}, {"51", 26.336}}}},
    {23, "24 Cr", "Chromium", {{{"53", 5.651}}}},
    {24, "25 Mn", "Manganese", {{{"55", 24.7}}}},
    {25, "26 Fe", "Iron", {{{"57", 3.231}}}},
    {26, "27 Co", "Cobalt", {{{"59", 23.61}}}},
    {27, "28 Ni", "Nickel", {{{"61", 8.949}}}},
    {28, "29 Cu", "Copper", {{{"63", 26.53}, {"65", 28.421}}}},
    {29, "30 Zn", "Zinc", {{{"67", 6.2679}}}},
    {30, "31 Ga", "Gallium", {{{"69", 24.044}, {"71", 30.551}}}},
    {31, "32 Ge", "Germaium", {{{"73", 3.498}}}},
    {32, "33 As", "Arsenic", {{{"75", 17.18}}}},
    {33, "34 Se", "Selenium", {{{"77", 17.067}}}},
    {34, "35 Br", "Bromine", {{{"79", 25.13}, {"81", 27.089}}}},
    {35, "36 Kr", "Krypton", {{{"83", 3.86}}}},
    {37, "37 Rb", "Rubidium", {{{"85", 9.685}, {"87", 32.823}}}},
    {38, "38 Sr", "Strontium", {{{"87", 4.349}}}},
    {39, "39 Y", "Yttrium", {{{"89", 4.899}}}},
    {40, "40 Zr", "Zirconium", {{{"91", 9.3298}}}},
    {41, "41 Nb", "Niobium", {{{"93", 24.44}}}},
    {42, "42 Mo", "Molybdenium", {{{"95", 6.542}, {"97", 6.679}}}},
    {43, "43 Tc", "Technetium", {{{"99", 22.6}}}},
    {44, "44 Ru", "Ruthenium", {{{"99", 4.614}, {"101", 5.171}}}},
    {45, "45 Rh", "Rhodium", {{{"103", 3.147}}}},
    {46, "46 Pd", "Palladium", {{{"105", 4.6}}}},
    {47, "47 Ag", "Silver", {{{"107", 4.046}, {"109", 4.652}}}},
    {48, "48 Cd", "Cadmium", {{{"111", 21.205}, {"113", 22.182}}}},
    {49, "49 In", "Indium", {{{"113", 21.973}, {"115", 22.02}}}},
    {50, "50 Sn", "Tin", {{{"115", 32.699}, {"117", 35.625}, {"119", 37.272}}}},
    {51, "51 Sb", "Antimony", {{{"121", 23.95}, {"123", 12.95}}}},
    {52, "52 Te", "Tellurium", {{{"123", 26.207}, {"125", 31.596}}}},
    {53, "53 I", "Iodine", {{{"127", 20.117}}}},
    {54, "54 Xe", "Xenon", {{{"129", 27.66}, {"131", 8.199}}}},
    {55, "55 Cs", "Cesium", {{{"133", 13.187}}}},
    {56, "56 Ba", "Barium", {{{"135", 9.984}, {"137", 11.17}}}},
    {57, "57 La", "Lanthanum", {{{"139", 14.21}}}},
    {76, "58 Ce", disabled, {}},
    {77, "59 Pr", "Praseodymium", {{{"141", 14.126}}}},
    {78, "60 Nd", "Neodynium", {{{"143", 5.437}, {"145", 3.345}}}},
    {79, "61 Pm", disabled, {}},
    {80, "62 Sm", "Samarium", {{{"147", 4.128}, {"149", 3.289}}}},
    {81, "63 Eu", "Europium", {{{"151", 24.801}, {"153", 10.951}}}},
    {82, "64 Gd", "Gadolinium", {{{"155", 3.819}, {"57", 4.774}}}},
    {83, "65 Tb", "Terbium", {{{"159", 22.678}}}},
    {84, "66 Dy", "Dyprosium", {{{"161", 3.294}, {"163", 4.583}}}},
    {85, "67 Ho", "Holmium", {{{"165", 20.513}}}},
    {86, "68 Er", "Erbium", {{{"167", 2.89}}}},
    {87, "69 Tm", "Thulium", {{{"169", 8.271}}}},
    {88, "70 Yb", "Ytterbium", {{{"171", 17.613}, {"173", 4.852}}}},
    {89, "71 Lu", "Lutetium", {{{"175", 11.407}, {"177", 7.928}}}},
    {58, "72 Hf", "Hafnium", {{{"177", 4.042}, {"179", 2.54}}}},
    {59, "73 Ta", "Tantalum", {{{"181", 12}}}},
    {60, "74 W", "Tungsten", {{{"183", 4.161}}}},
    {61, "75 Re", "Rhenium", {{{"185", 22.72}, {"187", 22.94}}}},
    {62, "76 Os", "Osmium", {{{"187", 2.303}, {"189", 7.758}}}},
    {63, "77 Ir", "Iridium", {{{"191", 1.735}, {"193", 1.889}}}},
    {64, "78 Pt", "Platinum", {{{"195", 21.499}}}},
    {65, "79 Au", "Gold", {{{"197", 1.729}}}},
    {66, "80 Hg", "Mercury", {{{"199", 17.827}, {"201", 6.599}}}},
    {67, "81 Tl", "Thallium", {{{"203", 57.149}, {"205", 57.708}}}},
    {68, "82 Pb", "Lead", {{{"207", 20.921}}}},
    {69, "83 Bi", "Bismuth", {{{"209", 16.23}}}},
    {70, "84 Po", disabled, {}},
    {71, "85 At", disabled, {}},
    {72, "86 Rn", disabled, {}},
    {73, "87 Fr", disabled, {}},
    {74, "88 Ra", disabled, {}},
    {75, "89 Ac", disabled, {}},
    {90, "90 Th", disabled, {}},
    {91, "91 Pa", disabled, {}},
    {92, "92 U", "Uranium", {{{"235", 1.79}}}},
    {93, "93 Np", disabled, {}},
    {94, "94 Pu", disabled, {}},
    {95, "95 Am", disabled, {}},
    {96, "96 Cm", disabled, {}},
    {97, "97 Bk", disabled, {}},
    {98, "98 Cf", disabled, {}},
    {99, "99 Es", disabled, {}},
    {100, "100 Fm", disabled, {}},
    {101, "101 Md", disabled, {}},
    {102, "102 No", disabled, {}},
    {103, "103 Lr", disabled, {}},
}};

namespace {

constexpr size_t countIf(auto predicate) {
    return static_cast<size_t>(
        std::count_if(elementCatalogue.begin(), elementCatalogue.end(), predicate));
}

static_assert(countIf([](const ElementButton& b) { return !b.enabled(); }) == 22);
static_assert(countIf([](const ElementButton& b) { return b.isotopeCount() == 1; }) == 47);
static_assert(countIf([](const ElementButton& b) { return b.isotopeCount() == 2; }) == 33);
static_assert(countIf([](const ElementButton& b) { return b.isotopeCount() == 3; }) == 1);
static_assert(countIf([](const ElementButton& b) { return b.number == 36; }) == 0);

} // namespace

const ElementButton* findElementButton(int number) {
    for (const ElementButton& button : elementCatalogue)
        if (button.number == number)
            return &button;
    return nullptr;
}

} // namespace zental
