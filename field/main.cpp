// zental-field: the Earth's magnetic field at any place, offline. With arguments it answers on the
// command line and needs no display; without, it opens the window.
#include "core/localeseparators.h"
#include "core/profilefile.h"
#include "field/core/commandline.h"
#include "field/core/datafiles.h"
#include "field/core/fieldmessages.h"
#include "field/window/fieldwindow.h"
#include "widgets/displaycheck.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>

namespace {

zental::FieldFiles shippedFiles() {
    return {{zental::fieldDataPath(QStringLiteral("wmmhr.cof")),
             zental::fieldDataPath(QStringLiteral("wmm.cof")),
             zental::fieldDataPath(QStringLiteral("igrfcoeffs.txt"))},
            zental::fieldDataPath(QStringLiteral("places.tsv"))};
}

int runWindow(int argc, char* argv[]) {
    if (const zental::Status display = zental::checkDisplay(argc, argv); !display) {
        std::fprintf(stderr, "%s\n", qPrintable(zental::fieldtext::noDisplay(display.error())));
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZENTAL Field"));
    QApplication::setDesktopFileName(QStringLiteral("io.github.zental.ZentalField"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/zental-window.png")));
    zental::FieldWindow window({zental::separatorsOf(QLocale::system()), QDate::currentDate(),
                                shippedFiles(),
                                zental::profilePathPrefix() + zental::profileFileName});
    window.show();
    return QApplication::exec();
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 2)
        return runWindow(argc, argv);
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return zental::runCommandLine(QCoreApplication::arguments().mid(1), QDate::currentDate(),
                                  shippedFiles(), out, err);
}
