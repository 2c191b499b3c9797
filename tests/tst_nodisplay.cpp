// Both programs started where there is no display: one line on stderr saying so, exit code 1,
// and no file written.
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_NoDisplay : public QObject {
    Q_OBJECT
private slots:
    void refused_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("display"); // empty: DISPLAY not set
        QTest::addColumn<QString>("why");
        for (const auto& [name, path] :
             {std::pair{"zental", ZENTAL_PATH}, std::pair{"zental-field", ZENTAL_FIELD_PATH}}) {
            QTest::addRow("%s, DISPLAY not set", name)
                << QString::fromUtf8(path) << QString() << u"DISPLAY is not set"_s;
            // No X server can be behind a display name that is not one.
            QTest::addRow("%s, display not reachable", name)
                << QString::fromUtf8(path) << u":none"_s
                << u"the display \":none\" cannot be reached"_s;
        }
    }
    void refused() {
        QFETCH(QString, program);
        QFETCH(QString, display);
        QFETCH(QString, why);
        QTemporaryDir folder;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(u"QT_QPA_PLATFORM"_s);
        environment.remove(u"WAYLAND_DISPLAY"_s);
        if (display.isEmpty())
            environment.remove(u"DISPLAY"_s);
        else
            environment.insert(u"DISPLAY"_s, display);
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(folder.path());
        process.start(program, {});
        QVERIFY(process.waitForFinished(-1));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 1);
        QCOMPARE(process.readAllStandardOutput(), QByteArray());
        const QString err = QString::fromUtf8(process.readAllStandardError());
        QVERIFY2(err.startsWith(u"no display: "_s + why + u". "_s) && err.count(u'\n') == 1 &&
                     err.endsWith(u'\n'),
                 qPrintable(err));
        QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList());
    }
};

QTEST_GUILESS_MAIN(tst_NoDisplay)
#include "tst_nodisplay.moc"
