// What the fuzz targets share: a broken invariant aborts, so libFuzzer keeps the input, and the
// input written as a data file together with the lines a reader must find in it.
#pragma once

#include <QRegularExpression>
#include <QTemporaryFile>

#include <cstdio>
#include <cstdlib>

namespace zental::fuzz {

inline void require(bool holds, const char* invariant) {
    if (!holds) {
        std::fprintf(stderr, "invariant broken: %s\n", invariant);
        std::abort();
    }
}

// Byte 0 is the target's own. With the top bit of byte 1 set, the rest of the input goes up to
// 127 bytes before the reader's 64 KiB block boundary, which inputs are too short to reach alone.
// The lines come from splitting the whole content at once, each decoded apart as the reader does.
inline std::pair<QString, QStringList> writeFileInput(const std::uint8_t* data, size_t size) {
    static QTemporaryFile file; // removed at exit
    const QByteArray content =
        QByteArray((data[1] & 0x80U) != 0 ? 64 * 1024 - (data[1] & 0x7f) : 0, 'x') +
        QByteArray(reinterpret_cast<const char*>(data) + 2, static_cast<qsizetype>(size) - 2);
    require((file.isOpen() || file.open()) && file.resize(0) && file.seek(0) &&
                file.write(content) == content.size() && file.flush(),
            "the scratch file takes the input");
    QStringList lines = QString::fromLatin1(content).split(QRegularExpression("\r\n|\r|\n"));
    if (lines.last().isEmpty())
        lines.removeLast(); // the end of the file after a line end starts no line
    for (QString& line : lines)
        line = QString::fromLocal8Bit(line.toLatin1());
    return {file.fileName(), lines};
}

} // namespace zental::fuzz
