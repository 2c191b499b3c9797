// The platform's programs that open a data file for editing and the calculator page for look-up,
// each a list of candidates tried in turn.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace zental {

// A program to start with one argument appended: the file path or the page address.
struct Program {
    QString path;
    QStringList options; // fixed arguments before the appended one
    // An opener hands the argument on to another program and exits: one that exits with an error
    // right away found nothing to hand it to, and so did not start anything. On Windows the opener
    // is the shell's, as cmd's "start" uses it: no program is started by path.
    bool isOpener = false;

    // The command line as the user would type it: path, options, then the argument verbatim.
    QString commandLine(const QString& argument) const;
    QStringList arguments(const QString& argument) const { return options + QStringList{argument}; }
};

struct PlatformPrograms {
    QList<Program> editors;
    QList<Program> browsers;
};

// The geomagnetic calculator page where the user looks up the NT value for a place.
inline const QString calculatorPageAddress =
    QStringLiteral("https://www.ngdc.noaa.gov/geomag-web/?useFullSite=true#igrfwmm");

PlatformPrograms platformPrograms();

} // namespace zental
