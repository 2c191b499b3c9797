// Reading lines with every kind of line end, atomic writing, and the settings file built on them.
#include "settingsfile.h"
#include "textfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zental;

namespace {
QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}
void put(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}
} // namespace

class tst_TextFile : public QObject {
    Q_OBJECT
private slots:
    void init() { QVERIFY(m_dir.isValid()); }
    void readLines_data();
    void readLines();
    void readerStopsWhereAsked();
    void linesLongerThanABlock();
    void missingOrFolderDoesNotOpen();
    void writeUsesCrLfAndReplacesWhole();
    void settings_data();
    void settings();

private:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

void tst_TextFile::readLines_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("empty file") << QByteArray() << QStringList{};
    QTest::newRow("crlf") << QByteArray("A\r\nB\r\n") << QStringList{"A", "B"};
    QTest::newRow("bare lf") << QByteArray("A\nB\n") << QStringList{"A", "B"};
    QTest::newRow("bare cr") << QByteArray("A\rB\r") << QStringList{"A", "B"};
    QTest::newRow("mixed") << QByteArray("A\rB\nC\r\nD") << QStringList{"A", "B", "C", "D"};
    QTest::newRow("no final line end") << QByteArray("A\r\nB") << QStringList{"A", "B"};
    QTest::newRow("empty lines count") << QByteArray("\r\n\r\n\r\n") << QStringList{"", "", ""};
    QTest::newRow("lf cr is two line ends") << QByteArray("A\n\rB") << QStringList{"A", "", "B"};
    QTest::newRow("blanks kept") << QByteArray(" A \r\n") << QStringList{" A "};
    QTest::newRow("utf8") << QByteArray("M\xc3\xbcnchen\r\n") << QStringList{"M\u00fcnchen"};
}

void tst_TextFile::readLines() {
    QFETCH(QByteArray, content);
    QFETCH(QStringList, expected);
    put(path("f.ini"), content);
    const LinesRead read = zental::readLines(path("f.ini"), 100);
    QVERIFY(read.opened);
    QCOMPARE(read.lines, expected);
}

void tst_TextFile::readerStopsWhereAsked() {
    put(path("f.ini"), "1\r\n2\r\n3\r\n4\r\n");
    QCOMPARE(zental::readLines(path("f.ini"), 2).lines, (QStringList{"1", "2"}));
}

// A CR LF split across the reader's 64 KiB blocks is still one line end.
void tst_TextFile::linesLongerThanABlock() {
    const QByteArray first(64 * 1024 - 1, 'x');
    const QByteArray second(200 * 1024, 'y');
    put(path("f.ini"), first + "\r\n" + second + "\r");
    const LinesRead read = zental::readLines(path("f.ini"), 5);
    QCOMPARE(read.lines.size(), 2);
    QCOMPARE(read.lines[0].size(), first.size());
    QCOMPARE(read.lines[1].size(), second.size());
}

void tst_TextFile::missingOrFolderDoesNotOpen() {
    QVERIFY(!zental::readLines(path("missing.ini"), 3).opened);
    QVERIFY(QDir(m_dir.path()).mkdir("folder.ini"));
    QVERIFY(!zental::readLines(path("folder.ini"), 3).opened);
    QVERIFY(!writeLines(path("folder.ini"), {"x"}));
}

void tst_TextFile::writeUsesCrLfAndReplacesWhole() {
    put(path("f.ini"), "a much longer old content\nwith lines\n");
    QVERIFY(writeLines(path("f.ini"), {"", "M\u00fcnchen", ""}));
    QCOMPARE(contentOf(path("f.ini")), QByteArray("\r\nM\xc3\xbcnchen\r\n\r\n"));
}

void tst_TextFile::settings_data() {
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("ntValue"); // "<none>": the file gives no value
    QTest::addColumn<bool>("rewrite");
    QTest::newRow("missing") << false << QByteArray() << "<none>" << true;
    QTest::newRow("three lines") << true << QByteArray("x\r\n50000\r\ny\r\n") << "50000" << false;
    QTest::newRow("five lines") << true << QByteArray("\r\n4\r\n\r\n6\r\n7\r\n") << "4" << false;
    QTest::newRow("last empty line dropped") << true << QByteArray("\r\n48000") << "48000" << true;
    QTest::newRow("one line") << true << QByteArray("48000\r\n") << "<none>" << true;
    QTest::newRow("not a number kept") << true << QByteArray("\nabc \n\n") << "abc " << false;
    QTest::newRow("long value kept whole")
        << true << QByteArray("\r\n123456789\r\n\r\n") << "123456789" << false;
}

void tst_TextFile::settings() {
    QFETCH(bool, exists);
    QFETCH(QByteArray, content);
    QFETCH(QString, ntValue);
    QFETCH(bool, rewrite);
    if (exists)
        put(path(settingsFileName), content);
    const StoredSettings read = readSettings(path(settingsFileName));
    QCOMPARE(read.ntValue.value_or("<none>"), ntValue);
    QCOMPARE(read.needsRewrite, rewrite);
}

QTEST_GUILESS_MAIN(tst_TextFile)
#include "tst_textfile.moc"
