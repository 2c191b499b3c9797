// Appending a profile: the old bytes stay as they were, the pair follows; a refusal changes
// nothing.
#include "field/core/profileappend.h"
#include "support/files.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

class tst_ProfileAppend : public QObject {
    Q_OBJECT
    static inline const QByteArray added = "Z\xc3\xbcrich, ZH, Switzerland\r\n49321.5\r\n";

    // The file before (bytes or a tag) and after, or the refusal's words (the file left as it was).
    static void row(const char* name, const QByteArray& before, const QByteArray& after,
                    const QString& refusal = {}) {
        QTest::newRow(name) << before << after << refusal;
    }

private slots:
    void append_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<QString>("refusal");
        row("missing file is created", missing, added);
        row("empty file", "", added);
        row("LF lines kept byte for byte", "Home\n48000\n", "Home\n48000\n" + added);
        row("last line without end gets CR LF", "Home\r\n48000", "Home\r\n48000\r\n" + added);
        row("50 profiles take one more", pairs(50), pairs(50) + added);
        row("the first-use example pair alone is replaced", "Location Name\r\nNT Value\r\n", added);
        row("the example pair beside a profile stays", "Location Name\nNT Value\nHome\n1\n",
            "Location Name\nNT Value\nHome\n1\n" + added);
        // In the file's own encoding, so that no file holds two.
        row("Windows-1252 file", "K\xf6ln\r\n1\r\n",
            "K\xf6ln\r\n1\r\nZ\xfcrich, ZH, Switzerland\r\n49321.5\r\n");
        row("UTF-8 file", "K\xc3\xb6ln\r\n1\r\n", "K\xc3\xb6ln\r\n1\r\n" + added);
        row("the same pair again", "Home\r\n1\r\n" + added, {}, u"is already in"_s);
        row("a FIFO", fifo, {}, u"could not be read"_s);
        row("no permission to read", unreadable, {}, u"could not be read"_s);
        row("a name without its value", "Home\r\n48000\r\nHalf\r\n", {}, u"without its NT value"_s);
        row("51 profiles", pairs(51), {}, u"already holds 51 profiles"_s);
        row("more than 51", pairs(60), {}, u"already holds 51 profiles"_s);
    }
    void append() {
        QFETCH(QByteArray, before);
        QFETCH(QString, refusal);
#ifdef Q_OS_WIN
        if (before == unreadable || before == fifo)
            QSKIP("Windows has no FIFOs nor read permissions to take away");
#else
        if (before == unreadable && geteuid() == 0)
            QSKIP("root reads every file");
#endif
        QTemporaryDir dir;
        const QString path = dir.filePath(u"Profiles.ini"_s);
        QVERIFY(before == unreadable
                    ? plant(path, "Home\r\n1\r\n") && QFile::setPermissions(path, QFile::WriteOwner)
                    : plant(path, before));
        // Line breaks in the name become blanks, blanks around it go.
        const zental::Status result =
            zental::appendProfile(path, u" \tZ\u00fcrich,\r\nZH,\nSwitzerland \n"_s, u"49321.5"_s);
        QCOMPARE(result.ok(), refusal.isEmpty());
        if (!result.ok())
            QVERIFY2(result.error().contains(refusal), qPrintable(result.error()));
        QTEST(state(path), refusal.isEmpty() ? "after" : "before");
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
                 QStringList{u"Profiles.ini"_s}); // no temporary file left behind
    }
};

QTEST_GUILESS_MAIN(tst_ProfileAppend)
#include "tst_profileappend.moc"
