// Data files as the tests plant and read them: a regular file's bytes, or a tag for whatever
// else stands at the name.
#pragma once

#include <QDir>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include <QHash>

#include <windows.h>
#else
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

#ifdef Q_OS_WIN
// Windows has no FIFOs among its files. A file held open sharing only its deletion stands in for
// one: there but unreadable, and replaced by a file renamed over it.
inline QHash<QString, HANDLE> heldFiles;
inline bool isFifo(const QString& name) {
    QFile file(name);
    return heldFiles.contains(name) && file.exists() && !file.open(QIODevice::ReadOnly);
}
inline void makeFifo(const QString& name) {
    heldFiles.insert(name, CreateFileW(reinterpret_cast<LPCWSTR>(name.utf16()), GENERIC_READ,
                                       FILE_SHARE_DELETE, nullptr, CREATE_ALWAYS, 0, nullptr));
}
inline void releaseFifo(const QString& name) {
    if (heldFiles.contains(name))
        CloseHandle(heldFiles.take(name));
}
#else
inline bool isFifo(const QString& name) {
    const QFileInfo info(name);
    return info.exists() && !info.isFile() && !info.isDir(); // the only other kind planted
}
inline void makeFifo(const QString& name) {
    mkfifo(QFile::encodeName(name).constData(), 0644);
}
inline void releaseFifo(const QString&) {}
#endif

inline QByteArray state(const QString& name) {
    const QFileInfo info(name);
    if (isFifo(name))
        return fifo;
    if (info.isFile())
        return fileContent(name);
    return info.isDir() ? folder : missing;
}

// Replaces whatever stands at `name` by `wanted`; true when state() shows it.
inline bool plant(const QString& name, const QByteArray& wanted) {
    releaseFifo(name);
    if (!QFile::remove(name)) // a file or a FIFO, else an empty folder
        QDir().rmdir(name);
    if (wanted == folder)
        QDir().mkdir(name);
    else if (wanted == fifo)
        makeFifo(name);
    else if (wanted != missing)
        writeFile(name, wanted);
    return state(name) == wanted;
}
