// Fuzzes parseNumber in a "." and a "," locale against the C library, and the frequency text of
// every value it accepts.
#include "fuzzsupport.h"
#include "support/numberreference.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    using namespace zental;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const Separators& locale : {Separators{".", ","}, Separators{",", "."}}) {
        const std::optional<double> value = parseNumber(text, locale);
        fuzz::require(reference::sameResult(value, reference::parseNumber(text, locale)),
                      "parseNumber agrees with strtod");
        fuzz::require(!value ||
                          frequencyText(*value, locale) == reference::frequencyText(*value, locale),
                      "frequencyText agrees with printf");
    }
    return 0;
}
