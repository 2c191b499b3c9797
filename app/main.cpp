// ZENTAL: Earth's-field NMR frequencies for the elements and the user's compounds.
#include "mainwindow.h"
#include "messages.h"

#include <QApplication>
#include <QLocale>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZENTAL"));

    const QLocale locale = QLocale::system();
    const zental::Separators separators{locale.decimalPoint().toStdString(),
                                        locale.groupSeparator().toStdString()};
    zental::MessageBoxSink messages;
    zental::DetachedProcessStarter processes;
    zental::MainWindow window({messages, processes, separators});
    window.show();
    return QApplication::exec();
}
