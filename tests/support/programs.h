// Stand-in programs: shell scripts in a folder "bin" of the current folder, which is the whole
// PATH until the returned guard goes.
#pragma once

#include "support/files.h"

#include <QDir>
#include <QScopeGuard>

#include <utility>

inline auto onlyOnPath(const QList<std::pair<QString, QByteArray>>& programs) {
    QDir().mkdir(QStringLiteral("bin"));
    for (const auto& [name, script] : programs)
        if (!writeFile(u"bin/"_qs + name, script) ||
            !QFile::setPermissions(u"bin/"_qs + name, QFile::ReadOwner | QFile::ExeOwner))
            qFatal("cannot make bin/%s", qPrintable(name));
    const QByteArray previous = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(QDir::current().filePath(QStringLiteral("bin"))));
    return qScopeGuard([previous] { qputenv("PATH", previous); });
}
