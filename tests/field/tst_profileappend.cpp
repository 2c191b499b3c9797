// Appending a profile: the old bytes stay as they were, the pair follows; a refusal changes
// nothing.
#include "profileappend.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

class tst_ProfileAppend : public QObject {
    Q_OBJECT
    static QByteArray pairs(int count) {
        QByteArray bytes;
        for (int i = 0; i < count; ++i)
            bytes += "Place " + QByteArray::number(i) + "\r\n4800" + QByteArray::number(i) + "\r\n";
        return bytes;
    }
    // What stands at the file's name: "<missing>", "<folder>", "<fifo>", "<unreadable>" or bytes.
    static bool plant(const QString& path, const QByteArray& before) {
        if (before == "<missing>")
            return true;
        if (before == "<folder>")
            return QDir().mkdir(path);
        if (before == "<fifo>")
            return mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
        QFile file(path);
        const QByteArray bytes = before == "<unreadable>" ? "Home\r\n1\r\n"_ba : before;
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() &&
               (before != "<unreadable>" || file.setPermissions(QFileDevice::WriteOwner));
    }

private slots:
    void append_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("after"); // what the file then holds; empty when refused
        QTest::addColumn<QString>("refusal");
        const QString denver = u"Denver, CO, United States"_s;
        const QByteArray added = "Denver, CO, United States\r\n49321.5\r\n";
        QTest::newRow("missing file is created") << "<missing>"_ba << denver << added << QString();
        QTest::newRow("empty file") << ""_ba << denver << added << QString();
        QTest::newRow("one profile kept byte for byte")
            << "Home\r\n48000\r\n"_ba << denver << "Home\r\n48000\r\n"_ba + added << QString();
        QTest::newRow("LF lines kept")
            << "Home\n48000\n"_ba << denver << "Home\n48000\n"_ba + added << QString();
        QTest::newRow("last line without end gets CR LF")
            << "Home\r\n48000"_ba << denver << "Home\r\n48000\r\n"_ba + added << QString();
        QTest::newRow("50 profiles take one more")
            << pairs(50) << denver << pairs(50) + added << QString();
        QTest::newRow("line breaks in the name become blanks")
            << ""_ba << u"Denver,\r\nCO,\nUnited States"_s << added << QString();
        QTest::newRow("a folder") << "<folder>"_ba << denver << QByteArray()
                                  << u"could not be read"_s;
        QTest::newRow("a FIFO") << "<fifo>"_ba << denver << QByteArray() << u"could not be read"_s;
        QTest::newRow("no permission to read")
            << "<unreadable>"_ba << denver << QByteArray() << u"could not be read"_s;
        QTest::newRow("a name without its value") << "Home\r\n48000\r\nHalf\r\n"_ba << denver
                                                  << QByteArray() << u"without its NT value"_s;
        QTest::newRow("51 profiles")
            << pairs(51) << denver << QByteArray() << u"already holds 51 profiles"_s;
        QTest::newRow("more than 51")
            << pairs(60) << denver << QByteArray() << u"already holds 51 profiles"_s;
    }
    void append() {
        QFETCH(QByteArray, before);
        QFETCH(QString, name);
        QFETCH(QByteArray, after);
        QFETCH(QString, refusal);
        if (before == "<unreadable>" && geteuid() == 0)
            QSKIP("root reads every file");
        QTemporaryDir dir;
        const QString path = dir.filePath(u"Profiles.ini"_s);
        QVERIFY(plant(path, before));
        const std::optional<QString> result = zental::appendProfile(path, name, u"49321.5"_s);
        QCOMPARE(result.has_value(), !refusal.isEmpty());
        QVERIFY2(result.value_or(refusal).contains(refusal), qPrintable(result.value_or("")));
        QFile file(path);
        if (!before.startsWith('<') || before == "<missing>") {
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), refusal.isEmpty() ? after : before);
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
                 QStringList{u"Profiles.ini"_s}); // no temporary file left behind
    }
};

QTEST_GUILESS_MAIN(tst_ProfileAppend)
#include "tst_profileappend.moc"
