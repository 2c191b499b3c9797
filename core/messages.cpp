#include "core/messages.h"

#include <QDir>
#include <QFileInfo>

namespace zental {

QString shownPath(const QString& path) {
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

QString fileUnreadableMessage(const QString& path) {
    return QStringLiteral("The file \"%1\" could not be read.").arg(shownPath(path));
}

QString fileUnwritableMessage(const QString& path) {
    return QStringLiteral("The file \"%1\" could not be written.").arg(shownPath(path));
}

QString settingsNotSavedMessage(const QString& path) {
    return QStringLiteral("The NT value could not be saved: \"%1\" could not be written.")
        .arg(shownPath(path));
}

QString editorFailureMessage(const QString& path, const QStringList& tried) {
    return QStringLiteral("No text editor could be started to open \"%1\". Tried:\n%2")
        .arg(shownPath(path), tried.join(u'\n'));
}

QString browserFailureMessage(const QStringList& tried) {
    return QStringLiteral("The web browser could not be started to open the calculator page. "
                          "Tried:\n%1")
        .arg(tried.join(u'\n'));
}

QString noDisplayMessage(const QString& why) {
    return QStringLiteral("no display: %1. ZENTAL is a desktop program: start it from a graphical "
                          "session, or set DISPLAY to one it can reach.")
        .arg(why);
}

const QString invalidNtValueMessage =
    QStringLiteral("Enter a valid NT value (the field strength in nanotesla, for example 50000) "
                   "and press the element again.");

const QString compoundNotChosenMessage = QStringLiteral("Select Compound First and try again.");

const QString profilesFirstUseMessage = QStringLiteral(
    "NotePad is used for editing the Profiles. This message is showing because this is the first "
    "time you ran the Profiles. Replace the example data with real profiles. Each profile is in "
    "order like shown one under the other. Location and NT value. No other data format will "
    "work. Each is entered going down to create a list.");

const QString mainHelpText = QStringLiteral(
    "ZENTAL is a program based on NMR frequencies from the NMR table @ 2.35T and used to find "
    "frequencies for MFD dowsing."
    " This program brings the NMR frequencies down to the earth magnetic field strength "
    "(ZENTAL)in the area you set the NT value."
    " After setting your generator test for best target response adjusting up or down .1HZ at a "
    "time."
    " I hope you enjoy the software. If you want to purchase any compound frequencies contact "
    "me.");

const QString profilesHelpText = QStringLiteral(
    "Select the profile and press Load NT button to update NT value for the location selected. "
    "To change or edit the profile list select Edit Profile. The format is (Location, NT value). "
    "After changing the profiles select file-save to save the changed file. Select Refresh to "
    "update the profile list.");

} // namespace zental
