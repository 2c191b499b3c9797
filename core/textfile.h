// Reading and writing the program's line-oriented data files. A line ends at CR, CR LF, a bare
// LF (what editors on Linux save) or the end of the file; every line written ends in CR LF.
// Text is in the platform's local 8-bit encoding.
#pragma once

#include "core/result.h"

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

// Up to `maxLines` lines from the top of the file.
Result<QStringList> readLines(const QString& path, qsizetype maxLines);

// Replaces the file atomically: it holds either its old or its complete new content.
Status writeLines(const QString& path, const QStringList& lines);
Status writeBytes(const QString& path, const QByteArray& bytes);

// The whole content of a regular file.
Result<QByteArray> readBytes(const QString& path);

} // namespace zental
