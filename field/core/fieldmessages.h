// What zental-field tells its user, on the command line and in its window, in one place. Files
// are named by their full path.
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <string>

namespace zental::fieldtext {

inline const QString placesLoading = QStringLiteral("The places are still loading.");
inline const QString modelLoading = QStringLiteral("The field model is still loading.");
inline const QString nothingToComputeOnCommandLine =
    QStringLiteral("Name a place or give a latitude and a longitude (see --help).");
inline const QString nothingToComputeInWindow =
    QStringLiteral("Type a place, or a latitude and a longitude.");
inline const QString latitudeOutOfRange =
    QStringLiteral("The latitude must be a number from -90 to 90 degrees.");
inline const QString longitudeOutOfRange =
    QStringLiteral("The longitude must be a number from -180 to 180 degrees.");
inline const QString heightOutOfRange =
    QStringLiteral("The height must be from -1000 to 850000 metres, the model's range.");
inline const QString noModels = QStringLiteral("No model file is given.");

inline const QString chooseFromList = QStringLiteral(
    "Choose a place from the list (Down, then Enter), or type a latitude and a longitude.");
inline const QString measuredSuffix = QStringLiteral(" (measured)");
inline const QString fromProtonFrequency =
    QStringLiteral("From the proton frequency: NT = f × 2350 / 100.");

QString noDisplay(const QString& why);
QString computedForCoordinates(const QString& placeText);
QString protonProfileName(const QString& hertz);
QString modelUnreadable(const QString& path);
QString placesUnreadable(const QString& path);
QString noPlaceCalled(const QString& name);

QString notANumber(const QString& caption, const QString& text);
QString writtenWithOtherSeparator(const QString& caption, const QString& text,
                                  const std::string& decimal);
QString notADate(const QString& text);
QString notARealDay(const QString& text);
QString protonNtValueTooLong(const QString& hertz, const QString& ntValue, int most);
QString notAProtonFrequency(const QString& text);
QString protonNeedsNoPlace(const QString& extra);

QString dateOutsideModel(const QString& model, const QDate& first, const QDate& last);
QString dateOutsideModels(const QDate& first, const QDate& last);
QString unknownModel(const QString& name, const QStringList& known);

QString profilesUnreadable(const QString& path);
QString profilesUnwritable(const QString& path);
QString profilesFull(const QString& path, int most);
QString profilesEndWithName(const QString& path);
QString profileAlreadyThere(const QString& name, const QString& ntValue, const QString& path);
QString profileAdded(const QString& name, const QString& ntValue, const QString& path);
QString copied(const QString& ntValue);

} // namespace zental::fieldtext
