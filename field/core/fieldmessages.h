// What zental-field tells its user, on the command line and in its window, in one place. Files
// are named by their full path.
#pragma once

#include <QDate>
#include <QString>

namespace zental::fieldtext {

QString noDisplay(const QString& why);
QString modelUnreadable(const QString& path);
QString placesUnreadable(const QString& path);
QString placesLoading();
QString noPlaceCalled(const QString& name);
QString nothingToComputeOnCommandLine();
QString nothingToComputeInWindow();

QString notANumber(const QString& caption, const QString& text);
QString notADate(const QString& text);
QString notAProtonFrequency(const QString& text);
QString protonNeedsNoPlace(const QString& extra);

QString latitudeOutOfRange();
QString longitudeOutOfRange();
QString heightOutOfRange();
QString dateOutsideModel(const QString& model, const QDate& first, const QDate& last);

QString profilesUnreadable(const QString& path);
QString profilesUnwritable(const QString& path);
QString profilesFull(const QString& path, int most);
QString profilesEndWithName(const QString& path);
QString profileAdded(const QString& name, const QString& ntValue, const QString& path);
QString copied(const QString& ntValue);

} // namespace zental::fieldtext
