#include "field/core/fieldmessages.h"

#include "core/messages.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace zental::fieldtext {

QString noDisplay(const QString& why) {
    return u"no display: %1. The window needs a graphical session; on the command line, give a "
           "place or coordinates instead (zental-field --help)."_s.arg(why);
}

QString modelUnreadable(const QString& path) {
    return u"The model file \"%1\" could not be read."_s.arg(shownPath(path));
}

QString placesUnreadable(const QString& path) {
    return u"The places file \"%1\" could not be read."_s.arg(shownPath(path));
}

QString noPlaceCalled(const QString& name) {
    return u"No place called \"%1\" is known."_s.arg(name);
}

QString computedForCoordinates(const QString& placeText) {
    return u"\"%1\" is not a place chosen from the list: this is the NT value at the latitude and "
           "longitude typed."_s.arg(placeText);
}

QString protonProfileName(const QString& hertz) {
    return u"Proton %1 Hz"_s.arg(hertz);
}

QString notANumber(const QString& caption, const QString& text) {
    return u"%1: \"%2\" is not a number."_s.arg(caption, text);
}

QString writtenWithOtherSeparator(const QString& caption, const QString& text,
                                  const std::string& decimal) {
    return u"%1: \"%2\" is not a number here: write it with \"%3\" as the decimal separator and "
           "without grouping."_s.arg(caption, text, QString::fromStdString(decimal));
}

QString notARealDay(const QString& text) {
    return u"Date: %1 is not a date."_s.arg(text);
}

QString protonNtValueTooLong(const QString& hertz, const QString& ntValue, int most) {
    return u"Proton frequency: %1 Hz gives the NT value %2, longer than the %3 characters "
           "zental's NT box holds."_s.arg(hertz, ntValue)
               .arg(most);
}

QString notADate(const QString& text) {
    return u"Date: \"%1\" is not a date of the form YYYY-MM-DD or a decimal year."_s.arg(text);
}

QString notAProtonFrequency(const QString& text) {
    return u"Proton frequency: \"%1\" is not a positive number of hertz."_s.arg(text);
}

QString protonNeedsNoPlace(const QString& extra) {
    return u"A proton frequency needs no place: \"%1\" is one too many."_s.arg(extra);
}

QString dateOutsideModel(const QString& model, const QDate& first, const QDate& last) {
    return u"The date lies outside %1, which covers %2 to %3."_s.arg(
        model, first.toString(Qt::ISODate), last.toString(Qt::ISODate));
}

QString dateOutsideModels(const QDate& first, const QDate& last) {
    return u"The date lies outside the models, which cover %1 to %2."_s.arg(
        first.toString(Qt::ISODate), last.toString(Qt::ISODate));
}

QString unknownModel(const QString& name, const QStringList& known) {
    return u"No model is called \"%1\"; the models are %2."_s.arg(name, known.join(u", "_s));
}

QString profilesUnreadable(const QString& path) {
    return u"The file \"%1\" could not be read; nothing was added."_s.arg(shownPath(path));
}

QString profilesUnwritable(const QString& path) {
    return u"The file \"%1\" could not be written; it is unchanged."_s.arg(shownPath(path));
}

QString profilesFull(const QString& path, int most) {
    return u"\"%1\" already holds %2 profiles, the most the profiles window reads; nothing was "
           "added."_s.arg(shownPath(path))
               .arg(most);
}

QString profilesEndWithName(const QString& path) {
    return u"\"%1\" ends with a name without its NT value. Complete or remove that line first; "
           "nothing was added."_s.arg(shownPath(path));
}

QString profileAlreadyThere(const QString& name, const QString& ntValue, const QString& path) {
    return u"\"%1\" with %2 is already in \"%3\"; nothing was added."_s.arg(name, ntValue,
                                                                            shownPath(path));
}

QString profileAdded(const QString& name, const QString& ntValue, const QString& path) {
    const QFileInfo file(path);
    return u"Added \"%1\" with %2 to \"%3\" in the folder \"%4\"."_s.arg(
        name, ntValue, file.fileName(), QDir::toNativeSeparators(file.absolutePath()));
}

QString copied(const QString& ntValue) {
    return u"Copied %1 to the clipboard."_s.arg(ntValue);
}

} // namespace zental::fieldtext
