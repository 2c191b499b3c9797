#include "pairlist.h"

#include "textfile.h"

namespace zental {

PairNames readPairNames(const QString& path) {
    LineReader reader(path);
    PairNames list;
    list.opened = reader.isOpen();
    while (list.names.size() < maxListPairs) {
        std::optional<QString> name = reader.next();
        if (!name)
            break;
        list.names << *name;
        std::optional<QString> value = reader.next();
        if (!value)
            break;
        list.lastValue = std::move(value);
    }
    return list;
}

PairValue readPairValue(const QString& path, int index) {
    LineReader reader(path);
    PairValue pair;
    pair.opened = reader.isOpen();
    for (int k = 0; k <= index; ++k) {
        if (!reader.next()) // the name line; unused
            return pair;
        std::optional<QString> value = reader.next();
        if (!value)
            return pair;
        if (k == index)
            pair.value = std::move(value);
    }
    return pair;
}

} // namespace zental
