// Reading and writing the program's line-oriented data files. A line ends at CR, CR LF, a bare
// LF (what editors on Linux save) or the end of the file; every line written ends in CR LF.
//
// Text is UTF-8 where the bytes are valid UTF-8, else Windows-1252: the ANSI code page in which
// the Windows original wrote its files in Western Europe and the Americas, so that its "Zürich"
// reads as "Zürich" here on every platform. A line of Windows-1252 text that is valid UTF-8 as
// well would need letter pairs such as "Ã¼" that no name holds, so each line is told apart on
// its own and a reader never needs the whole file first. A file written whole is UTF-8, which
// holds every character a user can type; text added to a file is encoded like the file's bytes,
// so that no file ends up in two encodings.
#pragma once

#include "core/result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>
#include <QStringList>

#include <optional>

namespace zental {

enum class TextEncoding { Utf8, Windows1252 };

TextEncoding encodingOf(QByteArrayView bytes);
QString decodeText(QByteArrayView bytes);
// A character Windows-1252 lacks becomes "?": the file keeps its one encoding, and the mark shows
// in any editor where a letter went.
QByteArray encodeText(const QString& text, TextEncoding encoding);

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
