// Where zental-field finds the model and the gazetteer it ships.
#pragma once

#include <QString>

namespace zental {

// The path of a shipped data file: share/zental beside the folder of the executable, which is
// where both an installed tree (/usr/bin/../share/zental) and the build tree keep them.
QString fieldDataPath(const QString& fileName);

} // namespace zental
