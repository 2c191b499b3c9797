// The layout's "MS Sans Serif" faces, mapped to a metric-compatible font installed on Linux.
#pragma once

#include "layout.h"

#include <QFont>
#include <QStringList>

namespace zental {

QFont layoutFont(layout::Font font);

} // namespace zental
