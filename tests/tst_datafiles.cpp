// The data files as their readers see them: every kind of line end, also where the reader's 64 KiB
// blocks meet; UTF-8 and the Windows original's Windows-1252; damaged and odd pair lists and
// settings files, a FIFO refused rather than waited on; and writes that a kill at any moment
// cannot cut off.
#include "core/pairlist.h"
#include "core/settingsfile.h"
#include "core/textfile.h"
#include "support/files.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
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

// Every byte value but CR and LF.
const QByteArray junk = [] {
    QByteArray bytes;
    for (int b = 0; b < 256; ++b)
        bytes += b == '\r' || b == '\n' ? "" : QByteArray(1, char(b));
    return bytes;
}();

struct PairFile {
    QByteArray content;             // at list.ini: bytes or a tag
    QStringList names{};            // the names read
    std::optional<QString> last{};  // the value of the last whole pair
    int index = 0;                  // the pair whose value line is read on its own
    std::optional<QString> value{}; // that value line
    QString refusal{};              // why neither reader reads it; HERE is its folder
};

struct SettingsFile {
    QByteArray content;          // at ZENTAL.ini: bytes or a tag
    std::optional<QString> nt{}; // line 2, the NT value
    bool rewrite;                // to be written anew at start-up
    QByteArray saved;            // ZENTAL.ini once the value read is saved: bytes or a tag
    QString refusal{};           // why it cannot be saved; HERE is its folder
};

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
        row("CR, LF and CR LF", "A\rB\nC\r\nD\r\n", 0, {"A", "B", "C", "D"});
        row("empty lines, LF CR is two ends", "\r\n\n\rB", 0, {"", "", "", "B"});
        row("blanks and UTF-8 kept", " M\xc3\xbcnchen \r\n", 0, {" M\u00fcnchen "});
        row("Windows-1252 where not UTF-8, each line", "Z\xfcrich \x80\x81\x9f\r\nK\xc3\xb6ln", 0,
            {u"Z\u00fcrich \u20ac\u0081\u0178"_s, u"K\u00f6ln"_s});
        row("line over blocks, CR LF across two", "~\r\nB", 3 * block - 1, {"~", "B"});
        row("CR ends a block", "~\rB", block - 1, {"~", "B"});
        row("CR ends a block and the file", "~\r", block - 1, {"~"});
        row("line end just after a block, after a line", "A\r\n~\r\nB", block - 2, {"A", "~", "B"});
    }

    void readLines() {
        QFETCH(QByteArray, content);
        QFETCH(int, filler);
        QFETCH(QStringList, expected);
        QVERIFY(writeFile(path("f.ini"), content.replace('~', QByteArray(filler, 'x'))));
        expected.replaceInStrings("~", QString(filler, u'x'));
        QCOMPARE(zental::readLines(path("f.ini"), 100).value_or({"refused"}), expected);
        QCOMPARE(*zental::readLines(path("f.ini"), 1), expected.mid(0, 1)); // stops where asked
    }

    // Compounds.ini and Profiles.ini: the names of the first 51 pairs, and a pair's value line as
    // the file holds it when the entry is used.
    void pairList_data() {
        QTest::addColumn<PairFile>("file");
        // clang-format off
        QTest::newRow("two pairs, nothing chosen") << PairFile{.content = "Water\r\n42.5\r\nSalt\r\n12\r\n", .names = {"Water", "Salt"}, .last = "12", .index = -1};
        QTest::newRow("last name without value") << PairFile{.content = "Water\r\n42.5\r\nBenzene", .names = {"Water", "Benzene"}, .last = "42.5", .index = 1};
        QTest::newRow("empty file") << PairFile{.content = ""};
        QTest::newRow("NUL bytes and invalid UTF-8") << PairFile{.content = "M\xfcnchen\r\n42.5\r\n\0Bern\0\xc3\r\n\0\x01\xff\x7f\r\nJunk\r\n"_ba + junk + "\r\nSalt\r\n12\r\n", .names = {u"M\u00fcnchen"_s, u"\0Bern\0\u00c3"_s, "Junk", "Salt"}, .last = "12", .index = 1, .value = u"\0\x01\u00ff\x7f"_s};
        QTest::newRow("50 MB, 51 pairs read") << PairFile{.content = pairs(51) + QByteArray("Entry\r\n1\r\n").repeated(5 << 20), .names = QString(pairs(51)).split(QRegularExpression("\r\n\\d+\r\n"), Qt::SkipEmptyParts), .last = "51", .index = 50, .value = "51"};
#ifndef Q_OS_WIN // Windows has no FIFOs among its files
        QTest::newRow("FIFO without writer") << PairFile{.content = fifo, .refusal = u"The file \"HERE/list.ini\" could not be read."_s};
#endif
        // clang-format on
    }
    void pairList() {
        QFETCH(PairFile, file);
        const QString list = path(u"list.ini"_s);
        QVERIFY(plant(list, file.content));
        const Result<PairNames> read = readPairNames(list);
        const Result<std::optional<QString>> value = readPairValue(list, file.index);
        const QString refusal =
            QDir::toNativeSeparators(file.refusal.replace(u"HERE"_s, m_dir.path()));
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
        const QByteArray digits(40000, '4'), odd = "\0\x01\xfe\xff"_ba + crlf;
        // clang-format off
        QTest::newRow("missing") << SettingsFile{.content = missing, .rewrite = true, .saved = none};
        QTest::newRow("folder") << SettingsFile{.content = folder, .rewrite = true, .saved = folder, .refusal = u"The NT value could not be saved: \"HERE/ZENTAL.ini\" could not be written."_s};
#ifndef Q_OS_WIN // Windows has no FIFOs among its files
        QTest::newRow("FIFO without writer") << SettingsFile{.content = fifo, .rewrite = true, .saved = none};
#endif
        QTest::newRow("two lines") << SettingsFile{.content = "\n47000", .nt = "47000", .rewrite = true, .saved = nt};
        QTest::newRow("five lines") << SettingsFile{.content = "first\r\n47000\r\nthird\r\nfourth\r\nfifth\r\n", .nt = "47000", .rewrite = false, .saved = nt};
        QTest::newRow("NT value of 40000 digits, NUL bytes and invalid UTF-8") << SettingsFile{.content = odd + digits + "\0\xff"_ba + "0" + crlf + junk + crlf, .nt = QString::fromLatin1(digits) + u"\0\u00ff0"_s, .rewrite = false, .saved = crlf + digits + "\0\xc3\xbf"_ba + "0" + crlf + crlf};
        // clang-format on
    }
    void settingsFile() {
        QFETCH(SettingsFile, file);
        const QString settings = path(settingsFileName);
        QVERIFY(plant(settings, file.content));
        const StoredSettings read = readSettings(settings);
        QCOMPARE(read.ntValue, file.nt);
        QCOMPARE(read.needsRewrite, file.rewrite);
        const Status saved = writeSettings(settings, read.ntValue.value_or(QString()));
        QCOMPARE(saved ? QString() : saved.error(),
                 QDir::toNativeSeparators(file.refusal.replace(u"HERE"_s, m_dir.path())));
        QCOMPARE(state(settings), file.saved);
    }

    // Every byte of a file that is not UTF-8 reads as a character that writes back as that byte;
    // a letter Windows-1252 lacks is written as Windows writes it, "?".
    void windows1252RoundTrip() {
        QCOMPARE(encodingOf(junk), TextEncoding::Windows1252);
        QCOMPARE(encodeText(decodeText(junk), TextEncoding::Windows1252), junk);
        QCOMPARE(encodeText(u"\u0141\u00f3d\u017a \u20ac"_s, TextEncoding::Windows1252),
                 "?\xf3\x64? \x80");
    }

    // Each round kills the writer after none, one or two whole writes, at a random moment of the
    // next: while it fills, syncs or renames the temporary file, or between writes. The file
    // must then hold a whole content, and never the old one once a write was reported done.
    void killedWriterLeavesAWholeFile() {
        const QString file = path("killed.ini");
        const std::array<QByteArray, 2> written{(bigContent(0).join("\r\n") + "\r\n").toUtf8(),
                                                (bigContent(1).join("\r\n") + "\r\n").toUtf8()};
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
                QCOMPARE(writer.readLine().trimmed(), "written"); // CR LF on Windows
            }
            QThread::usleep(killAfterMicroseconds(rng));
            writer.kill(); // SIGKILL: no chance to clean up
            QVERIFY(writer.waitForFinished(-1) && writer.exitStatus() == QProcess::CrashExit);
            const QByteArray now = fileContent(file);
            QVERIFY2(std::find(written.begin(), written.end(), now) != written.end() ||
                         (now == "\r\nold\r\n\r\n" && wholeWrites == 0),
                     qPrintable(QStringLiteral("round %1 cut or lost the file").arg(round)));
        }
        QVERIFY(writeLines(file, {"", "after", ""}));
        QCOMPARE(fileContent(file), QByteArray("\r\nafter\r\n\r\n"));
    }
};

int main(int argc, char* argv[]) {
    const QCoreApplication app(argc, argv);
    // The kill test's writer: writes the two contents in turn, saying so after each, until killed.
    if (argc == 3 && QByteArray(argv[1]) == "--write-until-killed") {
        std::setvbuf(stdout, nullptr, _IONBF, 0);
        for (int which = 0; writeLines(QString::fromLocal8Bit(argv[2]), bigContent(which));
             which = 1 - which)
            std::puts("written");
        return 1;
    }
    tst_DataFiles test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_datafiles.moc"
