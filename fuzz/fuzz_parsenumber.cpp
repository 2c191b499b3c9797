// Fuzzes parseNumber in the "." and the "," locale against the strtod reference, and the
// frequency text of every accepted value against the printf reference.
#include "fuzzsupport.h"
#include "numbertext.h"
#include "support/numberreference.h"

#include <bit>

namespace {

bool sameResult(const std::optional<double>& a, const std::optional<double>& b) {
    return a.has_value() == b.has_value() &&
           (!a || std::bit_cast<std::uint64_t>(*a) == std::bit_cast<std::uint64_t>(*b));
}

void check(std::string_view text, const zental::Separators& separators) {
    const std::optional<double> value = zental::parseNumber(text, separators);
    zental::fuzz::require(sameResult(value, zental::reference::parseNumber(text, separators)),
                          "parseNumber agrees with strtod");
    if (value)
        zental::fuzz::require(zental::frequencyText(*value, separators) ==
                                  zental::reference::frequencyText(*value, separators),
                              "frequencyText agrees with printf");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::string_view text = zental::fuzz::bytesOf(data, size);
    check(text, zental::Separators{".", ","});
    check(text, zental::Separators{",", "."});
    return 0;
}
