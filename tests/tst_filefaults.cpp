// Damaged and unusual data files on the real windows, each case in a fresh temporary folder:
// ZENTAL.ini, Compounds.ini and Profiles.ini unreadable (a folder, or a FIFO no program writes
// to), empty, binary with NUL bytes, 50 MB long, holding one 10 MB line, with mixed line ends or
// invalid UTF-8; a data file deleted, shortened or replaced between a refresh and its use; and
// files that cannot be written. Nothing may crash or hang, no file the program has no reason to
// write may change, the windows stay usable, and the user is told of every failure that matters.
// Opening a FIFO without a writer would block for good: CTest's timeout catches such a hang.
#include "support/windowfixture.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QMainWindow>
#include <QScopeGuard>

#include <cstdio>

#include <sys/stat.h>

namespace {

using namespace Qt::StringLiterals;

const QString compoundsUnreadable = QStringLiteral("The file \"Compounds.ini\" could not be read.");
const QString selectCompoundFirst = QStringLiteral("Select Compound First and try again.");
const QString invalidNtValue =
    QStringLiteral("Enter a valid NT value (the field strength in nanotesla, for example 50000) "
                   "and press the element again.");
const QString settingsNotSaved =
    QStringLiteral("The NT value could not be saved: \"ZENTAL.ini\" could not be written.");

// The profiles window names its file by the working folder's absolute path.
QString profilesUnreadable() {
    return QStringLiteral("The file \"%1/Profiles.ini\" could not be read.")
        .arg(QDir::currentPath());
}

// ---- File contents, the big ones built once ---------------------------------------------------

constexpr qsizetype megabyte = 1024 * 1024;

// Pairs "Entry k" / "k+1" filling 50 MB: at the NT value 7050 entry k's frequency is k+1.
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

QStringList entryNames(int count) {
    QStringList names;
    for (int k = 0; k < count; ++k)
        names << QStringLiteral("Entry %1").arg(k);
    return names;
}

// ---- Faults in place of a data file -----------------------------------------------------------

// What stands at a data file's name, other than a regular file's bytes.
const QByteArray folder = "<folder>";
const QByteArray fifo = "<FIFO>";
const QByteArray missing = "<missing>";

// What stands at `name`: a regular file's bytes, or one of the tags above. Opens nothing but a
// regular file.
QByteArray state(const QString& name) {
    const QFileInfo info(name);
    struct stat st {};
    if (info.isFile())
        return fileContent(name);
    if (info.isDir())
        return folder;
    if (stat(QFile::encodeName(name).constData(), &st) == 0 && S_ISFIFO(st.st_mode))
        return fifo;
    return info.exists() ? "<other>" : missing;
}

// Replaces whatever stands at `name` by `wanted`, bytes or a tag; true when state() shows it.
bool plant(const QString& name, const QByteArray& wanted) {
    const QByteArray path = QFile::encodeName(name);
    std::remove(path.constData()); // a file, a FIFO or an empty folder
    if (wanted == folder)
        mkdir(path.constData(), 0755);
    else if (wanted == fifo)
        mkfifo(path.constData(), 0644);
    else if (wanted != missing)
        writeFile(name, wanted);
    return state(name) == wanted;
}

// ---- The windows ------------------------------------------------------------------------------

// The main window's disabled controls, then what pressing Hydrogen at 50000 nT shows and any
// message that adds, in one line. Compare with `usable`.
QString usability(WindowFixture& f) {
    QStringList seen;
    for (const char* name : {"NT_V", "Combo1", "C_F", "ComP", "R_Combo", "Command36"})
        if (!f.control(name)->isEnabled())
            seen << QStringLiteral("%1 disabled").arg(name);
    if (!f.window->findChild<QAction*>("Profiles")->isEnabled())
        seen << "Profiles disabled";
    const qsizetype told = f.messages.shown.size();
    f.typeNtValue("50000");
    f.click("Command0");
    seen << f.text("NMR_E") << f.text("NMR_f_0") << f.messages.shown.mid(told);
    return seen.join(" | ");
}
const QString usable = QStringLiteral("Hydrogen | 2127.65957446808");

QStringList items(const QComboBox* combo) {
    QStringList names;
    for (int i = 0; i < combo->count(); ++i)
        names << combo->itemText(i);
    return names;
}

QMainWindow* openProfiles(WindowFixture& f) {
    f.window->findChild<QAction*>("Profiles")->trigger();
    return f.window->findChild<QMainWindow*>("Form5");
}

QString ntValue(const WindowFixture& f) {
    return f.control<QLineEdit>("NT_V")->text();
}

// What a data file becomes after the list was read from it.
void addChangeRows(const QByteArray& shortened) {
    QTest::addColumn<QByteArray>("change");
    QTest::newRow("deleted") << missing;
    QTest::newRow("shortened") << shortened;
    QTest::newRow("replaced by a folder") << folder;
    QTest::newRow("replaced by a FIFO without writer") << fifo;
}

} // namespace

class tst_FileFaults : public QObject {
    Q_OBJECT
private slots:
    void settingsFile_data();
    void settingsFile();
    void compoundFile_data();
    void compoundFile();
    void profileFile_data();
    void profileFile();
    void compoundFileChangesAfterRefresh_data() { addChangeRows("Water\r\n42.5\r\n"); }
    void compoundFileChangesAfterRefresh();
    void profileFileChangesAfterRefresh_data() { addChangeRows("Home\r\n48000\r\n"); }
    void profileFileChangesAfterRefresh();
    void workingFolderRemoved_data();
    void workingFolderRemoved();
};

// ZENTAL.ini: read at start-up, written at shut-down (and at start-up when it is short or
// unreadable). A file of three or more lines is left alone at start-up; shut-down stores what the
// NT value box holds, or tells the user that it could not.
void tst_FileFaults::settingsFile_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("storedNtValue"); // in the box after start-up
    QTest::addColumn<bool>("keptAtStartUp");    // start-up does not write the file
    QTest::addColumn<bool>("ntValueValid");     // an element press computes with it
    QTest::addColumn<QByteArray>("atShutDown"); // the file after shut-down; empty: unwritable

    const QByteArray crlf = "\r\n";
    const QByteArray stored = "\r\n47000\r\n\r\n";
    QTest::newRow("folder") << folder << "" << false << false << QByteArray();
    QTest::newRow("FIFO without writer") << fifo << "" << false << false << "\r\n\r\n\r\n"_ba;
    QTest::newRow("empty") << QByteArray() << "" << false << false << "\r\n\r\n\r\n"_ba;
    const QByteArray nulNtValue = "47\0\0"_ba + "00";
    QTest::newRow("binary with NUL bytes")
        << "\0\x01\xfe\xff"_ba + crlf + nulNtValue + crlf + allBytesButLineEnds() + crlf
        << QString("47") + QChar(0) + QChar(0) + "00" << true << false
        << crlf + nulNtValue + crlf + crlf;
    QTest::newRow("50 MB of lines")
        << stored + fiftyMegabytesOfPairs() << "47000" << true << true << stored;
    QTest::newRow("10 MB line before the NT value")
        << tenMegabyteLine() + stored << "47000" << true << true << stored;
    const QByteArray longNtValue(40000, '4');
    QTest::newRow("NT value of 40000 digits")
        << crlf + longNtValue + crlf + crlf << QString::fromLatin1(longNtValue) << true << false
        << crlf + longNtValue + crlf + crlf;
    QTest::newRow("mixed line ends") << "first\r47000\nthird\r\n"_ba
                                     << "47000" << true << true << stored;
    QTest::newRow("invalid UTF-8 around the NT value") << "\xff\xfe\r\n47000\r\nCaf\xc3\r\n"_ba
                                                       << "47000" << true << true << stored;
    QTest::newRow("invalid UTF-8 in the NT value")
        << "\r\n47\xff"_ba + "000\r\n\r\n"
        << "47\ufffd000" << true << false << "\r\n47\xef\xbf\xbd"_ba + "000\r\n\r\n";
}

void tst_FileFaults::settingsFile() {
    QFETCH(QByteArray, content);
    QFETCH(QString, storedNtValue);
    QFETCH(bool, keptAtStartUp);
    QFETCH(bool, ntValueValid);
    QFETCH(QByteArray, atShutDown);
    const bool writable = !atShutDown.isEmpty();
    const QStringList onShutDown = writable ? QStringList{} : QStringList{settingsNotSaved};

    WindowFixture f;
    QVERIFY(plant("ZENTAL.ini", content));

    // First run: the stored value as found, pressed on an element, stored again at shut-down.
    f.open();
    QCOMPARE(ntValue(f), storedNtValue);
    // Unless kept, written anew at once where it can be.
    QCOMPARE(state("ZENTAL.ini"), keptAtStartUp || !writable ? content : "\r\n\r\n\r\n"_ba);
    QCOMPARE(f.messages.shown, QStringList{}); // a settings file problem waits for shut-down

    f.click("Command0");
    QCOMPARE(f.text("NMR_E"), "Hydrogen");
    QCOMPARE(f.text("NMR_f_0"), ntValueValid ? "2000" : "");
    QCOMPARE(f.messages.shown, ntValueValid ? QStringList{} : QStringList{invalidNtValue});
    f.messages.shown.clear();

    f.window->close();
    QCOMPARE(state("ZENTAL.ini"), writable ? atShutDown : content);
    QCOMPARE(f.messages.shown, onShutDown);
    f.messages.shown.clear();

    // Second run on what the first left: usable, and a typed value is stored or reported.
    f.open();
    QCOMPARE(usability(f), usable);
    f.window->close();
    QCOMPARE(state("ZENTAL.ini"), writable ? "\r\n50000\r\n\r\n"_ba : content);
    QCOMPARE(f.messages.shown, onShutDown);
}

// Compounds.ini: listed at start-up and on Refresh, its values read by position on "Compound
// freq"; the program never writes a file that exists. At the NT value 7050 a compound's
// frequency is its reference value.
void tst_FileFaults::compoundFile_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<int>("good"); // an entry whose frequency is shown; -1: none
    QTest::addColumn<QString>("goodFrequency");
    QTest::addColumn<int>("bad"); // an entry with no usable value; -1: none

    QTest::newRow("folder") << folder << QStringList{} << -1 << "" << -1;
    QTest::newRow("FIFO without writer") << fifo << QStringList{} << -1 << "" << -1;
    QTest::newRow("empty") << QByteArray() << QStringList{} << -1 << "" << -1;
    QTest::newRow("binary with NUL bytes")
        << "Water\r\n42.5\r\n" + "\0bin\0ary\r\n\0\x01\x02\x7f\r\n"_ba + "Salt\r\n12\r\nJunk\r\n" +
               allBytesButLineEnds() + "\r\n"
        << QStringList{"Water", QString::fromLatin1("\0bin\0ary"_ba), "Salt", "Junk"} << 2 << "12"
        << 1;
    QTest::newRow("50 MB of lines")
        << fiftyMegabytesOfPairs() << entryNames(51) << 50 << "51" << -1;
    QTest::newRow("one 10 MB line")
        << tenMegabyteLine() + "\r\n42.5\r\nWater\r\n12\r\n"
        << QStringList{QString::fromLatin1(tenMegabyteLine()), "Water"} << 1 << "12" << -1;
    QTest::newRow("mixed line ends") << "Water\r42.5\nSalt\r\n12\rLast\n7050"_ba
                                     << QStringList{"Water", "Salt", "Last"} << 2 << "7050" << -1;
    QTest::newRow("invalid UTF-8")
        << "M\xfcnchen\r\n42.5\r\nBern\xc3\r\n12\r\nBad\r\n4\xff"_ba + "2\r\n"
        << QStringList{"M\ufffdnchen", "Bern\ufffd", "Bad"} << 1 << "12" << 2;
}

void tst_FileFaults::compoundFile() {
    QFETCH(QByteArray, content);
    QFETCH(QStringList, names);
    QFETCH(int, good);
    QFETCH(QString, goodFrequency);
    QFETCH(int, bad);

    WindowFixture f;
    QVERIFY(plant("Compounds.ini", content));
    const bool readable = QFileInfo("Compounds.ini").isFile();
    const QStringList onRead = readable ? QStringList{} : QStringList{compoundsUnreadable};
    f.open();
    auto* combo = f.control<QComboBox>("Combo1");
    QCOMPARE(items(combo), names);
    QCOMPARE(f.messages.shown, onRead);
    QCOMPARE(state("Compounds.ini"), content);

    f.click("R_Combo");
    QCOMPARE(items(combo), names);
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
    QCOMPARE(usability(f), usable);
    f.window->close();
    QCOMPARE(state("Compounds.ini"), content);
}

// Profiles.ini: listed when the window opens and on Refresh, which also copy the last complete
// profile's NT value into the main window; "Load NT Value" reads the chosen profile's value from
// the file as it is then. The program never writes a file that exists.
void tst_FileFaults::profileFile_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("ntValueAfterOpening");
    QTest::addColumn<int>("chosen"); // an entry to load; -1: none
    QTest::addColumn<QString>("loaded");

    QTest::newRow("folder") << folder << QStringList{} << "47000" << -1 << "";
    QTest::newRow("FIFO without writer") << fifo << QStringList{} << "47000" << -1 << "";
    QTest::newRow("empty") << QByteArray() << QStringList{} << "47000" << -1 << "";
    QTest::newRow("binary with NUL bytes")
        << "Home\r\n48000\r\n" + "\0\0\r\n\0\x01\x02\x7f\r\n"_ba + "Junk\r\n" +
               allBytesButLineEnds() + "\r\nCabin\r\n51000\r\n"
        << QStringList{"Home", QString(2, QChar(0)), "Junk", "Cabin"} << "51000" << 0 << "48000";
    QTest::newRow("50 MB of lines")
        << fiftyMegabytesOfPairs() << entryNames(51) << "51" << 7 << "8";
    QTest::newRow("one 10 MB line")
        << tenMegabyteLine() + "\r\n48000\r\nCabin\r\n51000\r\n"
        << QStringList{QString::fromLatin1(tenMegabyteLine()), "Cabin"} << "51000" << 0 << "48000";
    QTest::newRow("mixed line ends")
        << "Home\r48000\nCabin\r\n51000\rHill\n47500"_ba << QStringList{"Home", "Cabin", "Hill"}
        << "47500" << 1 << "51000";
    QTest::newRow("invalid UTF-8")
        << "Z\xfcrich\r\n48000\r\nBern\xc3\r\n51000\r\n"_ba
        << QStringList{"Z\ufffdrich", "Bern\ufffd"} << "51000" << 0 << "48000";
}

void tst_FileFaults::profileFile() {
    QFETCH(QByteArray, content);
    QFETCH(QStringList, names);
    QFETCH(QString, ntValueAfterOpening);
    QFETCH(int, chosen);
    QFETCH(QString, loaded);

    WindowFixture f;
    QVERIFY(plant("Profiles.ini", content));
    const QStringList onRead =
        QFileInfo("Profiles.ini").isFile() ? QStringList{} : QStringList{profilesUnreadable()};
    f.open();
    f.typeNtValue("47000");
    QMainWindow* profiles = openProfiles(f);
    QVERIFY(profiles);
    auto* list = profiles->findChild<QComboBox*>("Combo1");
    QCOMPARE(items(list), names);
    QCOMPARE(ntValue(f), ntValueAfterOpening);
    QCOMPARE(f.messages.shown, onRead);
    QCOMPARE(f.processes.started.size(), 0); // the file exists: no first-use editor
    QCOMPARE(state("Profiles.ini"), content);

    profiles->findChild<QAction*>("R")->trigger();
    QCOMPARE(items(list), names);
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
    QCOMPARE(usability(f), usable);
    f.window->close();
    QVERIFY(!profiles->isVisible());
    QCOMPARE(state("Profiles.ini"), content);
}

// The compound list was read by Refresh; then the file changes before "Compound freq". A file
// gone or unreadable is reported and changes no label; a shortened one lacks the chosen pair.
// Nothing is written in the file's place.
void tst_FileFaults::compoundFileChangesAfterRefresh() {
    QFETCH(QByteArray, change);
    const QByteArray content = "Water\r\n42.5\r\nSalt\r\n12\r\n";
    const QStringList names{"Water", "Salt"};
    WindowFixture f;
    QVERIFY(plant("Compounds.ini", content));
    f.open();
    auto* combo = f.control<QComboBox>("Combo1");
    f.typeNtValue("7050");
    f.click("R_Combo");
    QCOMPARE(items(combo), names);
    chooseEntry(combo, 1);

    QVERIFY(plant("Compounds.ini", change));
    const bool shortened = QFileInfo("Compounds.ini").isFile();
    f.click("C_F");
    QCOMPARE(f.text("NMR_E"), shortened ? "Salt" : "");
    QCOMPARE(f.text("NMR_f_0"), "");
    QCOMPARE(f.messages.shown, QStringList{shortened ? selectCompoundFirst : compoundsUnreadable});
    QCOMPARE(state("Compounds.ini"), change);
    QCOMPARE(items(combo), names);
    QCOMPARE(combo->currentIndex(), 1);
    f.messages.shown.clear();
    QCOMPARE(usability(f), usable);

    // Once the file is back, Refresh and "Compound freq" work again.
    QVERIFY(plant("Compounds.ini", content));
    f.click("R_Combo");
    QCOMPARE(items(combo), names);
    f.typeNtValue("7050");
    chooseEntry(combo, 1);
    f.click("C_F");
    QCOMPARE(f.text("NMR_E"), "Salt");
    QCOMPARE(f.text("NMR_f_0"), "12");
    QCOMPARE(f.messages.shown, QStringList{});
}

// The profile list was read by Refresh; then the file changes before "Load NT Value". A file
// gone or unreadable is reported; a shortened one has no value at that position. Either way the
// NT value box keeps its text, and nothing is written in the file's place.
void tst_FileFaults::profileFileChangesAfterRefresh() {
    QFETCH(QByteArray, change);
    const QByteArray content = "Home\r\n48000\r\nCabin\r\n51000\r\n";
    const QStringList names{"Home", "Cabin"};
    WindowFixture f;
    QVERIFY(plant("Profiles.ini", content));
    f.open();
    QMainWindow* profiles = openProfiles(f);
    QVERIFY(profiles);
    auto* list = profiles->findChild<QComboBox*>("Combo1");
    auto* load = profiles->findChild<QPushButton*>("Command1");
    auto* refresh = profiles->findChild<QAction*>("R");
    refresh->trigger();
    QCOMPARE(items(list), names);
    f.typeNtValue("47000");
    chooseEntry(list, 1);

    QVERIFY(plant("Profiles.ini", change));
    const bool shortened = QFileInfo("Profiles.ini").isFile();
    QTest::mouseClick(load, Qt::LeftButton);
    QCOMPARE(ntValue(f), "47000");
    QCOMPARE(f.messages.shown, shortened ? QStringList{} : QStringList{profilesUnreadable()});
    QCOMPARE(state("Profiles.ini"), change);
    QCOMPARE(items(list), names);
    QVERIFY(load->isEnabled());
    f.messages.shown.clear();
    QCOMPARE(usability(f), usable);

    // Once the file is back, Refresh and "Load NT Value" work again.
    QVERIFY(plant("Profiles.ini", content));
    refresh->trigger();
    QCOMPARE(ntValue(f), "51000");
    QCOMPARE(items(list), names);
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
    const QString rootFile = QStringLiteral("/Profiles.ini");
    if (QFileInfo::exists(rootFile))
        QSKIP("/Profiles.ini exists already: cannot tell whether the program writes it");
    // Removes the example file should the program wrongly have put it in the root.
    const auto cleanUp = qScopeGuard([&] {
        if (state(rootFile) == "Location Name\r\nNT Value\r\n")
            QFile::remove(rootFile);
    });

    WindowFixture f;
    const QString workingFolder = QDir::currentPath();
    if (beforeStartUp) {
        QVERIFY(QDir(workingFolder).removeRecursively());
        f.open();
        // The default compound file cannot be made, which the refresh at start-up reports.
        QCOMPARE(f.messages.shown, QStringList{compoundsUnreadable});
    } else {
        f.open();
        QCOMPARE(f.messages.shown, QStringList{});
        QVERIFY(QDir(workingFolder).removeRecursively());
        f.click("R_Combo");
        QCOMPARE(f.messages.shown, QStringList{compoundsUnreadable});
        QCOMPARE(f.control<QComboBox>("Combo1")->count(), 1); // the list shown stays
    }
    f.messages.shown.clear();
    QCOMPARE(usability(f), usable);

    // First use of the profiles: the example file cannot be written, so no editor and no
    // first-use text, only the failure. With the working folder gone its path is empty: the file
    // must not land in the root.
    QVERIFY(openProfiles(f));
    QCOMPARE(state(rootFile), missing);
    QCOMPARE(f.processes.started.size(), 0);
    const QString told = f.messages.shown.join(" | ");
    QVERIFY2(f.messages.shown.size() == 1 && told.endsWith("Profiles.ini\" could not be written."),
             qPrintable(told));
    f.messages.shown.clear();

    f.window->close();
    QCOMPARE(f.messages.shown, QStringList{settingsNotSaved});
    QVERIFY(!QFileInfo::exists(workingFolder)); // nothing made the folder again
}

QTEST_MAIN(tst_FileFaults)
#include "tst_filefaults.moc"
