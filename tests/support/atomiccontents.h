// The two contents the atomic-write helper writes in turn, and their bytes on disk. Both are
// large, so a write takes many system calls, and of different sizes, so no cut-off write of
// one could pass for the other.
#pragma once

#include <QByteArray>
#include <QStringList>

inline QStringList atomicWriteLines(int which) {
    QStringList lines;
    const int count = which == 0 ? 2'000 : 3'000;
    for (int k = 0; k < count; ++k)
        lines << QStringLiteral("content %1, line %2 \u00b7 ").arg(which).arg(k) +
                     QString(200, QChar(u'a' + k % 26));
    return lines;
}

// The file format: each line in the local 8-bit encoding (UTF-8 for Qt 6 on Linux), ended by CR LF.
inline QByteArray atomicWriteBytes(int which) {
    QByteArray bytes;
    for (const QString& line : atomicWriteLines(which))
        bytes += line.toUtf8() + "\r\n";
    return bytes;
}
