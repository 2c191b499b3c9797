#include "core/textfile.h"

#include "core/messages.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <algorithm>
#include <array>

namespace zental {
namespace {
constexpr qint64 blockSize = qint64{64} * 1024;

// The characters of Windows-1252's bytes 0x80 to 0x9F; the rest of its bytes are Latin-1's. The
// five bytes it leaves unassigned stand for the C1 controls of their values, as Windows maps them,
// so that every byte reads and writes back unchanged.
constexpr std::array<char16_t, 32> windows1252High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t windows1252Char(unsigned char byte) {
    return byte >= 0x80 && byte <= 0x9F ? windows1252High[byte - 0x80] : char16_t{byte};
}

char windows1252Byte(char16_t c) {
    if (c < 0x80 || (c > 0x9F && c <= 0xFF))
        return static_cast<char>(c);
    const auto* const found = std::find(windows1252High.begin(), windows1252High.end(), c);
    return found == windows1252High.end()
               ? '?'
               : static_cast<char>(0x80 + (found - windows1252High.begin()));
}

} // namespace

TextEncoding encodingOf(QByteArrayView bytes) {
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    [[maybe_unused]] const QString text = utf8(bytes); // decoding is what finds an error
    return utf8.hasError() ? TextEncoding::Windows1252 : TextEncoding::Utf8;
}

QString decodeText(QByteArrayView bytes) {
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    text.resize(bytes.size());
    std::transform(bytes.begin(), bytes.end(), text.begin(), [](char byte) {
        return QChar(windows1252Char(static_cast<unsigned char>(byte)));
    });
    return text;
}

QByteArray encodeText(const QString& text, TextEncoding encoding) {
    if (encoding == TextEncoding::Utf8)
        return text.toUtf8();
    QByteArray bytes(text.size(), Qt::Uninitialized);
    std::transform(text.begin(), text.end(), bytes.begin(),
                   [](QChar c) { return windows1252Byte(c.unicode()); });
    return bytes;
}

LineReader::LineReader(const QString& path)
    : m_file(path) {
    // A data file is a regular file. Opening a FIFO would wait for a writer, so refuse pipes and
    // devices before opening; a device swapped in after the check is still refused below.
    if (!QFileInfo(path).isFile() || !m_file.open(QIODevice::ReadOnly))
        return;
    if (m_file.isSequential())
        m_file.close();
}

bool LineReader::fill() {
    if (!m_file.isOpen() || m_file.atEnd())
        return false;
    if (m_pos > 0) { // drop what has been handed out already
        m_buffer.remove(0, m_pos);
        m_pos = 0;
    }
    const QByteArray block = m_file.read(blockSize);
    m_buffer += block;
    return !block.isEmpty();
}

std::optional<QString> LineReader::next() {
    qsizetype searchFrom = m_pos;
    for (;;) {
        qsizetype end = searchFrom;
        while (end < m_buffer.size() && m_buffer[end] != '\r' && m_buffer[end] != '\n')
            ++end;
        const bool crAtBufferEnd = end == m_buffer.size() - 1 && m_buffer[end] == '\r';
        if (end < m_buffer.size() && !crAtBufferEnd) {
            const QString line = decodeText(QByteArrayView(m_buffer).sliced(m_pos, end - m_pos));
            const bool crlf =
                m_buffer[end] == '\r' && end + 1 < m_buffer.size() && m_buffer[end + 1] == '\n';
            m_pos = end + (crlf ? 2 : 1);
            return line;
        }
        searchFrom = end - m_pos; // offset survives the buffer compaction in fill()
        if (!fill()) {
            if (m_pos >= m_buffer.size())
                return std::nullopt;
            const QString rest = decodeText(QByteArrayView(m_buffer).sliced(m_pos));
            m_pos = m_buffer.size();
            // A CR left at the very end of the file is a line end, not part of the line.
            return rest.endsWith(u'\r') ? rest.chopped(1) : rest;
        }
        searchFrom += m_pos;
    }
}

Result<QStringList> readLines(const QString& path, qsizetype maxLines) {
    LineReader reader(path);
    if (!reader.isOpen())
        return Failure{fileUnreadableMessage(path)};
    QStringList lines;
    while (lines.size() < maxLines) {
        std::optional<QString> line = reader.next();
        if (!line)
            break;
        lines.append(*line);
    }
    return lines;
}

Status writeLines(const QString& path, const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toUtf8() + "\r\n";
    return writeBytes(path, bytes);
}

Status writeBytes(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return Done{};
    return Failure{fileUnwritableMessage(path)};
}

Result<QByteArray> readBytes(const QString& path) {
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly) || file.isSequential())
        return Failure{fileUnreadableMessage(path)};
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Failure{fileUnreadableMessage(path)};
    return bytes;
}

} // namespace zental
