// Fuzzes the line reader and the pair lists against the file's lines, split in one pass. Byte 0 is
// the line limit and picks the pair whose value is read; byte 1's top bit puts the rest up to 127
// bytes before the reader's 64 KiB block boundary, which inputs are too short to reach alone.
#include "core/pairlist.h"
#include "core/textfile.h"
#include "fuzzsupport.h"

#include <QRegularExpression>
#include <QTemporaryFile>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    using namespace zental;
    using fuzz::require;
    if (size < 2)
        return 0;
    const QByteArray content =
        QByteArray((data[1] & 0x80U) != 0 ? 64 * 1024 - (data[1] & 0x7f) : 0, 'x') +
        QByteArray(reinterpret_cast<const char*>(data) + 2, static_cast<qsizetype>(size) - 2);
    static QTemporaryFile file; // removed at exit
    require((file.isOpen() || file.open()) && file.resize(0) && file.seek(0) &&
                file.write(content) == content.size() && file.flush(),
            "the scratch file takes the input");
    const QString path = file.fileName();
    // The whole content split at once, each line decoded apart as the reader does.
    QStringList lines = QString::fromLatin1(content).split(QRegularExpression("\r\n|\r|\n"));
    if (lines.last().isEmpty())
        lines.removeLast(); // the end of the file after a line end starts no line
    for (QString& line : lines)
        line = decodeText(line.toLatin1());
    const auto lineAt = [&lines](qsizetype at) {
        return at >= 0 && at < lines.size() ? std::optional(lines[at]) : std::nullopt;
    };

    require(readLines(path, lines.size() + 1).value_or({}) == lines,
            "the reader finds the file's lines");
    require(readLines(path, data[0]).value_or({}) == lines.mid(0, data[0]),
            "readLines stops at its limit");
    const Result<PairNames> read = readPairNames(path);
    require(read.ok(), "an open file is read");
    const qsizetype pairs = std::min<qsizetype>(maxListPairs, (lines.size() + 1) / 2);
    require(read->names.size() == pairs, "a name for each of the first 51 pairs");
    for (qsizetype k = 0; k < pairs; ++k)
        require(read->names[k] == lines[2 * k], "a pair's name is its first line");
    require(read->lastValue == lineAt(2 * std::min<qsizetype>(maxListPairs, lines.size() / 2) - 1),
            "the last value is that of the last complete pair");
    const int index = data[0] % (maxListPairs + 1) - 1;
    require(readPairValue(path, index).value_or({}) == lineAt(2 * index + 1),
            "a pair's value is the line after its name");
    return 0;
}
