// Fuzzes the pair lists against the file's lines; byte 0 picks the pair whose value is read.
#include "fuzzsupport.h"
#include "pairlist.h"

namespace {
std::optional<QString> lineAt(const QStringList& lines, qsizetype at) {
    return at >= 0 && at < lines.size() ? std::optional(lines[at]) : std::nullopt;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    using zental::maxListPairs;
    using zental::fuzz::require;
    if (size < 2)
        return 0;
    const auto [path, lines] = zental::fuzz::writeFileInput(data, size);
    const zental::PairNames list = zental::readPairNames(path);
    const qsizetype pairs = std::min<qsizetype>(maxListPairs, (lines.size() + 1) / 2);
    require(list.opened && list.names.size() == pairs, "a name for each of the first 51 pairs");
    for (qsizetype k = 0; k < pairs; ++k)
        require(list.names[k] == lines[2 * k], "a pair's name is its first line");
    require(list.lastValue ==
                lineAt(lines, 2 * std::min<qsizetype>(maxListPairs, lines.size() / 2) - 1),
            "the last value is that of the last complete pair");
    const int index = data[0] % (maxListPairs + 1) - 1;
    require(zental::readPairValue(path, index).value == lineAt(lines, 2 * index + 1),
            "a pair's value is the line after its name");
    return 0;
}
