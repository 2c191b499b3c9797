// The data files' lines with every kind of line end, also where the reader's 64 KiB blocks meet,
// and writes that a kill at any moment cannot cut off.
#include "core/textfile.h"
#include "support/files.h"

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

// The kill test's writer: rewrites the file with the two contents in turn until it is killed,
// and says so after each write.
int writeUntilKilled(const QString& path) {
    const std::array<QStringList, 2> contents{bigContent(0), bigContent(1)};
    for (size_t which = 0; writeLines(path, contents[which]); which = 1 - which) {
        std::puts("written");
        std::fflush(stdout);
    }
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
        const Result<QStringList> read = zental::readLines(path("f.ini"), 100);
        QVERIFY(read);
        QCOMPARE(*read, expected);
        QCOMPARE(*zental::readLines(path("f.ini"), 1), expected.mid(0, 1)); // stops where asked
    }

    // Each round kills the writer after none, one or two whole writes, at a random moment of the
    // next: while it fills, syncs or renames the temporary file, or between writes. The file
    // must then hold a whole content, and never the old one once a write was reported done.
    void killedWriterLeavesAWholeFile() {
        const QString file = path("ZENTAL.ini");
        const auto bytesOf = [](const QStringList& lines) {
            return lines.join("\r\n").toUtf8() + "\r\n";
        };
        const QByteArray old = "\r\nold\r\n\r\n";
        const std::array<QByteArray, 2> written{bytesOf(bigContent(0)), bytesOf(bigContent(1))};
        QElapsedTimer timer; // spreads the kills over about one write; the verdict never uses it
        timer.start();
        QVERIFY(writeLines(file, bigContent(1)));
        std::uniform_int_distribution<unsigned long> killAfterMicroseconds(
            0, static_cast<unsigned long>(timer.nsecsElapsed() / 1000));
        std::mt19937 rng(2350);
        for (int round = 0; round < 200; ++round) {
            QVERIFY(writeLines(file, {"", "old", ""}));
            QProcess writer;
            writer.start(QCoreApplication::applicationFilePath(), {"--write-until-killed", file});
            const int wholeWrites = round % 3;
            for (int done = 0; done < wholeWrites; ++done) {
                while (!writer.canReadLine())
                    QVERIFY(writer.waitForReadyRead(-1));
                QCOMPARE(writer.readLine(), "written\n");
            }
            QThread::usleep(killAfterMicroseconds(rng));
            writer.kill(); // SIGKILL: no chance to clean up
            QVERIFY(writer.waitForFinished(-1) && writer.exitStatus() == QProcess::CrashExit);
            const QByteArray now = fileContent(file);
            QVERIFY2(std::find(written.begin(), written.end(), now) != written.end() ||
                         (now == old && wholeWrites == 0),
                     qPrintable(QStringLiteral("round %1 cut or lost the file").arg(round)));
        }
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
