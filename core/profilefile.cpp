#include "core/profilefile.h"

#include <QDir>

namespace zental {

QString profilePathPrefix() {
    // A working folder that was removed has no path: then the file must not land in the root.
    const QString current = QDir::currentPath();
    return current.isEmpty() ? QString() : QDir::toNativeSeparators(current) + QDir::separator();
}

} // namespace zental
