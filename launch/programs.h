// The platform's programs that open a data file for editing and the calculator page for look-up.
#pragma once

#include <QString>
#include <QStringList>

namespace zental {

// A program to start with one argument appended: the file path or the page address.
struct Program {
    QString path;
    QStringList options; // fixed arguments before the appended one

    // The command line as the user would type it: path, options, then the argument verbatim.
    QString commandLine(const QString& argument) const;
    QStringList arguments(const QString& argument) const { return options + QStringList{argument}; }
};

struct PlatformPrograms {
    Program firstEditor;
    Program secondEditor; // tried when the first cannot be started
    Program browser;
};

// The geomagnetic calculator page where the user looks up the NT value for a place.
inline const QString calculatorPageAddress =
    QStringLiteral("https://www.ngdc.noaa.gov/geomag-web/?useFullSite=true#igrfwmm");

PlatformPrograms platformPrograms();

} // namespace zental
