// What the fuzz targets share: stopping loudly on a broken invariant, the fuzz input as a file,
// and an independent reading of a file's lines to hold the product's streaming reader against.
#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringList>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace zental::fuzz {

// A disagreement is a finding like a crash: libFuzzer saves the input when the process aborts.
inline void require(bool holds, const char* invariant) {
    if (holds)
        return;
    std::fprintf(stderr, "invariant broken: %s\n", invariant);
    std::abort();
}

inline std::string_view bytesOf(const std::uint8_t* data, size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// One scratch file per fuzzing process, rewritten for every input and removed at exit.
class ScratchFile {
public:
    ScratchFile()
        : m_path(QDir::temp().filePath(
              QStringLiteral("zental-fuzz-%1.txt").arg(QCoreApplication::applicationPid()))) {}
    ~ScratchFile() { QFile::remove(m_path); }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    const QString& write(std::string_view content) const {
        QFile file(m_path);
        require(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "the scratch file opens");
        require(file.write(content.data(), static_cast<qint64>(content.size())) ==
                    static_cast<qint64>(content.size()),
                "the scratch file takes the input");
        return m_path;
    }

private:
    QString m_path;
};

// With the top bit of `flags` set, the input is moved to up to 127 bytes before the reader's
// 64 KiB block boundary (behind a long first line), so its line ends straddle the boundary;
// fuzz inputs are too short to reach it on their own.
inline std::string withBlockFiller(std::uint8_t flags, std::string_view input) {
    constexpr size_t readerBlock = 64 * 1024;
    std::string content;
    if ((flags & 0x80U) != 0)
        content.assign(readerBlock - (flags & 0x7fU), 'x');
    content += input;
    return content;
}

// The file's lines found in one pass over the whole content: each ends at CR LF, CR, LF or the
// end of the file, and is decoded on its own as the reader does.
inline QStringList referenceLines(std::string_view content) {
    QStringList lines;
    while (!content.empty()) {
        const size_t end = std::min(content.find_first_of("\r\n"), content.size());
        lines << QString::fromLocal8Bit(content.data(), static_cast<qsizetype>(end));
        const bool crlf = content.substr(end).starts_with("\r\n");
        content.remove_prefix(std::min(content.size(), end + (crlf ? 2 : 1)));
    }
    return lines;
}

// The fuzz input after its two control bytes, written as a data file: its path and the lines a
// reader must find there. Byte 0 is the target's own; byte 1 chooses the block filler.
struct FileInput {
    QString path;
    QStringList lines;
};

inline FileInput writeFileInput(const std::uint8_t* data, size_t size) {
    static const ScratchFile scratch;
    const std::string content = withBlockFiller(data[1], bytesOf(data + 2, size - 2));
    return {scratch.write(content), referenceLines(content)};
}

} // namespace zental::fuzz
