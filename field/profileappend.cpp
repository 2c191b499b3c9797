#include "profileappend.h"

#include "pairlist.h"
#include "textfile.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace zental {
namespace {

QString quoted(const QString& path) {
    return u'"' + QFileInfo(path).fileName() + u'"';
}

QByteArray lineOf(QString text) {
    // A line break inside a name would shift every pair after it.
    text.replace(u"\r\n"_s, u" "_s).replace(u'\r', u' ').replace(u'\n', u' ');
    return text.trimmed().toLocal8Bit() + "\r\n";
}

std::optional<QString> refusalOf(const QString& path, qsizetype lineCount) {
    if (lineCount >= qsizetype{2} * maxListPairs)
        return quoted(path) + QStringLiteral(" already holds %1 profiles, the most the profiles "
                                             "window reads; nothing was added.")
                                  .arg(maxListPairs);
    if (lineCount % 2 != 0)
        return quoted(path) + QStringLiteral(" ends with a name without its NT value. Complete or "
                                             "remove that line first; nothing was added.");
    return std::nullopt;
}

} // namespace

std::optional<QString> appendProfile(const QString& path, const QString& name,
                                     const QString& ntValue) {
    QByteArray bytes;
    if (QFileInfo::exists(path) || QFileInfo(path).isSymLink()) {
        const std::optional<QByteArray> old = readBytes(path);
        if (!old)
            return QStringLiteral("The file %1 could not be read; nothing was added.")
                .arg(quoted(path));
        // Counted as the profiles window counts them, so both agree on what a pair is.
        const LinesRead lines = readLines(path, 2 * maxListPairs + 1);
        if (std::optional<QString> refusal = refusalOf(path, lines.lines.size()))
            return refusal;
        bytes = *old;
        if (!bytes.isEmpty() && !bytes.endsWith('\r') && !bytes.endsWith('\n'))
            bytes += "\r\n";
    }
    if (!writeBytes(path, bytes + lineOf(name) + lineOf(ntValue)))
        return QStringLiteral("The file %1 could not be written; it is unchanged.")
            .arg(quoted(path));
    return std::nullopt;
}

} // namespace zental
