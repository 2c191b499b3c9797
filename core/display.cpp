#include "core/display.h"

namespace zental {

ElementDisplayTexts elementDisplay(const ElementButton& element, std::string_view ntValueText,
                                   const Separators& separators) {
    ElementDisplayTexts texts;
    texts.elementName = std::string(element.elementName);
    const std::optional<double> ntValue = parseNumber(ntValueText, separators);
    texts.ntValueValid = ntValue.has_value();
    for (size_t slot = 0; slot < texts.massLabels.size(); ++slot) {
        const Isotope& isotope = element.isotopes[slot];
        if (isotope.massLabel.empty()) {
            texts.massLabels[slot] = std::string(blankMassLabel);
            continue;
        }
        texts.massLabels[slot] = std::string(isotope.massLabel);
        if (ntValue)
            texts.frequencies[slot] = frequencyText(
                scaledFrequency(*ntValue, elementDivisor, isotope.referenceMHz), separators);
    }
    return texts;
}

} // namespace zental
