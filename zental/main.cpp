// ZENTAL: Earth's-field NMR frequencies for the elements and the user's compounds.
#include "core/localeseparators.h"
#include "core/messages.h"
#include "widgets/displaycheck.h"
#include "widgets/fonts.h"
#include "widgets/messagebox.h"
#include "zental/mainwindow.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>

int main(int argc, char* argv[]) {
    if (const zental::Status display = zental::checkDisplay(argc, argv); !display) {
        std::fprintf(stderr, "%s\n", qPrintable(zental::noDisplayMessage(display.error())));
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZENTAL"));
    QApplication::setDesktopFileName(QStringLiteral("io.github.zental.Zental"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/zental-window.png"))); // both windows
    // Boxes lay out their text once in the application font before taking their own: let that
    // be the window font, so no face is loaded that is never shown.
    QApplication::setFont(zental::layoutFont(zental::layout::Font::Regular));

    const zental::Separators separators = zental::separatorsOf(QLocale::system());
    zental::MessageBoxSink messages;
    zental::DetachedProcessStarter processes;
    zental::MainWindow window({messages, processes, separators});
    window.show();
    return QApplication::exec();
}
