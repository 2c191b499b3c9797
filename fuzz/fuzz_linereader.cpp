// Fuzzes the line reader against a one-pass reading of the file; byte 0 is a line limit.
#include "fuzzsupport.h"
#include "textfile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    const auto [path, expected] = zental::fuzz::writeFileInput(data, size);
    zental::LineReader reader(path);
    QStringList lines;
    while (const std::optional<QString> line = reader.next())
        lines << *line;
    zental::fuzz::require(reader.isOpen() && lines == expected,
                          "the reader finds the file's lines");
    zental::fuzz::require(zental::readLines(path, data[0]).lines == expected.mid(0, data[0]),
                          "readLines stops at its limit");
    return 0;
}
