// Fuzzes the line reader and the pair lists against the file's lines, split in one pass. Byte 0
// is the reader's line limit and picks the pair whose value is read.
#include "core/pairlist.h"
#include "core/textfile.h"
#include "fuzzsupport.h"

#include <QRegularExpression>
#include <QTemporaryFile>

using zental::fuzz::require;

namespace {

// The input as a data file; byte 0 is left for the checks. With the top bit of byte 1 set, the rest
// of the input goes up to 127 bytes before the reader's 64 KiB block boundary, which inputs are too
// short to reach alone. The lines come from splitting the whole content at once, each decoded apart
// as the reader does.
std::pair<QString, QStringList> writeFileInput(const std::uint8_t* data, size_t size) {
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

std::optional<QString> lineAt(const QStringList& lines, qsizetype at) {
    return at >= 0 && at < lines.size() ? std::optional(lines[at]) : std::nullopt;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    using zental::maxListPairs;
    if (size < 2)
        return 0;
    const auto [path, lines] = writeFileInput(data, size);
    zental::LineReader reader(path);
    QStringList read;
    while (const std::optional<QString> line = reader.next())
        read << *line;
    require(reader.isOpen() && read == lines, "the reader finds the file's lines");
    require(zental::readLines(path, data[0]).value_or({}) == lines.mid(0, data[0]),
            "readLines stops at its limit");

    const zental::Result<zental::PairNames> read = zental::readPairNames(path);
    require(read.ok(), "an open file is read");
    const zental::PairNames& list = *read;
    const qsizetype pairs = std::min<qsizetype>(maxListPairs, (lines.size() + 1) / 2);
    require(list.names.size() == pairs, "a name for each of the first 51 pairs");
    for (qsizetype k = 0; k < pairs; ++k)
        require(list.names[k] == lines[2 * k], "a pair's name is its first line");
    require(list.lastValue ==
                lineAt(lines, 2 * std::min<qsizetype>(maxListPairs, lines.size() / 2) - 1),
            "the last value is that of the last complete pair");
    const int index = data[0] % (maxListPairs + 1) - 1;
    require(zental::readPairValue(path, index).value_or({}) == lineAt(lines, 2 * index + 1),
            "a pair's value is the line after its name");
    return 0;
}
