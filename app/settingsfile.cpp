#include "settingsfile.h"

#include "textfile.h"

namespace zental {

StoredSettings readSettings(const QString& path) {
    const LinesRead read = readLines(path, 3);
    StoredSettings settings;
    // A file that lost its last empty line in an editor still holds the NT value: keep it.
    if (read.lines.size() >= 2)
        settings.ntValue = read.lines[1];
    settings.needsRewrite = !read.opened || read.lines.size() < 3;
    return settings;
}

bool writeSettings(const QString& path, const QString& ntValue) {
    return writeLines(path, {QString(), ntValue, QString()});
}

} // namespace zental
