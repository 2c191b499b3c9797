// Lists kept as consecutive pairs of lines, a name line then a value line: the compound file and
// the profile file. Only the first 51 pairs count; the values are read back by position when
// needed, so a list on screen is just the names.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace zental {

inline constexpr int maxListPairs = 51;

struct PairNames {
    bool opened = false;
    QStringList names;                // a last name without its value line is included
    std::optional<QString> lastValue; // the value of the last complete pair read
};

PairNames readPairNames(const QString& path);

struct PairValue {
    bool opened = false;
    std::optional<QString> value; // absent when the file ends before the pair is complete
};

// The value line of pair `index` as the file holds it now; no value for a negative index.
PairValue readPairValue(const QString& path, int index);

} // namespace zental
