// The data files as their readers see them: lines with every kind of line end, also where the
// reader's 64 KiB blocks meet; the pair lists and the settings file, damaged and odd ones among
// them, where a FIFO is refused rather than waited on; and writes that a kill at any moment cannot
// cut off.
#include "core/pairlist.h"
#include "core/settingsfile.h"
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

using namespace Qt::StringLiterals;
using namespace zental;

// A value line in a failure report: the text, or "none" when there is no such line.
static char* toString(const std::optional<QString>& line) {
    return line ? QTest::toString(*line) : qstrdup("none");
}

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

// Every byte value but CR and LF.
const QByteArray junk = [] {
    QByteArray bytes;
    for (int b = 0; b < 256; ++b)
        bytes += b == '\r' || b == '\n' ? "" : QByteArray(1, char(b));
    return bytes;
}();

// HERE stands for the file's folder.
const QString unreadableList = u"The file \"HERE/list.ini\" could not be read."_s;
const QString notSaved =
    u"The NT value could not be saved: \"HERE/ZENTAL.ini\" could not be written."_s;

struct PairFile {
    QByteArray content;             // at list.ini: bytes or a tag
    QStringList names{};            // the names read
    std::optional<QString> last{};  // the value of the last whole pair
    int index = 0;                  // the pair whose value line is read on its own
    std::optional<QString> value{}; // that value line
    QString refusal{};              // why neither reader reads the file
};

struct SettingsFile {
    QByteArray content;          // at ZENTAL.ini: bytes or a tag
    std::optional<QString> nt{}; // line 2, the NT value
    bool rewrite;                // to be written anew at start-up
    QByteArray saved;            // ZENTAL.ini once the value read is saved: bytes or a tag
    QString refusal{};           // why it cannot be saved
};

template <typename Case> void addRow(const char* name, const Case& data) {
    QTest::newRow(name) << data;
}

} // namespace

class tst_DataFiles : public QObject {
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

    // Compounds.ini and Profiles.ini: the names of the first 51 pairs, and a pair's value line as
    // the file holds it when the entry is used.
    void pairList_data() {
        QTest::addColumn<PairFile>("file");
        const QByteArray two = "Water\r\n42.5\r\nSalt\r\n12\r\n";
        const QByteArray binary = "Water\r\n42.5\r\n\0bin\0ary\r\n\0\x01\x02\x7f\r\nJunk\r\n"_ba +
                                  junk + "\r\nSalt\r\n12\r\n";
        const QByteArray badUtf8 =
            "M\xfcnchen\r\n42.5\r\nBern\xc3\r\n12\r\nBad\r\n4\xff"_ba + "2\r\n";
        const QByteArray fiftyMegabytes =
            pairs(51) + QByteArray("Entry\r\n1\r\n").repeated(5 << 20);
        QStringList fiftyOne;
        for (int k = 0; k < 51; ++k)
            fiftyOne << u"Entry %1"_s.arg(k);
        // clang-format off
        addRow<PairFile>("two pairs", {.content = two, .names = {"Water", "Salt"}, .last = "12", .index = 0, .value = "42.5"});
        addRow<PairFile>("nothing chosen", {.content = two, .names = {"Water", "Salt"}, .last = "12", .index = -1});
        addRow<PairFile>("pair beyond the end", {.content = "Water\r\n42.5\r\n", .names = {"Water"}, .last = "42.5", .index = 1});
        addRow<PairFile>("last name without value", {.content = "Water\r\n42.5\r\nBenzene", .names = {"Water", "Benzene"}, .last = "42.5", .index = 1});
        addRow<PairFile>("empty file", {.content = ""});
        addRow<PairFile>("binary with NUL bytes", {.content = binary, .names = {"Water", u"\0bin\0ary"_s, "Junk", "Salt"}, .last = "12", .index = 1, .value = u"\0\x01\x02\x7f"_s});
        addRow<PairFile>("invalid UTF-8", {.content = badUtf8, .names = {u"M\ufffdnchen"_s, u"Bern\ufffd"_s, "Bad"}, .last = u"4\ufffd2"_s, .index = 2, .value = u"4\ufffd2"_s});
        addRow<PairFile>("50 MB, 51 pairs read", {.content = fiftyMegabytes, .names = fiftyOne, .last = "51", .index = 50, .value = "51"});
        addRow<PairFile>("missing", {.content = missing, .refusal = unreadableList});
        addRow<PairFile>("folder", {.content = folder, .refusal = unreadableList});
        addRow<PairFile>("FIFO without writer", {.content = fifo, .refusal = unreadableList});
        // clang-format on
    }
    void pairList() {
        QFETCH(PairFile, file);
        QTemporaryDir dir;
        const QString list = dir.filePath(u"list.ini"_s);
        QVERIFY(plant(list, file.content));
        const Result<PairNames> read = readPairNames(list);
        const Result<std::optional<QString>> value = readPairValue(list, file.index);
        const QString refusal = file.refusal.replace(u"HERE"_s, dir.path());
        QCOMPARE(read ? QString() : read.error(), refusal);
        QCOMPARE(value ? QString() : value.error(), refusal);
        QCOMPARE(read.value_or({}).names, file.names);
        QCOMPARE(read.value_or({}).lastValue, file.last);
        QCOMPARE(value.value_or({}), file.value);
    }

    // ZENTAL.ini: its second line is the NT value; one of under three lines is to be written anew.
    // Saving writes an empty line, the value and an empty line.
    void settingsFile_data() {
        QTest::addColumn<SettingsFile>("file");
        const QByteArray crlf = "\r\n", none = "\r\n\r\n\r\n", nt = "\r\n47000\r\n\r\n";
        const QByteArray nulNt = "47\0\0"_ba + "00", longNt(40000, '4'), badNt = "47\xff"_ba + "0";
        const QByteArray five = "first\r\n47000\r\nthird\r\nfourth\r\nfifth\r\n";
        const QByteArray binary = "\0\x01\xfe\xff"_ba + crlf + nulNt + crlf + junk + crlf;
        const QByteArray longLine = crlf + longNt + crlf + crlf,
                         badLine = crlf + badNt + crlf + crlf;
        const QString nulText = QString::fromLatin1(nulNt), longText = QString::fromLatin1(longNt);
        // clang-format off
        addRow<SettingsFile>("missing", {.content = missing, .rewrite = true, .saved = none});
        addRow<SettingsFile>("folder", {.content = folder, .rewrite = true, .saved = folder, .refusal = notSaved});
        addRow<SettingsFile>("FIFO without writer", {.content = fifo, .rewrite = true, .saved = none});
        addRow<SettingsFile>("two lines", {.content = "\n47000", .nt = "47000", .rewrite = true, .saved = nt});
        addRow<SettingsFile>("five lines", {.content = five, .nt = "47000", .rewrite = false, .saved = nt});
        addRow<SettingsFile>("binary with NUL bytes", {.content = binary, .nt = nulText, .rewrite = false, .saved = crlf + nulNt + crlf + crlf});
        addRow<SettingsFile>("NT value of 40000 digits", {.content = longLine, .nt = longText, .rewrite = false, .saved = longLine});
        addRow<SettingsFile>("invalid UTF-8 in the NT value", {.content = badLine, .nt = u"47\ufffd0"_s, .rewrite = false, .saved = crlf + "47\xef\xbf\xbd"_ba + "0" + crlf + crlf});
        // clang-format on
    }
    void settingsFile() {
        QFETCH(SettingsFile, file);
        QTemporaryDir dir;
        const QString settings = dir.filePath(settingsFileName);
        QVERIFY(plant(settings, file.content));
        const StoredSettings read = readSettings(settings);
        QCOMPARE(read.ntValue, file.nt);
        QCOMPARE(read.needsRewrite, file.rewrite);
        const Status saved = writeSettings(settings, read.ntValue.value_or(QString()));
        QCOMPARE(saved ? QString() : saved.error(), file.refusal.replace(u"HERE"_s, dir.path()));
        QCOMPARE(state(settings), file.saved);
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
    tst_DataFiles test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_datafiles.moc"
