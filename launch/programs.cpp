#include "launch/programs.h"

#include <QStandardPaths>

namespace zental {

QString Program::commandLine(const QString& argument) const {
    return (QStringList{path} + options + QStringList{argument}).join(u' ');
}

namespace {

// The desktop's opener first, then each of `names` that is on the PATH.
[[maybe_unused]] QList<Program> openerThenInstalled(std::initializer_list<const char*> names) {
    QList<Program> programs{{QStringLiteral("xdg-open"), {}, true}};
    for (const char* name : names)
        if (QString found = QStandardPaths::findExecutable(QString::fromLatin1(name));
            !found.isEmpty())
            programs.append({std::move(found), {}});
    return programs;
}

} // namespace

PlatformPrograms platformPrograms() {
#if defined(Q_OS_WIN)
    // Internet Explorer is retired, and its path unquoted in a command line would start
    // "c:\program.exe" where one exists: the page opens in the user's default browser instead.
    return {{{QStringLiteral("c:\\windows\\system32\\notepad.exe"), {}},
             {QStringLiteral("c:\\windows\\notepad.exe"), {}}},
            {{QStringLiteral("start"), {}, true}}};
#elif defined(Q_OS_MACOS)
    return {{{QStringLiteral("/usr/bin/open"), {QStringLiteral("-t")}, true},
             {QStringLiteral("/System/Applications/TextEdit.app/Contents/MacOS/TextEdit"), {}}},
            {{QStringLiteral("/usr/bin/open"), {}, true}}};
#else
    // The common graphical text editors and web browsers of Linux desktops.
    return {openerThenInstalled({"gnome-text-editor", "gedit", "kate", "kwrite", "mousepad",
                                 "pluma", "xed", "featherpad", "leafpad", "geany"}),
            openerThenInstalled({"firefox", "firefox-esr", "chromium", "google-chrome",
                                 "epiphany-browser", "falkon", "konqueror"})};
#endif
}

} // namespace zental
