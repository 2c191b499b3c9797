// The data files' lines with every kind of line end, also where the reader's 64 KiB blocks meet,
// and writes that a kill at any moment cannot cut off.
#include "support/files.h"
#include "textfile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <cstdio>
#include <random>

using namespace zental;

namespace {

constexpr int block = 64 * 1024;

// Each "~" in the content stands for `filler` times "x".
void row(const char* name, const QByteArray& content, int filler, const QStringList& expected) {
    QTest::newRow(name) << content << filler << expected;
}

// Two large contents of different sizes, so that no cut-off write of one passes for the other.
QStringList bigContent(int which) {
    return QStringList(2'000 + 1'000 * which,
                       QStringLiteral("content %1 \u00b7 ").arg(which) + QString(200, u'a'));
}

// The kill test's writer: says it starts, then rewrites the file with the two contents in turn
// until it is killed.
int writeUntilKilled(const QString& path) {
    const std::array<QStringList, 2> contents{bigContent(0), bigContent(1)};
    std::puts("writing");
    std::fflush(stdout);
    size_t which = 0;
    while (writeLines(path, contents[which]))
        which = 1 - which;
    return 1;
}

} // namespace

class tst_TextFile : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name); }

private slots:
    void readLines_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("filler");
        QTest::addColumn<QStringList>("expected");
        row("empty file", "", 0, {});
        row("CR LF", "A\r\nB\r\n", 0, {"A", "B"});
        row("bare LF", "A\nB\n", 0, {"A", "B"});
        row("bare CR", "A\rB\r", 0, {"A", "B"});
        row("mixed, no final line end", "A\rB\nC\r\nD", 0, {"A", "B", "C", "D"});
        row("empty lines, LF CR is two ends", "\r\n\n\rB", 0, {"", "", "", "B"});
        row("blanks kept", " A \r\n", 0, {" A "});
        row("local 8-bit", "M\xc3\xbcnchen\r\n", 0, {"M\u00fcnchen"});
        row("CR LF across blocks", "~\r\nB", block - 1, {"~", "B"});
        row("CR ends a block", "~\rB", block - 1, {"~", "B"});
        row("CR ends a block and the file", "~\r", block - 1, {"~"});
        row("LF starts a block", "~\nB", block, {"~", "B"});
        row("line over blocks", "~\r\nB", 3 * block, {"~", "B"});
        row("line end just after a block, after a line", "A\r\n~\r\nB", block - 2, {"A", "~", "B"});
    }

    void readLines() {
        QFETCH(QByteArray, content);
        QFETCH(int, filler);
        QFETCH(QStringList, expected);
        QVERIFY(writeFile(path("f.ini"), content.replace('~', QByteArray(filler, 'x'))));
        expected.replaceInStrings("~", QString(filler, u'x'));
        const LinesRead read = zental::readLines(path("f.ini"), 100);
        QVERIFY(read.opened);
        QCOMPARE(read.lines, expected);
        QCOMPARE(zental::readLines(path("f.ini"), 1).lines,
                 expected.mid(0, 1)); // stops where asked
    }

    // A write here takes about as long as one in the writer, so kills spread over three writes'
    // time fall at every stage of one: filling, syncing and renaming the temporary file, and
    // between writes. The file must hold its old or a whole new content after every kill.
    void killedWriterLeavesAWholeFile() {
        const QString file = path("ZENTAL.ini");
        const auto bytesOf = [](const QStringList& lines) {
            return lines.join("\r\n").toUtf8() + "\r\n";
        };
        const std::array<QByteArray, 3> whole{"\r\nold\r\n\r\n", bytesOf(bigContent(0)),
                                              bytesOf(bigContent(1))};
        const QStringList content = bigContent(1);
        QElapsedTimer timer;
        timer.start();
        QVERIFY(writeLines(file, content));
        std::uniform_int_distribution<unsigned long> killAfterMicroseconds(
            0, static_cast<unsigned long>(3 * timer.nsecsElapsed() / 1000));
        QVERIFY(writeLines(file, {"", "old", ""}));
        std::mt19937 rng(2350);
        std::array<int, 3> found{};
        for (int round = 0; round < 200; ++round) {
            QProcess writer;
            writer.start(QCoreApplication::applicationFilePath(), {"--write-until-killed", file});
            QVERIFY(writer.waitForReadyRead(10'000));
            QThread::usleep(killAfterMicroseconds(rng));
            writer.kill(); // SIGKILL: no chance to clean up
            QVERIFY(writer.waitForFinished(10'000) && writer.exitStatus() == QProcess::CrashExit);
            const auto now = std::find(whole.begin(), whole.end(), fileContent(file));
            QVERIFY2(now != whole.end(),
                     qPrintable(QStringLiteral("round %1 cut the file").arg(round)));
            ++found[static_cast<size_t>(now - whole.begin())];
        }
        // Unless kills fell after the first and after the second write, few could fall amid one.
        QVERIFY(found[1] > 0 && found[2] > 0);
        QVERIFY(writeLines(file, {"", "after", ""}));
        QCOMPARE(fileContent(file), QByteArray("\r\nafter\r\n\r\n"));
    }
};

int main(int argc, char* argv[]) {
    const QCoreApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--write-until-killed")
        return writeUntilKilled(QString::fromLocal8Bit(argv[2]));
    tst_TextFile test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_textfile.moc"
