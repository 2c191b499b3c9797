// The launchers: command lines, the second editor as fallback, arguments handed over whole, and
// a real detached start of a stand-in opener placed first on the PATH.
#include "launcher.h"
#include "support/windowfixture.h"

#include <QFile>
#include <QTemporaryDir>

using namespace zental;

class tst_Launcher : public QObject {
    Q_OBJECT
private slots:
    void commandLinesAreProgramThenArgumentVerbatim();
    void secondEditorGetsTheSamePath();
    void browserGetsTheCalculatorPage();
    void editCompoundListStartsARealProcess();
};

namespace {
const PlatformPrograms testPrograms{{"c:\\windows\\system32\\notepad.exe", {}},
                                    {"c:\\windows\\notepad.exe", {}},
                                    {"c:\\program files\\internet explorer\\iexplore.exe", {}}};
} // namespace

void tst_Launcher::commandLinesAreProgramThenArgumentVerbatim() {
    RecordingStarter starter;
    Launcher launcher(starter, testPrograms);
    const LaunchOutcome outcome = launcher.openInEditor("C:\\My Data\\Profiles.ini");
    QVERIFY(outcome.started);
    QCOMPARE(outcome.commandLines,
             QStringList{"c:\\windows\\system32\\notepad.exe C:\\My Data\\Profiles.ini"});
    QCOMPARE(starter.started.size(), 1);
    QCOMPARE(starter.started[0].arguments,
             QStringList{"C:\\My Data\\Profiles.ini"}); // one argument
    QCOMPARE((Program{"/usr/bin/open", {"-t"}}.commandLine("a b.ini")), "/usr/bin/open -t a b.ini");
}

void tst_Launcher::secondEditorGetsTheSamePath() {
    RecordingStarter starter;
    starter.failing = {"c:\\windows\\system32\\notepad.exe"};
    Launcher launcher(starter, testPrograms);
    LaunchOutcome outcome = launcher.openInEditor("Compounds.ini");
    QVERIFY(outcome.started);
    QCOMPARE(outcome.commandLines, (QStringList{"c:\\windows\\system32\\notepad.exe Compounds.ini",
                                                "c:\\windows\\notepad.exe Compounds.ini"}));
    QCOMPARE(starter.started[1].program, "c:\\windows\\notepad.exe");
    QCOMPARE(starter.started[1].arguments, QStringList{"Compounds.ini"});

    starter.failing << "c:\\windows\\notepad.exe";
    outcome = launcher.openInEditor("Compounds.ini");
    QVERIFY(!outcome.started);
    QCOMPARE(outcome.commandLines.size(), 2);
}

void tst_Launcher::browserGetsTheCalculatorPage() {
    RecordingStarter starter;
    Launcher launcher(starter, testPrograms);
    const LaunchOutcome outcome = launcher.openCalculatorPage();
    QCOMPARE(outcome.commandLines,
             QStringList{"c:\\program files\\internet explorer\\iexplore.exe "
                         "https://www.ngdc.noaa.gov/geomag-web/?useFullSite=true#igrfwmm"});
    QCOMPARE(starter.started.size(), 1); // no second attempt
}

// The desktop's opener is looked up on the PATH, so a stand-in placed first receives the start.
void tst_Launcher::editCompoundListStartsARealProcess() {
#ifdef Q_OS_LINUX
    QTemporaryDir bin;
    const QString record = bin.filePath("record.txt");
    const QString opener = bin.filePath("xdg-open");
    QVERIFY(writeFile(opener, "#!/bin/sh\nprintf '%s|' \"$#\" \"$@\" \"$PWD\" > \"" +
                                  record.toUtf8() + ".part\" && mv \"" + record.toUtf8() +
                                  ".part\" \"" + record.toUtf8() + "\"\n"));
    QVERIFY(QFile::setPermissions(opener, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", bin.path().toUtf8() + ":" + oldPath);

    DetachedProcessStarter processes;
    RecordingMessages messages;
    WindowFixture f;
    MainWindow window({messages, processes, dotSeparators});
    window.show();
    QTest::mouseClick(window.findChild<QPushButton*>("ComP"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(record), 10000);
    QCOMPARE(fileContent(record), "1|Compounds.ini|" + QDir::currentPath().toUtf8() + "|");

    QFile::remove(record);
    QVERIFY(Launcher(processes, platformPrograms()).openInEditor("my data/a b.ini").started);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(record), 10000);
    QVERIFY(fileContent(record).startsWith("1|my data/a b.ini|"));
    qputenv("PATH", oldPath);
    QVERIFY(messages.shown.isEmpty());
#else
    QSKIP("The stand-in opener is a Linux shell script");
#endif
}

QTEST_MAIN(tst_Launcher)
#include "tst_launcher.moc"
