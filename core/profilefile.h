// The profile file "Profiles.ini": pairs of lines, a location name and its NT value.
#pragma once

#include <QString>
#include <QStringList>

namespace zental {

inline const QString profileFileName = QStringLiteral("Profiles.ini");
inline const QStringList exampleProfileLines{QStringLiteral("Location Name"),
                                             QStringLiteral("NT Value")};

// The data directory with the platform's own separator appended: the prefix of the file's path.
QString profilePathPrefix();

} // namespace zental
