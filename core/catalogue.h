// The fixed element catalogue behind the periodic table of element buttons: for each button its
// caption and, for the 81 acting ones, the element name and up to three NMR-active isotopes with
// their reference frequencies in MHz at 2.35 T.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace zental {

struct Isotope {
    std::string_view massLabel; // empty: the display slot stays blank
    double referenceMHz = 0.0;
};

struct ElementButton {
    int number = 0; // the n of the button's object name "Command<n>"
    std::string_view caption;
    std::string_view elementName; // empty: the button is disabled and has no entry
    std::array<Isotope, 3> isotopes{};

    constexpr bool enabled() const { return !elementName.empty(); }
    constexpr size_t isotopeCount() const {
        size_t count = 0;
        while (count < isotopes.size() && !isotopes[count].massLabel.empty())
            ++count;
        return count;
    }
};

inline constexpr size_t elementButtonCount = 103;
extern const std::array<ElementButton, elementButtonCount> elementCatalogue;

// The catalogue entry of button "Command<number>", or nullptr (Command36 is not an element).
const ElementButton* findElementButton(int number);

inline constexpr int hydrogenButton = 0; // "1  H"; its first isotope is the proton

} // namespace zental
