#include "launch/programs.h"

#include <QStandardPaths>

namespace zental {

QString Program::commandLine(const QString& argument) const {
    return (QStringList{path} + options + QStringList{argument}).join(u' ');
}

namespace {

// A plain GUI text editor found on the PATH, for desktops whose opener fails.
[[maybe_unused]] QString plainTextEditor() {
    for (const char* name : {"gnome-text-editor", "gedit", "kate", "mousepad", "pluma", "xed",
                             "featherpad", "leafpad"}) {
        QString found = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!found.isEmpty())
            return found;
    }
    return QStringLiteral("gedit");
}

} // namespace

PlatformPrograms platformPrograms() {
#if defined(Q_OS_WIN)
    return {{QStringLiteral("c:\\windows\\system32\\notepad.exe"), {}},
            {QStringLiteral("c:\\windows\\notepad.exe"), {}},
            {QStringLiteral("c:\\program files\\internet explorer\\iexplore.exe"), {}}};
#elif defined(Q_OS_MACOS)
    return {{QStringLiteral("/usr/bin/open"), {QStringLiteral("-t")}},
            {QStringLiteral("/System/Applications/TextEdit.app/Contents/MacOS/TextEdit"), {}},
            {QStringLiteral("/usr/bin/open"), {}}};
#else
    return {{QStringLiteral("xdg-open"), {}},
            {plainTextEditor(), {}},
            {QStringLiteral("xdg-open"), {}}};
#endif
}

} // namespace zental
