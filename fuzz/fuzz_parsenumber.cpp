// Fuzzes parseNumber in a "." and a "," locale against the C library, and the frequency text of
// every value it accepts.
#include "fuzzsupport.h"
#include "support/numberreference.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    using zental::fuzz::require;
    namespace reference = zental::reference;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const zental::Separators& locale :
         {zental::Separators{".", ","}, zental::Separators{",", "."}}) {
        const std::optional<double> value = zental::parseNumber(text, locale);
        require(reference::sameResult(value, reference::parseNumber(text, locale)),
                "parseNumber agrees with strtod");
        require(!value || zental::frequencyText(*value, locale) ==
                              reference::frequencyText(*value, locale),
                "frequencyText agrees with printf");
    }
    return 0;
}
