// Reading and writing the program's line-oriented data files. A line ends at CR, CR LF, a bare
// LF (what editors on Linux save) or the end of the file; every line written ends in CR LF.
// Text is in the platform's local 8-bit encoding.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

#include <optional>

namespace zental {

// Reads a file line by line without loading more of it than the lines asked for.
class LineReader {
public:
    explicit LineReader(const QString& path);
    bool isOpen() const { return m_file.isOpen(); }
    std::optional<QString> next(); // nullopt at the end of the file or on a read error

private:
    bool fill(); // appends the next block of the file to the buffer; false when none is left

    QFile m_file;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
};

struct LinesRead {
    bool opened = false;
    QStringList lines;
};

LinesRead readLines(const QString& path, qsizetype maxLines);

// Replaces the file atomically: it holds either its old or its complete new content.
bool writeLines(const QString& path, const QStringList& lines);
bool writeBytes(const QString& path, const QByteArray& bytes);

// The whole content of a regular file, or nothing when it cannot be read.
std::optional<QByteArray> readBytes(const QString& path);

} // namespace zental
