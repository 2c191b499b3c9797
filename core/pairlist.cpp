#include "core/pairlist.h"

#include "core/messages.h"
#include "core/textfile.h"

namespace zental {

Result<PairNames> readPairNames(const QString& path) {
    LineReader reader(path);
    if (!reader.isOpen())
        return Failure{fileUnreadableMessage(path)};
    PairNames list;
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

Result<std::optional<QString>> readPairValue(const QString& path, int index) {
    LineReader reader(path);
    if (!reader.isOpen())
        return Failure{fileUnreadableMessage(path)};
    for (int k = 0; k <= index; ++k) {
        if (!reader.next()) // the name line; unused
            break;
        std::optional<QString> value = reader.next();
        if (!value)
            break;
        if (k == index)
            return value;
    }
    return std::optional<QString>();
}

} // namespace zental
