#include "core/compounds.h"

#include "core/display.h"
#include "core/textfile.h"

#include <QFileInfo>

#include <cmath>

namespace zental {

Status createMissingCompoundFile(const QString& path) {
    if (QFileInfo::exists(path))
        return Done{};
    return writeLines(path, defaultCompoundLines);
}

std::optional<std::string> compoundFrequencyText(std::string_view ntValueText,
                                                 std::string_view referenceText,
                                                 const Separators& separators) {
    const std::optional<double> ntValue = parseNumber(ntValueText, separators);
    const std::optional<double> reference = parseNumber(referenceText, separators);
    if (!ntValue || !reference)
        return std::nullopt;
    const double frequency = scaledFrequency(*ntValue, compoundDivisor, *reference);
    if (!std::isfinite(frequency))
        return std::nullopt;
    return frequencyText(frequency, separators);
}

} // namespace zental
