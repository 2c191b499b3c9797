// Adding a place and its NT value to the profile file, as a pair the profiles window reads.
#pragma once

#include <QString>

#include <optional>

namespace zental {

// Appends the pair to the file at `path` (created when missing), keeping every byte already there.
// Returns why nothing was added, or nothing when the pair was added.
std::optional<QString> appendProfile(const QString& path, const QString& name,
                                     const QString& ntValue);

} // namespace zental
