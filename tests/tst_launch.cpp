// Opening a data file and the calculator page with real processes: stand-in openers, editors and
// browsers on the PATH, an opener that fails, and the message naming what was tried.
#include "launch/launcher.h"
#include "support/programs.h"

#include <QTemporaryDir>
#include <QTest>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

// A stand-in that writes its name and arguments to the file "started" and exits with `code`.
QByteArray recorder(const char* name, int code = 0) {
    return "#!/bin/sh\nprintf '%s ' " + QByteArray(name) + " \"$@\" >> started\nexit " +
           QByteArray::number(code) + "\n";
}

struct Case {
    QList<std::pair<QString, QByteArray>> programs{};
    bool browser = false;
    QByteArray started{}; // what the stand-ins recorded
    QString told{};       // the failure message, when nothing started
};

} // namespace

class tst_Launch : public QObject {
    Q_OBJECT
private slots:
    void launch_data() {
        QTest::addColumn<Case>("launch");
        const QByteArray failing = "#!/bin/sh\nexit 4\n";
        const QString page = zental::calculatorPageAddress;
        // clang-format off
        QTest::newRow("the opener opens") << Case{.programs = {{"xdg-open", recorder("xdg-open")}, {"kate", recorder("kate")}}, .started = "xdg-open HERE/a b.ini "};
        QTest::newRow("a failing opener, then the first editor") << Case{.programs = {{"xdg-open", failing}, {"kate", recorder("kate")}, {"xed", recorder("xed")}}, .started = "kate HERE/a b.ini "};
        QTest::newRow("no opener, then an editor") << Case{.programs = {{"mousepad", recorder("mousepad")}}, .started = "mousepad HERE/a b.ini "};
        QTest::newRow("a failing opener and nothing else") << Case{.programs = {{"xdg-open", failing}}, .told = u"No text editor could be started to open \"HERE/a b.ini\". Tried:\nxdg-open HERE/a b.ini"_s};
        QTest::newRow("a failing opener, then a browser") << Case{.programs = {{"xdg-open", failing}, {"firefox", recorder("firefox")}}, .browser = true, .started = "firefox " + page.toUtf8() + " "};
        QTest::newRow("no browser") << Case{.programs = {{"xdg-open", failing}}, .browser = true, .told = u"The web browser could not be started to open the calculator page. Tried:\nxdg-open "_s + page};
        // clang-format on
    }
    void launch() {
        QFETCH(Case, launch);
        QTemporaryDir dir;
        const QString previous = QDir::currentPath();
        QDir::setCurrent(dir.path());
        const auto back = qScopeGuard([&] { QDir::setCurrent(previous); });
        const auto path = onlyOnPath(launch.programs);
        zental::DetachedProcessStarter starter;
        QObject window;
        zental::Launcher launcher(starter, zental::platformPrograms(), &window);
        std::optional<zental::Status> outcome;
        const auto done = [&](const zental::Status& status) {
            outcome = status;
        };
        if (launch.browser)
            launcher.openCalculatorPage(done);
        else
            launcher.openInEditor(dir.filePath(u"a b.ini"_s), done);
        QTRY_VERIFY_WITH_TIMEOUT(outcome.has_value(), 60000); // the limit only catches a hang
        QCOMPARE(outcome->ok(), launch.told.isEmpty());
        if (!outcome->ok())
            QCOMPARE(outcome->error(), launch.told.replace(u"HERE"_s, dir.path()));
        QTRY_COMPARE_WITH_TIMEOUT(fileContent(u"started"_s).replace(dir.path().toUtf8(), "HERE"),
                                  launch.started.isEmpty() ? unreadable : launch.started, 60000);
    }
};

QTEST_GUILESS_MAIN(tst_Launch)
#include "tst_launch.moc"
