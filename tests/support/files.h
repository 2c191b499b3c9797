// Data files as the tests plant and read them: a regular file's bytes, or a tag for whatever
// else stands at the name.
#pragma once

#include <QDir>
#include <QFileInfo>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

inline const QByteArray folder = "<folder>", fifo = "<FIFO>", missing = "<missing>",
                        unreadable = "<unreadable>";

inline QByteArray fileContent(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : unreadable;
}

inline bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// `count` pairs "Entry k" / "k+1", each line ended by CR LF.
inline QByteArray pairs(int count) {
    QByteArray bytes;
    for (int k = 0; k < count; ++k)
        bytes += "Entry " + QByteArray::number(k) + "\r\n" + QByteArray::number(k + 1) + "\r\n";
    return bytes;
}

inline QByteArray state(const QString& name) {
    const QFileInfo info(name); // a FIFO is the only other kind planted
    if (info.isFile())
        return fileContent(name);
    return info.isDir() ? folder : info.exists() ? fifo : missing;
}

// Replaces whatever stands at `name` by `wanted`; true when state() shows it.
inline bool plant(const QString& name, const QByteArray& wanted) {
    if (!QFile::remove(name)) // a file or a FIFO, else an empty folder
        QDir().rmdir(name);
    if (wanted == folder)
        QDir().mkdir(name);
#ifndef Q_OS_WIN // Windows has no FIFOs among its files: there the tests skip what needs one
    else if (wanted == fifo)
        mkfifo(QFile::encodeName(name).constData(), 0644);
#endif
    else if (wanted != missing)
        writeFile(name, wanted);
    return state(name) == wanted;
}
