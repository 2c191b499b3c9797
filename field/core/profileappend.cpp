#include "field/core/profileappend.h"

#include "core/pairlist.h"
#include "core/profilefile.h"
#include "core/textfile.h"
#include "field/core/fieldmessages.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace zental {
namespace {

// A line break inside a name would shift every pair after it.
QString oneLine(QString text) {
    return text.replace(u"\r\n"_s, u" "_s).replace(u'\r', u' ').replace(u'\n', u' ').trimmed();
}

QByteArray lineOf(const QString& text, TextEncoding encoding) {
    return encodeText(oneLine(text), encoding) + "\r\n";
}

Status roomFor(const QString& path, qsizetype lineCount) {
    if (lineCount >= qsizetype{2} * maxListPairs)
        return Failure{fieldtext::profilesFull(path, maxListPairs)};
    if (lineCount % 2 != 0)
        return Failure{fieldtext::profilesEndWithName(path)};
    return Done{};
}

// The bytes the new pair goes behind: the file as it is, with its last line ended, or nothing when
// it holds only the example pair zental writes on first use, a placeholder rather than a profile.
Result<QByteArray> keptBytes(const QString& path, const QString& name, const QString& ntValue) {
    const Result<QByteArray> old = readBytes(path);
    // Counted as the profiles window counts them, so both agree on what a pair is.
    const Result<QStringList> lines = readLines(path, 2 * maxListPairs + 1);
    if (!old || !lines)
        return Failure{fieldtext::profilesUnreadable(path)};
    if (*lines == exampleProfileLines)
        return QByteArray();
    if (Status room = roomFor(path, lines->size()); !room)
        return Failure{room.error()};
    for (qsizetype i = 0; i + 1 < lines->size(); i += 2)
        if ((*lines)[i].trimmed() == oneLine(name) && (*lines)[i + 1].trimmed() == ntValue)
            return Failure{fieldtext::profileAlreadyThere(oneLine(name), ntValue, path)};
    QByteArray bytes = *old;
    if (!bytes.isEmpty() && !bytes.endsWith('\r') && !bytes.endsWith('\n'))
        bytes += "\r\n";
    return bytes;
}

} // namespace

Status appendProfile(const QString& path, const QString& name, const QString& ntValue) {
    QByteArray bytes;
    if (QFileInfo::exists(path) || QFileInfo(path).isSymLink()) {
        Result<QByteArray> kept = keptBytes(path, name, ntValue);
        if (!kept)
            return Failure{kept.error()};
        bytes = std::move(kept).value();
    }
    const TextEncoding encoding = encodingOf(bytes); // the file's own, so that it keeps one
    if (!writeBytes(path, bytes + lineOf(name, encoding) + lineOf(ntValue, encoding)))
        return Failure{fieldtext::profilesUnwritable(path)};
    return Done{};
}

} // namespace zental
