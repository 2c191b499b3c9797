// The command line of zental-field: the field at a place or at coordinates, or the NT value of a
// proton frequency, printed for people or, with --nt, as one number for scripts.
#pragma once

#include <QDate>
#include <QStringList>
#include <QTextStream>

namespace zental {

struct FieldFiles {
    QStringList models; // the coefficient files, in FieldModels' order of preference
    QString places;     // the gazetteer
};

// Runs the arguments after the program's name; returns the exit code. Errors go to `err` as one
// line, and then nothing goes to `out`.
int runCommandLine(const QStringList& arguments, const QDate& today, const FieldFiles& files,
                   QTextStream& out, QTextStream& err);

} // namespace zental
