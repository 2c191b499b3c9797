// Whether the windowing system can be reached, asked before the application object exists: Qt
// aborts inside that constructor when it cannot connect, after printing its own lines.
#pragma once

#include "core/result.h"

namespace zental {

// Fails, saying why, when the program would have no display. Only the X11 connection Qt would
// open is tried; a platform named with -platform or QT_QPA_PLATFORM other than xcb is left to Qt.
Status checkDisplay(int argc, char* argv[]);

} // namespace zental
