// What ZENTAL tells its user, in one place. Data files are named by their full path.
#pragma once

#include <QString>
#include <QStringList>

namespace zental {

inline const QString applicationTitle = QStringLiteral("ZENTAL");

// A data file's path as the user is shown it: whole, with the platform's separators.
QString shownPath(const QString& path);

QString fileUnreadableMessage(const QString& path);
QString fileUnwritableMessage(const QString& path);
QString settingsNotSavedMessage(const QString& path);
QString editorFailureMessage(const QString& path, const QStringList& tried);
QString browserFailureMessage(const QStringList& tried);
QString noDisplayMessage(const QString& why);

extern const QString invalidNtValueMessage;
extern const QString compoundNotChosenMessage;
extern const QString profilesFirstUseMessage;
extern const QString mainHelpText;
extern const QString profilesHelpText;

} // namespace zental
