#include "field/core/profileappend.h"

#include "core/pairlist.h"
#include "core/textfile.h"
#include "field/core/fieldmessages.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace zental {
namespace {

QByteArray lineOf(QString text) {
    // A line break inside a name would shift every pair after it.
    text.replace(u"\r\n"_s, u" "_s).replace(u'\r', u' ').replace(u'\n', u' ');
    return text.trimmed().toLocal8Bit() + "\r\n";
}

Status roomFor(const QString& path, qsizetype lineCount) {
    if (lineCount >= qsizetype{2} * maxListPairs)
        return Failure{fieldtext::profilesFull(path, maxListPairs)};
    if (lineCount % 2 != 0)
        return Failure{fieldtext::profilesEndWithName(path)};
    return Done{};
}

} // namespace

Status appendProfile(const QString& path, const QString& name, const QString& ntValue) {
    QByteArray bytes;
    if (QFileInfo::exists(path) || QFileInfo(path).isSymLink()) {
        const Result<QByteArray> old = readBytes(path);
        // Counted as the profiles window counts them, so both agree on what a pair is.
        const Result<QStringList> lines = readLines(path, 2 * maxListPairs + 1);
        if (!old || !lines)
            return Failure{fieldtext::profilesUnreadable(path)};
        if (Status room = roomFor(path, lines->size()); !room)
            return room;
        bytes = *old;
        if (!bytes.isEmpty() && !bytes.endsWith('\r') && !bytes.endsWith('\n'))
            bytes += "\r\n";
    }
    if (!writeBytes(path, bytes + lineOf(name) + lineOf(ntValue)))
        return Failure{fieldtext::profilesUnwritable(path)};
    return Done{};
}

} // namespace zental
