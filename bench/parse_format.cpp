// The arithmetic of one element press, for counting instructions under callgrind: parse the NT
// value "50000" and format the three tin isotopes' frequencies, N times.
//
// Usage: parse_format N [display]
//   without "display": zental::parseNumber + 3 x zental::frequencyText per press
//   with "display":    zental::elementDisplay for "50 Sn" per press (adds the strings it builds)
// run_callgrind.py runs it for two values of N; the difference of the totals divided by the
// difference of N is the count per press, free of the start-up and exit of the process.
#include "core/catalogue.h"
#include "core/display.h"
#include "core/numbertext.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: parse_format N [display]\n");
        return 2;
    }
    const long presses = std::atol(argv[1]);
    const bool wholeDisplay = argc > 2 && !std::strcmp(argv[2], "display");
    const zental::Separators separators{".", ","};
    const zental::ElementButton* tin = zental::findElementButton(50);
    if (!tin || tin->isotopeCount() != 3) {
        std::fprintf(stderr, "parse_format: no tin button with three isotopes\n");
        return 2;
    }
    // Read through a volatile pointer so the input is not a compile-time constant.
    static const char ntText[] = "50000";
    const char* volatile input = ntText;

    size_t checksum = 0;
    for (long press = 0; press < presses; ++press) {
        if (wholeDisplay) {
            const zental::ElementDisplayTexts texts =
                zental::elementDisplay(*tin, input, separators);
            for (const std::string& text : texts.frequencies)
                checksum += text.size();
            continue;
        }
        const std::optional<double> ntValue = zental::parseNumber(input, separators);
        if (!ntValue)
            return 1;
        for (const zental::Isotope& isotope : tin->isotopes)
            checksum +=
                zental::frequencyText(
                    zental::scaledFrequency(*ntValue, zental::elementDivisor, isotope.referenceMHz),
                    separators)
                    .size();
    }
    // 695.723404255319, 757.978723404255, 793.021276595745: 16 characters each.
    std::printf("presses=%ld characters=%zu\n", presses, checksum);
    return checksum == static_cast<size_t>(presses) * 48 ? 0 : 1;
}
