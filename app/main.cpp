// ZENTAL: Earth's-field NMR frequencies for the elements and the user's compounds.
#include "localeseparators.h"
#include "mainwindow.h"
#include "messages.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZENTAL"));
    QApplication::setDesktopFileName(QStringLiteral("io.github.zental.Zental"));
    QIcon icon(QStringLiteral(":/icons/zental-window.png"));
    icon.addFile(QStringLiteral(":/icons/zental-64.png"));
    QApplication::setWindowIcon(icon); // both windows carry it

    const zental::Separators separators = zental::separatorsOf(QLocale::system());
    zental::MessageBoxSink messages;
    zental::DetachedProcessStarter processes;
    zental::MainWindow window({messages, processes, separators});
    window.show();
    return QApplication::exec();
}
