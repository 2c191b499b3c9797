// Windows' own way of starting the editor, under Wine: the command line as the user would type
// it, the file's path appended unquoted (Notepad takes all that follows its name, blanks and all,
// as one file name), after a candidate that is not there; Notepad's two places; and the data
// folder's path ending in "\".
#include "core/profilefile.h"
#include "launch/launcher.h"
#include "support/files.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_WindowsLaunch : public QObject {
    Q_OBJECT
private slots:
    void editorCommandLine() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(u"my data"_s) && QDir::setCurrent(dir.path()));
        const QString file = QDir::toNativeSeparators(dir.filePath(u"my data/Profiles.ini"_s));
        const QString recorder = QDir::toNativeSeparators(QCoreApplication::applicationDirPath() +
                                                          u"/commandlinerecorder.exe"_s);
        zental::DetachedProcessStarter starter;
        QObject window;
        zental::Launcher launcher(
            starter, {{{u"c:\\nowhere\\notepad.exe"_s, {}}, {recorder, {}}}, {}}, &window);
        std::optional<zental::Status> outcome;
        launcher.openInEditor(file, [&](const zental::Status& status) { outcome = status; });
        QTRY_VERIFY_WITH_TIMEOUT(outcome && outcome->ok() && QFile::exists(u"recorded"_s), 60000);
        const QByteArray line = fileContent(u"recorded"_s);
        QCOMPARE(QStringView(reinterpret_cast<const char16_t*>(line.constData()), line.size() / 2),
                 recorder + u' ' + file);
        QStringList editors;
        for (const zental::Program& editor : zental::platformPrograms().editors)
            editors << editor.commandLine(file);
        QCOMPARE(editors, (QStringList{u"c:\\windows\\system32\\notepad.exe "_s + file,
                                       u"c:\\windows\\notepad.exe "_s + file}));
        QVERIFY(zental::profilePathPrefix().endsWith(u'\\')); // the profiles window's Path
        QDir::setCurrent(QDir::tempPath());                   // so that the folder can go
    }
};

QTEST_GUILESS_MAIN(tst_WindowsLaunch)
#include "tst_windowslaunch.moc"
