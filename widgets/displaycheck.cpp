#include "widgets/displaycheck.h"

#include <QByteArray>
#include <QList>
#include <QString>

#if defined(Q_OS_LINUX)
#include <xcb/xcb.h>
#endif

namespace zental {
namespace {

[[maybe_unused]] QByteArray platformAsked(int argc, char* argv[]) {
    for (int i = 1; i + 1 < argc; ++i)
        if (QByteArray(argv[i]) == "-platform")
            return argv[i + 1];
    return qgetenv("QT_QPA_PLATFORM");
}

} // namespace

Status checkDisplay([[maybe_unused]] int argc, [[maybe_unused]] char* argv[]) {
#if defined(Q_OS_LINUX)
    const QByteArray platform = platformAsked(argc, argv).split(';').first();
    if (!platform.isEmpty() && !platform.startsWith("xcb"))
        return Done{};
    const QByteArray display = qgetenv("DISPLAY");
    if (display.isEmpty())
        return Failure{QStringLiteral("DISPLAY is not set")};
    xcb_connection_t* connection = xcb_connect(display.constData(), nullptr);
    const bool reached = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    if (!reached)
        return Failure{QStringLiteral("the display \"%1\" cannot be reached")
                           .arg(QString::fromLocal8Bit(display))};
#endif
    return Done{};
}

} // namespace zental
