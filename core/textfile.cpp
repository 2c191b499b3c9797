#include "core/textfile.h"

#include "core/messages.h"

#include <QFileInfo>
#include <QSaveFile>

namespace zental {
namespace {
constexpr qint64 blockSize = qint64{64} * 1024;
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
            const QString line = QString::fromLocal8Bit(m_buffer.constData() + m_pos, end - m_pos);
            const bool crlf =
                m_buffer[end] == '\r' && end + 1 < m_buffer.size() && m_buffer[end + 1] == '\n';
            m_pos = end + (crlf ? 2 : 1);
            return line;
        }
        searchFrom = end - m_pos; // offset survives the buffer compaction in fill()
        if (!fill()) {
            if (m_pos >= m_buffer.size())
                return std::nullopt;
            const QString rest =
                QString::fromLocal8Bit(m_buffer.constData() + m_pos, m_buffer.size() - m_pos);
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
        bytes += line.toLocal8Bit() + "\r\n";
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
