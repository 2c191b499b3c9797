#include "field/core/datafiles.h"

#include <QCoreApplication>

namespace zental {

QString fieldDataPath(const QString& fileName) {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../share/zental/") + fileName;
}

} // namespace zental
