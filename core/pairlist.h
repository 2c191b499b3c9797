// Lists kept as consecutive pairs of lines, a name line then a value line: the compound file and
// the profile file. Only the first 51 pairs count; the values are read back by position when
// needed, so a list on screen is just the names.
#pragma once

#include "core/result.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace zental {

inline constexpr int maxListPairs = 51;

struct PairNames {
    QStringList names;                // a last name without its value line is included
    std::optional<QString> lastValue; // the value of the last complete pair read
};

Result<PairNames> readPairNames(const QString& path);

// The value line of pair `index` as the file holds it now; no value for a negative index or
// when the file ends before the pair is complete.
Result<std::optional<QString>> readPairValue(const QString& path, int index);

} // namespace zental
