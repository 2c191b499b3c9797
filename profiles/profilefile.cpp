#include "profilefile.h"

#include <QDir>

namespace zental {

QString profilePathPrefix() {
    return QDir::toNativeSeparators(QDir::currentPath()) + QDir::separator();
}

} // namespace zental
