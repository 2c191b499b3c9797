// The layout's "MS Sans Serif" faces, mapped to a metric-compatible font elsewhere than Windows.
#pragma once

#include "widgets/layout.h"

#include <QFont>

namespace zental {

QFont layoutFont(layout::Font font);

} // namespace zental
