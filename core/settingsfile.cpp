#include "core/settingsfile.h"

#include "core/messages.h"
#include "core/textfile.h"

namespace zental {

StoredSettings readSettings(const QString& path) {
    const QStringList lines = readLines(path, 3).value_or({});
    StoredSettings settings;
    // A file that lost its last empty line in an editor still holds the NT value: keep it.
    if (lines.size() >= 2)
        settings.ntValue = lines[1];
    settings.needsRewrite = lines.size() < 3;
    return settings;
}

Status writeSettings(const QString& path, const QString& ntValue) {
    if (writeLines(path, {QString(), ntValue, QString()}))
        return Done{};
    return Failure{settingsNotSavedMessage(path)};
}

} // namespace zental
