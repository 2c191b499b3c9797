// Fuzzes the pair-list reader: the first byte picks a pair index, the second places the rest at
// the reader's block boundary or not (see withBlockFiller), the rest is the file.
#include "fuzzsupport.h"
#include "pairlist.h"

#include <optional>

namespace {

using zental::maxListPairs;

// Line `index` of `lines`, if the file has it.
std::optional<QString> lineAt(const QStringList& lines, qsizetype index) {
    return index >= 0 && index < lines.size() ? std::optional<QString>(lines[index]) : std::nullopt;
}

void checkNames(const QString& path, const QStringList& lines) {
    using zental::fuzz::require;
    const zental::PairNames list = zental::readPairNames(path);
    require(list.opened, "the pair list opens");
    QStringList names;
    std::optional<QString> lastValue;
    for (qsizetype pair = 0; pair < maxListPairs && 2 * pair < lines.size(); ++pair) {
        names << lines[2 * pair];
        if (const std::optional<QString> value = lineAt(lines, 2 * pair + 1))
            lastValue = value;
    }
    require(list.names == names, "the names are the even lines of the first pairs");
    require(list.lastValue == lastValue, "the last value is that of the last complete pair");
}

void checkValue(const QString& path, const QStringList& lines, int index) {
    const zental::PairValue pair = zental::readPairValue(path, index);
    zental::fuzz::require(pair.opened, "the pair list opens for a value");
    zental::fuzz::require(pair.value == (index < 0 ? std::nullopt : lineAt(lines, 2 * index + 1)),
                          "a pair's value is the line after its name");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    const auto [path, lines] = zental::fuzz::writeFileInput(data, size);

    checkNames(path, lines);
    for (const int index : {data[0] % (maxListPairs + 1) - 1, 0, maxListPairs - 1})
        checkValue(path, lines, index);
    return 0;
}
