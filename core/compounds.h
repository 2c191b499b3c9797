// The user's compound list in "Compounds.ini": name and reference frequency in MHz at 7.05 T.
#pragma once

#include "core/numbertext.h"
#include "core/result.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <string>

namespace zental {

inline const QString compoundFileName = QStringLiteral("Compounds.ini");
inline const QStringList defaultCompoundLines{QStringLiteral("Compound Name"),
                                              QStringLiteral("NMR Frequency")};

// Writes the default two lines when the file does not exist. A file that exists but cannot be
// read is the user's list and is left alone.
Status createMissingCompoundFile(const QString& path);

// The compound's frequency text at the NT value, or nothing when either text is no number or
// the result leaves the double range.
std::optional<std::string> compoundFrequencyText(std::string_view ntValueText,
                                                 std::string_view referenceText,
                                                 const Separators& separators);

} // namespace zental
