// Adding a place and its NT value to the profile file, as a pair the profiles window reads.
#pragma once

#include "core/result.h"

#include <QString>

namespace zental {

// Appends the pair to the file at `path` (created when missing), keeping every byte already there.
Status appendProfile(const QString& path, const QString& name, const QString& ntValue);

} // namespace zental
