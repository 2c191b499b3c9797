// The settings file "ZENTAL.ini": three lines, the NT value of the last run on line 2.
#pragma once

#include "core/result.h"

#include <QString>

#include <optional>

namespace zental {

inline const QString settingsFileName = QStringLiteral("ZENTAL.ini");

struct StoredSettings {
    std::optional<QString> ntValue; // line 2, when the file has one
    bool needsRewrite = false;      // missing, unreadable or short: write it anew at once
};

StoredSettings readSettings(const QString& path);

// Writes an empty line, the NT value and an empty line.
Status writeSettings(const QString& path, const QString& ntValue);

} // namespace zental
