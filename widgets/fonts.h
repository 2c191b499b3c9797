// The layout's "MS Sans Serif" faces: "Microsoft Sans Serif" on Windows, a metric-compatible
// font elsewhere.
#pragma once

#include "widgets/layout.h"

#include <QFont>

namespace zental {

QFont layoutFont(layout::Font font);

} // namespace zental
