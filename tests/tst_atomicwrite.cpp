// A writer killed at a random moment leaves its data file with the old or a complete new
// content, never a cut-off one, and writing the file again afterwards works.
#include "support/atomiccontents.h"
#include "textfile.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <algorithm>
#include <array>
#include <random>

namespace {

constexpr int rounds = 200;
constexpr std::uint32_t seed = 2350;

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// The helper prints "start" and "done" around each write: a kill after a "start" without its
// "done" fell amid a write.
bool killedAmidWrite(const QByteArray& helperOutput) {
    return helperOutput.trimmed().endsWith("start");
}

// How long the helper takes for one write here: from its first "start" to its third "done",
// over three. Debug and sanitizer builds write several times slower than release builds.
qint64 microsecondsPerWrite(const QString& path) {
    QProcess writer;
    writer.start(QStringLiteral(ATOMICWRITER_PATH), {path});
    if (!writer.waitForReadyRead(10'000))
        return -1;
    QElapsedTimer timer;
    timer.start();
    QByteArray output = writer.readAllStandardOutput();
    while (output.count("done") < 3)
        if (writer.waitForReadyRead(10'000))
            output += writer.readAllStandardOutput();
        else
            return -1;
    const qint64 elapsed = timer.nsecsElapsed() / 1000;
    writer.kill();
    writer.waitForFinished();
    return elapsed / 3;
}

} // namespace

class tst_AtomicWrite : public QObject {
    Q_OBJECT
private slots:
    void killedWriterLeavesAWholeFile();
};

void tst_AtomicWrite::killedWriterLeavesAWholeFile() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("ZENTAL.ini"));
    const std::array<QByteArray, 3> wholeContents{QByteArray("\r\nold\r\n\r\n"),
                                                  atomicWriteBytes(0), atomicWriteBytes(1)};
    QVERIFY(zental::writeLines(path, {"", "old", ""}));

    const qint64 perWrite = microsecondsPerWrite(path);
    QVERIFY2(perWrite >= 0, "the writer did not write");
    std::mt19937 rng(seed);
    // Kills spread over the first three writes fall at every stage of a write: filling the
    // temporary file, syncing it, renaming it, and between writes.
    std::uniform_int_distribution<qint64> killAfterMicroseconds(0, 3 * perWrite);
    std::array<int, 3> found{};
    int amidWrite = 0;
    for (int round = 0; round < rounds; ++round) {
        QProcess writer;
        writer.start(QStringLiteral(ATOMICWRITER_PATH), {path});
        QVERIFY2(writer.waitForReadyRead(10'000), "the writer did not start writing");
        QThread::usleep(static_cast<unsigned long>(killAfterMicroseconds(rng)));
        writer.kill(); // SIGKILL: no chance to clean up
        QVERIFY(writer.waitForFinished(10'000));
        QCOMPARE(writer.exitStatus(), QProcess::CrashExit); // it was writing, not failing

        const QByteArray now = contentOf(path);
        const auto whole = std::find(wholeContents.begin(), wholeContents.end(), now);
        QVERIFY2(whole != wholeContents.end(),
                 qPrintable(QStringLiteral("round %1: a file of %2 bytes is no whole content")
                                .arg(round)
                                .arg(now.size())));
        ++found[static_cast<size_t>(whole - wholeContents.begin())];
        amidWrite += killedAmidWrite(writer.readAllStandardOutput());
    }
    qInfo("%d kills within %lld us of the start, %d of them amid a write: %d left the first "
          "content, %d the second, %d the old one",
          rounds, 3 * perWrite, amidWrite, found[1], found[2], found[0]);
    // Unless most kills fell amid writes, and each content was written whole, nothing was shown.
    QVERIFY(amidWrite > rounds / 2 && found[1] > 0 && found[2] > 0);
    QVERIFY(zental::writeLines(path, {"", "after", ""}));
    QCOMPARE(contentOf(path), QByteArray("\r\nafter\r\n\r\n"));
}

QTEST_GUILESS_MAIN(tst_AtomicWrite)
#include "tst_atomicwrite.moc"
