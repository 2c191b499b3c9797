// Fuzzes the line reader: the first byte is a line limit, the second places the rest at the
// reader's block boundary or not (see withBlockFiller), the rest is the file.
#include "fuzzsupport.h"
#include "textfile.h"

namespace {

bool hasLineEnd(const QString& line) {
    return line.contains(u'\r') || line.contains(u'\n');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    using zental::fuzz::require;
    if (size < 2)
        return 0;
    const auto [path, expected] = zental::fuzz::writeFileInput(data, size);

    zental::LineReader reader(path);
    require(reader.isOpen(), "a regular file opens");
    QStringList all;
    while (std::optional<QString> line = reader.next()) {
        require(!hasLineEnd(*line), "no line holds a CR or LF");
        all << *line;
    }
    require(all == expected, "the reader's lines are the file's lines");

    const qsizetype limit = data[0];
    const zental::LinesRead read = zental::readLines(path, limit);
    require(read.opened, "readLines opens a regular file");
    require(read.lines == expected.mid(0, limit),
            "readLines gives the first lines up to the limit");
    return 0;
}
