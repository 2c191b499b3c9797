// Damaged and unusual data files on the real windows, each case in a fresh temporary folder:
// ZENTAL.ini, Compounds.ini and Profiles.ini unreadable (a folder, or a FIFO no program writes
// to), empty, binary with NUL bytes, 50 MB long, holding one 10 MB line, with mixed line ends or
// invalid UTF-8; a data file deleted, shortened or replaced between a refresh and its use; and
// files that cannot be written. Nothing may crash or hang, no file the program has no reason to
// write may change, the windows stay usable, and the user is told of every failure that matters.
#include "support/windowfixture.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QMainWindow>

#include <atomic>
#include <chrono>
#include <optional>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

// ---- Texts the windows show -------------------------------------------------------------------

const QString compoundsUnreadable = QStringLiteral("The file \"Compounds.ini\" could not be read.");
const QString selectCompoundFirst = QStringLiteral("Select Compound First and try again.");
const QString invalidNtValue =
    QStringLiteral("Enter a valid NT value (the field strength in nanotesla, for example 50000) "
                   "and press the element again.");
const QString settingsNotSaved =
    QStringLiteral("The NT value could not be saved: \"ZENTAL.ini\" could not be written.");

// The profiles window names its file by the working folder's absolute path.
QString profilesPath() {
    return QDir::currentPath() + QStringLiteral("/Profiles.ini");
}
QString profilesUnreadable() {
    return QStringLiteral("The file \"%1\" could not be read.").arg(profilesPath());
}

// ---- File contents ----------------------------------------------------------------------------

constexpr qsizetype megabyte = 1024 * 1024;

// Pairs "Entry k" / "k+1" filling 50 MB: at the NT value 7050 the compound frequency of
// entry k is k+1. Built once: the rows share the bytes.
const QByteArray& fiftyMegabytesOfPairs() {
    static const QByteArray bytes = [] {
        QByteArray content;
        content.reserve(50 * megabyte + 64);
        for (int k = 0; content.size() < 50 * megabyte; ++k)
            content +=
                "Entry " + QByteArray::number(k) + "\r\n" + QByteArray::number(k + 1) + "\r\n";
        return content;
    }();
    return bytes;
}

const QByteArray& tenMegabyteLine() {
    static const QByteArray bytes(10 * megabyte, 'x');
    return bytes;
}

// Every byte value but CR and LF, NUL first: one line of binary junk.
QByteArray allBytesButLineEnds() {
    QByteArray bytes;
    for (int b = 0; b < 256; ++b)
        if (b != '\r' && b != '\n')
            bytes += char(b);
    return bytes;
}

// A literal's bytes, NULs included, without the terminating one.
template <qsizetype N> QByteArray literalBytes(const char (&text)[N]) {
    return QByteArray(text, N - 1);
}

QStringList entryNames(int count) {
    QStringList names;
    for (int k = 0; k < count; ++k)
        names << QStringLiteral("Entry %1").arg(k);
    return names;
}

// The settings row whose NT value is longer than a line edit holds by default.
constexpr char overlongNtValueRow[] = "NT value of 40000 digits";

// ---- Putting a fault in place ------------------------------------------------------------------

enum class Plant { Bytes, Folder, Fifo };

// Stands a FIFO in for a data file and watches the GUI thread meanwhile. Opening a FIFO blocks
// until its other end is opened too; when the watched thread is seen waiting in an open of this
// FIFO, the guard counts it and opens the other end for a moment, so that the test can report
// the blocked open instead of hanging in it.
class FifoGuard {
public:
    // Makes the FIFO `name` in the working folder; watches the calling thread.
    explicit FifoGuard(const QString& name)
        : m_path(QFileInfo(name).absoluteFilePath().toLocal8Bit())
        , m_thread(gettid()) {
        struct stat st {};
        if (mkfifo(m_path.constData(), 0644) != 0 || stat(m_path.constData(), &st) != 0)
            return;
        m_device = st.st_dev;
        m_inode = st.st_ino;
        m_memory = ::open("/proc/self/mem", O_RDONLY | O_CLOEXEC);
        if (m_memory < 0 || syscallLine().isEmpty())
            return; // this kernel does not show what the thread waits in
        m_watcher = std::thread([this] { watch(); });
    }
    ~FifoGuard() {
        m_stop = true;
        if (m_watcher.joinable())
            m_watcher.join();
        for (const int fd : m_drained)
            ::close(fd);
        if (m_memory >= 0)
            ::close(m_memory);
    }
    FifoGuard(const FifoGuard&) = delete;
    FifoGuard& operator=(const FifoGuard&) = delete;

    bool watching() const { return m_watcher.joinable(); }
    int blockedOpens() const { return m_blocked; }

private:
    QByteArray syscallLine() const {
        QFile file(QStringLiteral("/proc/self/task/%1/syscall").arg(m_thread));
        return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed() : QByteArray();
    }

    // The access mode when the watched thread is inside an open of the FIFO.
    std::optional<int> openOfTheFifo(const QByteArray& line) const {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() < 4)
            return std::nullopt;
        const long number = fields[0].toLong();
        int pathField = 0;
        if (number == SYS_openat)
            pathField = 2;
#ifdef SYS_open
        else if (number == SYS_open)
            pathField = 1;
#endif
        else
            return std::nullopt;
        const qulonglong address = fields[pathField].toULongLong(nullptr, 0);
        char path[4096] = {};
        if (pread(m_memory, path, sizeof path - 1, off_t(address)) <= 0)
            return std::nullopt;
        struct stat st {};
        if (stat(path, &st) != 0 || st.st_dev != m_device || st.st_ino != m_inode)
            return std::nullopt;
        return int(fields[pathField + 1].toULongLong(nullptr, 0) & O_ACCMODE);
    }

    void watch() {
        QByteArray previous;
        QByteArray released;
        while (!m_stop) {
            const QByteArray line = syscallLine();
            const std::optional<int> mode = openOfTheFifo(line);
            if (!mode) {
                released.clear();
            } else if (line == previous || line == released) {
                // Seen in the same open twice: waiting there, not passing through.
                if (line != released)
                    ++m_blocked;
                released = line;
                release(*mode);
            }
            previous = mode ? line : QByteArray();
            drain();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }

    void release(int waitingMode) {
        if (waitingMode == O_RDONLY) {
            const int fd = ::open(m_path.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0)
                ::close(fd); // the reader goes on and meets the end of the file
        } else {
            const int fd = ::open(m_path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0)
                m_drained.push_back(fd); // takes what the writer writes, so it never stalls
        }
    }

    void drain() {
        char buffer[65536];
        for (const int fd : m_drained)
            while (::read(fd, buffer, sizeof buffer) > 0) {
            }
    }

    QByteArray m_path;
    pid_t m_thread;
    dev_t m_device = 0;
    ino_t m_inode = 0;
    int m_memory = -1;
    std::vector<int> m_drained;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_blocked{0};
    std::thread m_watcher;
};

// Puts the fault in place of data file `name` in the working folder.
void putInPlace(Plant how, const QString& name, const QByteArray& content,
                std::optional<FifoGuard>& fifo) {
    switch (how) {
    case Plant::Bytes:
        QVERIFY(writeFile(name, content));
        break;
    case Plant::Folder:
        QVERIFY(QDir().mkdir(name));
        break;
    case Plant::Fifo:
        fifo.emplace(name);
        break;
    }
}

// Ends the test when the fault could not be put in place, or its FIFO cannot be watched.
#define READY_OR_RETURN(fifo)                                                                      \
    do {                                                                                           \
        if (QTest::currentTestFailed())                                                            \
            return;                                                                                \
        if ((fifo) && !(fifo)->watching())                                                         \
            QSKIP("cannot see whether the GUI thread waits for a FIFO here");                      \
    } while (false)

// The bytes of a regular file; a folder or a FIFO is never opened, since reading a FIFO waits.
QByteArray contentOf(const QString& name) {
    return QFileInfo(name).isFile() ? fileContent(name) : QByteArray("<not a regular file>");
}

bool isFifo(const QString& name) {
    struct stat st {};
    return stat(QFile::encodeName(name).constData(), &st) == 0 && S_ISFIFO(st.st_mode);
}

// Whether the data file is still what was planted; a folder or a FIFO is never opened.
bool untouched(Plant how, const QString& name, const QByteArray& content) {
    switch (how) {
    case Plant::Bytes:
        return contentOf(name) == content;
    case Plant::Folder:
        return QFileInfo(name).isDir();
    case Plant::Fifo:
        return isFifo(name);
    }
    return false;
}

// What a data file has become, or a long file's difference, in a few words rather than bytes.
QByteArray difference(const QString& name, const QByteArray& expected) {
    const QFileInfo info(name);
    if (!info.isFile())
        return name.toUtf8() + (info.isDir()    ? " is a folder"
                                : isFifo(name)  ? " is a FIFO"
                                : info.exists() ? " is no regular file"
                                                : " is missing");
    const QByteArray actual = contentOf(name);
    qsizetype at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at])
        ++at;
    if (actual == expected)
        return name.toUtf8() + " holds the expected " + QByteArray::number(actual.size()) +
               " bytes";
    return name.toUtf8() + " holds " + QByteArray::number(actual.size()) + " bytes, expected " +
           QByteArray::number(expected.size()) + "; first difference at byte " +
           QByteArray::number(at);
}

#define VERIFY_UNTOUCHED(how, name, content)                                                       \
    QVERIFY2(untouched(how, name, content), difference(name, content).constData())

#define VERIFY_HOLDS(name, content)                                                                \
    QVERIFY2(contentOf(name) == (content), difference(name, content).constData())

// Every control of the main window enabled, and an element press still answers without a
// message.
void verifyMainWindowUsable(WindowFixture& f) {
    for (const char* name : {"NT_V", "Combo1", "C_F", "ComP", "R_Combo", "Command36"})
        QVERIFY2(f.control(name)->isEnabled(), name);
    QVERIFY(f.window->findChild<QAction*>("Profiles")->isEnabled());
    const QStringList before = f.messages.shown;
    f.typeNtValue("50000");
    f.click("Command0");
    QCOMPARE(f.text("NMR_E"), "Hydrogen");
    QCOMPARE(f.text("NMR_f_0"), "2127.65957446808");
    QCOMPARE(f.messages.shown, before);
}

#define VERIFY_MAIN_WINDOW_USABLE(f)                                                               \
    do {                                                                                           \
        verifyMainWindowUsable(f);                                                                 \
        if (QTest::currentTestFailed())                                                            \
            return;                                                                                \
    } while (false)

QStringList items(const QComboBox* combo) {
    QStringList names;
    for (int i = 0; i < combo->count(); ++i)
        names << combo->itemText(i);
    return names;
}

// Compares lists that may hold a 10 MB name without printing it.
QByteArray listDifference(const QStringList& actual, const QStringList& expected) {
    if (actual.size() != expected.size())
        return "the list has " + QByteArray::number(actual.size()) + " names, expected " +
               QByteArray::number(expected.size());
    for (qsizetype k = 0; k < actual.size(); ++k)
        if (actual[k] != expected[k])
            return "name " + QByteArray::number(k) + " is \"" + actual[k].left(40).toUtf8() +
                   "\" (" + QByteArray::number(actual[k].size()) + " characters), expected \"" +
                   expected[k].left(40).toUtf8() + "\" (" + QByteArray::number(expected[k].size()) +
                   " characters)";
    return {};
}

#define COMPARE_LIST(actual, expected)                                                             \
    QVERIFY2((actual) == (expected), listDifference(actual, expected).constData())

QMainWindow* openProfiles(WindowFixture& f) {
    f.window->findChild<QAction*>("Profiles")->trigger();
    return f.window->findChild<QMainWindow*>("Form5");
}

QString ntValue(const WindowFixture& f) {
    return f.control<QLineEdit>("NT_V")->text();
}

// ---- Files deleted, shortened or replaced after a refresh -------------------------------------

enum class Change { Deleted, Shortened, Folder, Fifo };

void addChangeRows() {
    QTest::addColumn<Change>("change");
    QTest::newRow("deleted") << Change::Deleted;
    QTest::newRow("shortened") << Change::Shortened;
    QTest::newRow("replaced by a folder") << Change::Folder;
    QTest::newRow("replaced by a FIFO without writer") << Change::Fifo;
}

void applyChange(Change change, const QString& name, const QByteArray& shorter,
                 std::optional<FifoGuard>& fifo) {
    if (change != Change::Shortened)
        QVERIFY(QFile::remove(name));
    switch (change) {
    case Change::Deleted:
        break;
    case Change::Shortened:
        QVERIFY(writeFile(name, shorter));
        break;
    case Change::Folder:
        QVERIFY(QDir().mkdir(name));
        break;
    case Change::Fifo:
        fifo.emplace(name);
        break;
    }
}

void undoChange(const QString& name, const QByteArray& content) {
    if (QFileInfo(name).isDir())
        QVERIFY(QDir().rmdir(name));
    else if (QFileInfo::exists(name))
        QVERIFY(QFile::remove(name));
    QVERIFY(writeFile(name, content));
}

// The one verdict on FIFOs: opening one that has no writer must not block the program.
#define VERIFY_NO_BLOCKED_OPEN(fifo)                                                               \
    do {                                                                                           \
        if (fifo)                                                                                  \
            QCOMPARE(fifo->blockedOpens(), 0);                                                     \
    } while (false)

// ---- Leaving no trace outside the working folder ------------------------------------------------

// When the working folder has gone, the profiles window must not put its file elsewhere. Removes
// the file it finds at the root afterwards, but only one it made itself: the example content in
// a file that was not there before.
class RootProfilesFile {
public:
    static inline const QString path = QStringLiteral("/Profiles.ini");
    RootProfilesFile()
        : m_existedBefore(QFileInfo::exists(path)) {}
    ~RootProfilesFile() {
        if (!m_existedBefore && contentOf(path) == "Location Name\r\nNT Value\r\n")
            QFile::remove(path);
    }
    bool existedBefore() const { return m_existedBefore; }

private:
    bool m_existedBefore;
};

} // namespace

Q_DECLARE_METATYPE(Plant)
Q_DECLARE_METATYPE(Change)

class tst_FileFaults : public QObject {
    Q_OBJECT
private slots:
    void settingsFile_data();
    void settingsFile();
    void compoundFile_data();
    void compoundFile();
    void profileFile_data();
    void profileFile();
    void compoundFileChangesAfterRefresh_data() { addChangeRows(); }
    void compoundFileChangesAfterRefresh();
    void profileFileChangesAfterRefresh_data() { addChangeRows(); }
    void profileFileChangesAfterRefresh();
    void workingFolderRemoved_data();
    void workingFolderRemoved();
};

// ZENTAL.ini: read at start-up, written at shut-down (and at start-up when it is short or
// unreadable). A file of three or more lines is left alone at start-up; shut-down stores what the
// NT value box holds, or tells the user that it could not.
void tst_FileFaults::settingsFile_data() {
    QTest::addColumn<Plant>("plant");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("storedNtValue"); // in the box after start-up
    QTest::addColumn<bool>("keptAtStartUp");    // start-up does not write the file
    QTest::addColumn<bool>("ntValueValid");     // an element press computes with it
    QTest::addColumn<QByteArray>("atShutDown"); // the file after shut-down; empty: unwritable

    const QByteArray crlf = "\r\n";
    QTest::newRow("folder") << Plant::Folder << QByteArray() << "" << false << false
                            << QByteArray();
    QTest::newRow("FIFO without writer")
        << Plant::Fifo << QByteArray() << "" << false << false << QByteArray("\r\n\r\n\r\n");
    QTest::newRow("empty") << Plant::Bytes << QByteArray() << "" << false << false
                           << QByteArray("\r\n\r\n\r\n");
    const QByteArray nulNtValue = literalBytes("47\0\0"
                                               "00");
    QTest::newRow("binary with NUL bytes")
        << Plant::Bytes
        << literalBytes("\0\x01\xfe\xff") + crlf + nulNtValue + crlf + allBytesButLineEnds() + crlf
        << QString("47") + QChar(0) + QChar(0) + "00" << true << false
        << crlf + nulNtValue + crlf + crlf;
    QTest::newRow("50 MB of lines") << Plant::Bytes << "\r\n47000\r\n\r\n" + fiftyMegabytesOfPairs()
                                    << "47000" << true << true << QByteArray("\r\n47000\r\n\r\n");
    QTest::newRow("10 MB line before the NT value")
        << Plant::Bytes << tenMegabyteLine() + "\r\n47000\r\n\r\n"
        << "47000" << true << true << QByteArray("\r\n47000\r\n\r\n");
    const QByteArray longNtValue(40000, '4');
    QTest::newRow(overlongNtValueRow)
        << Plant::Bytes << crlf + longNtValue + crlf + crlf << QString::fromLatin1(longNtValue)
        << true << false << crlf + longNtValue + crlf + crlf;
    QTest::newRow("mixed line ends") << Plant::Bytes << QByteArray("first\r47000\nthird\r\n")
                                     << "47000" << true << true << QByteArray("\r\n47000\r\n\r\n");
    QTest::newRow("invalid UTF-8 around the NT value")
        << Plant::Bytes << QByteArray("\xff\xfe\r\n47000\r\nCaf\xc3\r\n") << "47000" << true << true
        << QByteArray("\r\n47000\r\n\r\n");
    QTest::newRow("invalid UTF-8 in the NT value") << Plant::Bytes
                                                   << QByteArray("\r\n47\xff"
                                                                 "000\r\n\r\n")
                                                   << "47\ufffd000" << true << false
                                                   << QByteArray("\r\n47\xef\xbf\xbd"
                                                                 "000\r\n\r\n");
}

void tst_FileFaults::settingsFile() {
    QFETCH(Plant, plant);
    QFETCH(QByteArray, content);
    QFETCH(QString, storedNtValue);
    QFETCH(bool, keptAtStartUp);
    QFETCH(bool, ntValueValid);
    QFETCH(QByteArray, atShutDown);
    const bool writable = !atShutDown.isEmpty();

    WindowFixture f;
    std::optional<FifoGuard> fifo;
    putInPlace(plant, "ZENTAL.ini", content, fifo);
    READY_OR_RETURN(fifo);

    // First run: the stored value as found, pressed on an element, stored again at shut-down.
    f.open();
    QVERIFY2(ntValue(f) == storedNtValue,
             qPrintable(QStringLiteral("the box holds %1 characters, expected %2")
                            .arg(ntValue(f).size())
                            .arg(storedNtValue.size())));
    if (keptAtStartUp)
        VERIFY_UNTOUCHED(plant, "ZENTAL.ini", content);
    else if (writable)
        VERIFY_HOLDS("ZENTAL.ini", QByteArray("\r\n\r\n\r\n")); // written anew at once
    else
        QVERIFY(QFileInfo("ZENTAL.ini").isDir());
    QCOMPARE(f.messages.shown, QStringList{}); // a settings file problem waits for shut-down

    f.click("Command0");
    QCOMPARE(f.text("NMR_E"), "Hydrogen");
    QCOMPARE(f.text("NMR_f_0"), ntValueValid ? "2000" : "");
    QCOMPARE(f.messages.shown, ntValueValid ? QStringList{} : QStringList{invalidNtValue});
    f.messages.shown.clear();

    f.window->close();
    if (writable) {
        VERIFY_HOLDS("ZENTAL.ini", atShutDown);
        QCOMPARE(f.messages.shown, QStringList{});
    } else {
        QVERIFY(QFileInfo("ZENTAL.ini").isDir());
        QCOMPARE(f.messages.shown, QStringList{settingsNotSaved});
    }
    f.messages.shown.clear();

    // Second run on what the first left: usable, and a typed value is stored or reported.
    f.open();
    VERIFY_MAIN_WINDOW_USABLE(f);
    f.window->close();
    if (writable) {
        VERIFY_HOLDS("ZENTAL.ini", QByteArray("\r\n50000\r\n\r\n"));
        QCOMPARE(f.messages.shown, QStringList{});
    } else {
        QCOMPARE(f.messages.shown, QStringList{settingsNotSaved});
    }
    VERIFY_NO_BLOCKED_OPEN(fifo);
}

// Compounds.ini: listed at start-up and on Refresh, its values read by position on "Compound
// freq"; the program never writes a file that exists. At the NT value 7050 a compound's
// frequency is its reference value.
void tst_FileFaults::compoundFile_data() {
    QTest::addColumn<Plant>("plant");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<int>("good"); // an entry whose frequency is shown; -1: none
    QTest::addColumn<QString>("goodFrequency");
    QTest::addColumn<int>("bad"); // an entry with no usable value; -1: none

    QTest::newRow("folder") << Plant::Folder << QByteArray() << QStringList{} << -1 << "" << -1;
    QTest::newRow("FIFO without writer")
        << Plant::Fifo << QByteArray() << QStringList{} << -1 << "" << -1;
    QTest::newRow("empty") << Plant::Bytes << QByteArray() << QStringList{} << -1 << "" << -1;
    QTest::newRow("binary with NUL bytes")
        << Plant::Bytes
        << "Water\r\n42.5\r\n" + literalBytes("\0bin\0ary\r\n\0\x01\x02\x7f\r\n") +
               "Salt\r\n12\r\nJunk\r\n" + allBytesButLineEnds() + "\r\n"
        << QStringList{"Water", QString::fromLatin1(literalBytes("\0bin\0ary")), "Salt", "Junk"}
        << 2 << "12" << 1;
    QTest::newRow("50 MB of lines")
        << Plant::Bytes << fiftyMegabytesOfPairs() << entryNames(51) << 50 << "51" << -1;
    QTest::newRow("one 10 MB line")
        << Plant::Bytes << tenMegabyteLine() + "\r\n42.5\r\nWater\r\n12\r\n"
        << QStringList{QString::fromLatin1(tenMegabyteLine()), "Water"} << 1 << "12" << -1;
    QTest::newRow("mixed line ends")
        << Plant::Bytes << QByteArray("Water\r42.5\nSalt\r\n12\rLast\n7050")
        << QStringList{"Water", "Salt", "Last"} << 2 << "7050" << -1;
    QTest::newRow("invalid UTF-8")
        << Plant::Bytes
        << QByteArray("M\xfcnchen\r\n42.5\r\nBern\xc3\r\n12\r\nBad\r\n4\xff"
                      "2\r\n")
        << QStringList{"M\ufffdnchen", "Bern\ufffd", "Bad"} << 1 << "12" << 2;
}

void tst_FileFaults::compoundFile() {
    QFETCH(Plant, plant);
    QFETCH(QByteArray, content);
    QFETCH(QStringList, names);
    QFETCH(int, good);
    QFETCH(QString, goodFrequency);
    QFETCH(int, bad);
    const bool readable = plant == Plant::Bytes;
    const QStringList onRead = readable ? QStringList{} : QStringList{compoundsUnreadable};

    WindowFixture f;
    std::optional<FifoGuard> fifo;
    putInPlace(plant, "Compounds.ini", content, fifo);
    READY_OR_RETURN(fifo);
    f.open();
    auto* combo = f.control<QComboBox>("Combo1");
    COMPARE_LIST(items(combo), names);
    QCOMPARE(f.messages.shown, onRead);
    VERIFY_UNTOUCHED(plant, "Compounds.ini", content);

    f.click("R_Combo");
    COMPARE_LIST(items(combo), names);
    QCOMPARE(f.messages.shown, onRead + onRead);
    f.messages.shown.clear();

    f.typeNtValue("7050");
    if (good >= 0) {
        chooseEntry(combo, good);
        f.click("C_F");
        QCOMPARE(f.text("NMR_E"), names[good]);
        QCOMPARE(f.text("NMR_f_0"), goodFrequency);
        QCOMPARE(f.messages.shown, QStringList{});
    }
    if (bad >= 0) {
        chooseEntry(combo, bad);
        f.click("C_F");
        QCOMPARE(f.text("NMR_E"), names[bad]);
        QCOMPARE(f.messages.shown, QStringList{selectCompoundFirst});
        f.messages.shown.clear();
    }
    if (!readable) {
        f.click("C_F");
        QCOMPARE(f.messages.shown, QStringList{compoundsUnreadable});
        f.messages.shown.clear();
    }
    VERIFY_MAIN_WINDOW_USABLE(f);
    f.window->close();
    VERIFY_UNTOUCHED(plant, "Compounds.ini", content);
    VERIFY_NO_BLOCKED_OPEN(fifo);
}

// Profiles.ini: listed when the window opens and on Refresh, which also copy the last complete
// profile's NT value into the main window; "Load NT Value" reads the chosen profile's value from
// the file as it is then. The program never writes a file that exists.
void tst_FileFaults::profileFile_data() {
    QTest::addColumn<Plant>("plant");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("ntValueAfterOpening");
    QTest::addColumn<int>("chosen"); // an entry to load; -1: none
    QTest::addColumn<QString>("loaded");

    QTest::newRow("folder") << Plant::Folder << QByteArray() << QStringList{} << "47000" << -1
                            << "";
    QTest::newRow("FIFO without writer")
        << Plant::Fifo << QByteArray() << QStringList{} << "47000" << -1 << "";
    QTest::newRow("empty") << Plant::Bytes << QByteArray() << QStringList{} << "47000" << -1 << "";
    QTest::newRow("binary with NUL bytes")
        << Plant::Bytes
        << "Home\r\n48000\r\n" + literalBytes("\0\0\r\n\0\x01\x02\x7f\r\n") + "Junk\r\n" +
               allBytesButLineEnds() + "\r\nCabin\r\n51000\r\n"
        << QStringList{"Home", QString(2, QChar(0)), "Junk", "Cabin"} << "51000" << 0 << "48000";
    QTest::newRow("50 MB of lines")
        << Plant::Bytes << fiftyMegabytesOfPairs() << entryNames(51) << "51" << 7 << "8";
    QTest::newRow("one 10 MB line")
        << Plant::Bytes << tenMegabyteLine() + "\r\n48000\r\nCabin\r\n51000\r\n"
        << QStringList{QString::fromLatin1(tenMegabyteLine()), "Cabin"} << "51000" << 0 << "48000";
    QTest::newRow("mixed line ends")
        << Plant::Bytes << QByteArray("Home\r48000\nCabin\r\n51000\rHill\n47500")
        << QStringList{"Home", "Cabin", "Hill"} << "47500" << 1 << "51000";
    QTest::newRow("invalid UTF-8")
        << Plant::Bytes << QByteArray("Z\xfcrich\r\n48000\r\nBern\xc3\r\n51000\r\n")
        << QStringList{"Z\ufffdrich", "Bern\ufffd"} << "51000" << 0 << "48000";
}

void tst_FileFaults::profileFile() {
    QFETCH(Plant, plant);
    QFETCH(QByteArray, content);
    QFETCH(QStringList, names);
    QFETCH(QString, ntValueAfterOpening);
    QFETCH(int, chosen);
    QFETCH(QString, loaded);
    const bool readable = plant == Plant::Bytes;

    WindowFixture f;
    std::optional<FifoGuard> fifo;
    putInPlace(plant, "Profiles.ini", content, fifo);
    READY_OR_RETURN(fifo);
    const QStringList onRead = readable ? QStringList{} : QStringList{profilesUnreadable()};
    f.open();
    f.typeNtValue("47000");
    QMainWindow* profiles = openProfiles(f);
    QVERIFY(profiles);
    auto* list = profiles->findChild<QComboBox*>("Combo1");
    COMPARE_LIST(items(list), names);
    QCOMPARE(ntValue(f), ntValueAfterOpening);
    QCOMPARE(f.messages.shown, onRead);
    QCOMPARE(f.processes.started.size(), 0); // the file exists: no first-use editor
    VERIFY_UNTOUCHED(plant, "Profiles.ini", content);

    profiles->findChild<QAction*>("R")->trigger();
    COMPARE_LIST(items(list), names);
    QCOMPARE(f.messages.shown, onRead + onRead);
    f.messages.shown.clear();

    auto* load = profiles->findChild<QPushButton*>("Command1");
    if (chosen >= 0) {
        chooseEntry(list, chosen);
        QTest::mouseClick(load, Qt::LeftButton);
        QCOMPARE(ntValue(f), loaded);
    }
    QTest::mouseClick(load, Qt::LeftButton); // again, or with nothing chosen
    QCOMPARE(ntValue(f), chosen >= 0 ? loaded : ntValueAfterOpening);
    QCOMPARE(f.messages.shown, onRead);
    f.messages.shown.clear();

    QVERIFY(list->isEnabled());
    QVERIFY(load->isEnabled());
    VERIFY_MAIN_WINDOW_USABLE(f);
    f.window->close();
    QVERIFY(!profiles->isVisible());
    VERIFY_UNTOUCHED(plant, "Profiles.ini", content);
    VERIFY_NO_BLOCKED_OPEN(fifo);
}

// The compound list was read by Refresh; then the file changes before "Compound freq". A file
// gone or unreadable is reported and changes no label; a shortened one lacks the chosen pair.
void tst_FileFaults::compoundFileChangesAfterRefresh() {
    QFETCH(Change, change);
    const QByteArray content = "Water\r\n42.5\r\nSalt\r\n12\r\n";
    WindowFixture f;
    QVERIFY(writeFile("Compounds.ini", content));
    f.open();
    auto* combo = f.control<QComboBox>("Combo1");
    f.typeNtValue("7050");
    f.click("R_Combo");
    COMPARE_LIST(items(combo), (QStringList{"Water", "Salt"}));
    chooseEntry(combo, 1);

    std::optional<FifoGuard> fifo;
    applyChange(change, "Compounds.ini", "Water\r\n42.5\r\n", fifo);
    READY_OR_RETURN(fifo);
    f.click("C_F");
    if (change == Change::Shortened) {
        QCOMPARE(f.text("NMR_E"), "Salt");
        QCOMPARE(f.messages.shown, QStringList{selectCompoundFirst});
        VERIFY_HOLDS("Compounds.ini", QByteArray("Water\r\n42.5\r\n"));
    } else {
        QCOMPARE(f.text("NMR_E"), "");
        QCOMPARE(f.messages.shown, QStringList{compoundsUnreadable});
        QVERIFY(!QFileInfo("Compounds.ini").isFile()); // nothing written in its place
    }
    QCOMPARE(f.text("NMR_f_0"), "");
    COMPARE_LIST(items(combo), (QStringList{"Water", "Salt"}));
    QCOMPARE(combo->currentIndex(), 1);
    f.messages.shown.clear();
    VERIFY_MAIN_WINDOW_USABLE(f);
    VERIFY_NO_BLOCKED_OPEN(fifo);

    // Once the file is back, Refresh and "Compound freq" work again.
    fifo.reset();
    undoChange("Compounds.ini", content);
    if (QTest::currentTestFailed())
        return;
    f.click("R_Combo");
    COMPARE_LIST(items(combo), (QStringList{"Water", "Salt"}));
    f.typeNtValue("7050");
    chooseEntry(combo, 1);
    f.click("C_F");
    QCOMPARE(f.text("NMR_E"), "Salt");
    QCOMPARE(f.text("NMR_f_0"), "12");
    QCOMPARE(f.messages.shown, QStringList{});
}

// The profile list was read by Refresh; then the file changes before "Load NT Value". A file
// gone or unreadable is reported; a shortened one has no value at that position, so the NT value
// box keeps its text. Either way the box is not changed.
void tst_FileFaults::profileFileChangesAfterRefresh() {
    QFETCH(Change, change);
    const QByteArray content = "Home\r\n48000\r\nCabin\r\n51000\r\n";
    WindowFixture f;
    QVERIFY(writeFile("Profiles.ini", content));
    f.open();
    QMainWindow* profiles = openProfiles(f);
    QVERIFY(profiles);
    auto* list = profiles->findChild<QComboBox*>("Combo1");
    auto* load = profiles->findChild<QPushButton*>("Command1");
    profiles->findChild<QAction*>("R")->trigger();
    COMPARE_LIST(items(list), (QStringList{"Home", "Cabin"}));
    f.typeNtValue("47000");
    chooseEntry(list, 1);

    std::optional<FifoGuard> fifo;
    applyChange(change, "Profiles.ini", "Home\r\n48000\r\n", fifo);
    READY_OR_RETURN(fifo);
    QTest::mouseClick(load, Qt::LeftButton);
    QCOMPARE(ntValue(f), "47000");
    if (change == Change::Shortened) {
        QCOMPARE(f.messages.shown, QStringList{});
        VERIFY_HOLDS("Profiles.ini", QByteArray("Home\r\n48000\r\n"));
    } else {
        QCOMPARE(f.messages.shown, QStringList{profilesUnreadable()});
        QVERIFY(!QFileInfo("Profiles.ini").isFile()); // nothing written in its place
    }
    COMPARE_LIST(items(list), (QStringList{"Home", "Cabin"}));
    QVERIFY(load->isEnabled());
    f.messages.shown.clear();
    VERIFY_MAIN_WINDOW_USABLE(f);
    VERIFY_NO_BLOCKED_OPEN(fifo);

    // Once the file is back, Refresh and "Load NT Value" work again.
    fifo.reset();
    undoChange("Profiles.ini", content);
    if (QTest::currentTestFailed())
        return;
    profiles->findChild<QAction*>("R")->trigger();
    QCOMPARE(ntValue(f), "51000");
    COMPARE_LIST(items(list), (QStringList{"Home", "Cabin"}));
    chooseEntry(list, 0);
    QTest::mouseClick(load, Qt::LeftButton);
    QCOMPARE(ntValue(f), "48000");
    QCOMPARE(f.messages.shown, QStringList{});
}

// Nothing can be written once the working folder is gone, not even by root. Start-up and
// shut-down still complete, the user is told, and no data file lands anywhere else.
void tst_FileFaults::workingFolderRemoved_data() {
    QTest::addColumn<bool>("beforeStartUp");
    QTest::newRow("before start-up") << true;
    QTest::newRow("while running") << false;
}

void tst_FileFaults::workingFolderRemoved() {
    QFETCH(bool, beforeStartUp);
    const RootProfilesFile rootFile;
    if (rootFile.existedBefore())
        QSKIP("/Profiles.ini exists already: cannot tell whether the program writes it");

    WindowFixture f;
    const QString folder = QDir::currentPath();
    if (beforeStartUp) {
        QVERIFY(QDir(folder).removeRecursively());
        f.open();
        // The default compound file cannot be made, which the refresh at start-up reports.
        QCOMPARE(f.messages.shown, QStringList{compoundsUnreadable});
    } else {
        f.open();
        QCOMPARE(f.messages.shown, QStringList{});
        QVERIFY(QDir(folder).removeRecursively());
        f.click("R_Combo");
        QCOMPARE(f.messages.shown, QStringList{compoundsUnreadable});
        QCOMPARE(f.control<QComboBox>("Combo1")->count(), 1); // the list shown stays
    }
    f.messages.shown.clear();
    VERIFY_MAIN_WINDOW_USABLE(f);

    // First use of the profiles: the example file cannot be written, so no editor and no
    // first-use text, only the failure.
    QVERIFY(openProfiles(f));
    const QStringList outcome{
        QStringLiteral("file outside the working folder: %1")
            .arg(QFileInfo::exists(RootProfilesFile::path) ? RootProfilesFile::path : "none"),
        QStringLiteral("editors started: %1").arg(f.processes.started.size()),
        f.messages.shown.size() == 1 &&
                f.messages.shown[0].endsWith("Profiles.ini\" could not be written.")
            ? QStringLiteral("told: the profiles could not be written")
            : QStringLiteral("told: %1").arg(f.messages.shown.join(" | "))};
    // With the working folder gone its path is empty: the file must not land in the root.
    QCOMPARE(outcome, (QStringList{"file outside the working folder: none", "editors started: 0",
                                   "told: the profiles could not be written"}));
    f.messages.shown.clear();

    f.window->close();
    QCOMPARE(f.messages.shown, QStringList{settingsNotSaved});
    QVERIFY(!QFileInfo::exists(folder)); // nothing made the folder again
}

QTEST_MAIN(tst_FileFaults)
#include "tst_filefaults.moc"
