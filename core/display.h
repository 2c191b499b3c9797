// The element display: what the seven value labels show after an element button is pressed,
// and the scaling of reference frequencies to the user's field strength.
#pragma once

#include "core/catalogue.h"
#include "core/numbertext.h"

#include <array>
#include <string>
#include <string_view>

namespace zental {

// Reference frequencies are given at 2.35 T for elements and at 7.05 T for compounds; with the
// field in nanotesla these divisors give hertz. The division comes first, as users' tables do.
inline constexpr double elementDivisor = 2350.0;
inline constexpr double compoundDivisor = 7050.0;

inline double scaledFrequency(double ntValue, double divisor, double referenceMHz) {
    return ntValue / divisor * referenceMHz;
}

// The NT value at which `isotope` resonates at `hertz`: the scaling above undone.
inline double ntValueAt(double hertz, const Isotope& isotope) {
    return hertz * elementDivisor / isotope.referenceMHz;
}

// The most characters the user can type into the NT box; a longer value is never typed there.
inline constexpr int ntValueMaxTyped = 7;

inline constexpr std::string_view blankMassLabel = " ";

struct ElementDisplayTexts {
    std::string elementName;
    std::array<std::string, 3> massLabels;
    std::array<std::string, 3> frequencies;
    bool ntValueValid = true; // false: the frequencies are all empty and the user must be told
};

ElementDisplayTexts elementDisplay(const ElementButton& element, std::string_view ntValueText,
                                   const Separators& separators);

} // namespace zental
