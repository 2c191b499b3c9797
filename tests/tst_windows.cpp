// Both windows as the user meets them, offscreen in fresh temporary folders, damaged and odd data
// files among them; CTest's timeout turns a hang on a FIFO into a failure.
#include "support/windowfixture.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QScopeGuard>

using namespace Qt::StringLiterals;
using zental::fileUnreadableMessage;
using zental::fileUnwritableMessage;

namespace {

const QString selectFirst = u"Select Compound First and try again."_s;
const QString invalidNt = u"Enter a valid NT value (the field strength in nanotesla, for example "
                          "50000) and press the element again."_s;
// Data files are named by their full path; HERE stands for the test's folder.
const QString notSaved =
    u"The NT value could not be saved: \"HERE/ZENTAL.ini\" could not be written."_s;

// 51 pairs, then more up to 50 MB; every byte value but CR and LF.
const QByteArray fiftyMegabytes = pairs(51) + QByteArray("Entry\r\n1\r\n").repeated(5 << 20);
const QByteArray junk = [] {
    QByteArray bytes;
    for (int b = 0; b < 256; ++b)
        bytes += b == '\r' || b == '\n' ? "" : QByteArray(1, char(b));
    return bytes;
}();

QStringList entries(const QComboBox* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->itemText(i);
    return texts;
}

// The seven value labels; one a screen reader would announce with another value is marked.
QString shown(const WindowFixture& f) {
    QStringList texts;
    for (const char* name :
         {"NMR_E", "Isotope1_0", "Isotope1_1", "Isotope1_2", "NMR_f_0", "NMR_f_1", "NMR_f_2"}) {
        const QString text = f.text(name), spoken = f.control(name)->accessibleName();
        texts << text +
                     (spoken.section(": ", 1) == text.trimmed() ? "" : " (said: " + spoken + ")");
    }
    return texts.join(u'|');
}

// A list's prompt and position after its first entry was chosen and then typed over.
QString afterTypingOver(QComboBox* list) {
    chooseEntry(list, 0);
    QTest::keyClicks(list->lineEdit(), "Xy");
    return list->currentText() + " at " + QString::number(list->currentIndex());
}

// Executables in the folder "bin", which is the whole PATH until the returned guard goes.
auto onlyOnPath(const QList<std::pair<QString, QByteArray>>& programs) {
    QDir().mkdir("bin");
    for (const auto& [name, script] : programs)
        if (!writeFile("bin/" + name, script) ||
            !QFile::setPermissions("bin/" + name, QFile::ReadOwner | QFile::ExeOwner))
            qFatal("cannot make bin/%s", qPrintable(name));
    const QByteArray previous = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(QDir::current().filePath("bin")));
    return qScopeGuard([previous] { qputenv("PATH", previous); });
}

template <typename Case> void row(const char* name, const Case& data) {
    QTest::newRow(name) << data;
}

struct Press {
    QString nt, button, labels; // with "." and ","; the comma locale sees them swapped
};

struct Launch {
    QString button;
    QStringList failing; // programs that cannot start; BIN stands for the folder "bin"
    QString started, told;
};

struct Settings {
    QByteArray content;    // at ZENTAL.ini: bytes or a tag
    QString stored;        // in NT_V after start-up
    bool kept, valid;      // start-up leaves the file alone; Hydrogen computes with the value
    QByteArray atShutDown; // empty: cannot be written
};

// The same bytes as compound list and as profile list.
struct PairList {
    QByteArray content;  // at Compounds.ini and Profiles.ini: bytes or a tag
    QStringList names{}; // listed by both windows
    QString lastValue{}; // the last whole pair's value, put into NT_V by the profiles
    int chosen = -1;     // the entry used in both lists
    QString value{};     // its value line when used, which "Load NT Value" takes; null: none
    QString frequency{}; // "Compound freq" then: twice the value at 14100 nT; empty: refused
    QByteArray later{};  // what stands at both names when the entry is used; null: content
    QString nt = u"14100"_s;
};

} // namespace

class tst_Windows : public QObject {
    Q_OBJECT
private slots:
    void elementPress_data() {
        QTest::addColumn<Press>("press");
        row<Press>("hydrogen", {"50000", "Command0", "Hydrogen|1| | |2127.65957446808||"});
        row<Press>("helium", {"50000", "Command1", "Helium|3| | |1620.89361702128||"});
        row<Press>("lithium",
                   {"48500", "Command2", "Lithium|6|7| |303.713191489362|801.508936170213|"});
        row<Press>("tantalum", {"23500", "Command59", "Tantalum|181| | |120||"});
        row<Press>("tin at zero", {"0", "Command50", "Tin|115|117|119|0|0|0"});
        row<Press>("decimal", {"48123.5", "Command0", "Hydrogen|1| | |2047.8085106383||"});
        row<Press>("not a number", {"abc", "Command2", "Lithium|6|7| |||"});
        row<Press>("empty", {"", "Command2", "Lithium|6|7| |||"});
    }
    // Each press follows one on Tin at 50000 nT, so a label left stale shows.
    void elementPress() {
        QFETCH(Press, press);
        for (const bool commas : {false, true}) {
            const auto local = [commas](QString text) {
                return commas ? text.replace('.', '\1').replace(',', '.').replace('\1', ',') : text;
            };
            WindowFixture f;
            f.open(commas ? commaSeparators : dotSeparators);
            f.typeNtValue("50000");
            f.click("Command50");
            f.typeNtValue(local(press.nt));
            f.click(press.button);
            QCOMPARE(shown(f), local(press.labels));
            const bool invalid = press.labels.section(u'|', 4, 4).isEmpty(); // no frequency
            QCOMPARE(f.messages.shown, invalid ? QStringList{invalidNt} : QStringList{});
        }
    }

    void typingIsLimitedButStoredTextStaysWhole() {
        WindowFixture f;
        QVERIFY(writeFile("ZENTAL.ini", "\r\n123456789012\r\n\r\n"));
        f.open();
        auto* box = f.control<QLineEdit>("NT_V");
        QTest::keyClicks(box, "9");
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(box->text(), "12345678901"); // no room for the 9, room to shorten
        f.typeNtValue("123456789");
        QCOMPARE(box->text(), "1234567");
        f.typeNtValue("4800");
        QGuiApplication::clipboard()->setText("12345");
        QTest::keySequence(box, QKeySequence::Paste);
        QCOMPARE(box->text(), "4800123"); // the paste is cut to fit
    }

    // Tab runs from NT_V through the enabled element buttons in the order of the periodic table,
    // then the other controls.
    void tabOrder() {
        WindowFixture f;
        f.open();
        QCOMPARE(QApplication::focusWidget(), f.control("NT_V"));
        QStringList order;
        do
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        while ((order << QApplication::focusWidget()->objectName()).size() < 200 &&
               order.last() != "NT_V");
        QCOMPARE(order.size(), 103 - 22 + 6); // 22 element buttons are disabled
        QCOMPARE(order.mid(0, 2) + order.mid(order.indexOf("Command35"), 3),
                 (QStringList{"Command1", "Command2", "Command35", "Command0", "Command37"}));
        QCOMPARE(order.mid(81),
                 (QStringList{"Command36", "Combo1", "R_Combo", "ComP", "C_F", "NT_V"}));
    }

    void screenReadersAndStacking() {
        WindowFixture f;
        QMainWindow& window = f.open();
        QWidget* profiles = f.openProfiles();
        QAccessibleInterface* calcium =
            QAccessible::queryAccessibleInterface(f.control("Command19"));
        QCOMPARE(calcium->text(QAccessible::Description), "Calcium");
        const auto labels = QAccessible::queryAccessibleInterface(profiles->findChild<QComboBox*>())
                                ->relations(QAccessible::Label);
        QCOMPARE(labels.size(), 1);
        QCOMPARE(labels[0].first->text(QAccessible::Name), "Location NT");
        QVERIFY(f.control<QLabel>("NMR_f_0")->textInteractionFlags() & Qt::TextSelectableByMouse);
        // Hydrogen's button lies over lithium's, a value label over the caption it overlaps.
        const QObjectList& stack = window.centralWidget()->children();
        QVERIFY(stack.indexOf(f.control("Command0")) > stack.indexOf(f.control("Command2")));
        QVERIFY(stack.indexOf(f.control("NMR_E")) > stack.indexOf(f.control("NMR_L")));
    }

    void firstStartInAnEmptyFolder() {
        WindowFixture f;
        f.open();
        f.window->findChild<QAction*>("Help")->trigger();
        auto* compounds = f.control<QComboBox>("Combo1");
        QCOMPARE(fileContent("Compounds.ini"), "Compound Name\r\nNMR Frequency\r\n");
        QCOMPARE(entries(compounds), QStringList{"Compound Name"});
        QCOMPARE(afterTypingOver(compounds), "Select Compound at -1");
        chooseEntry(compounds, 0);
        QVERIFY(writeFile("Compounds.ini", "Water\n42.5\nSalt\n12\n"));
        f.click("R_Combo"); // shows the edit and drops the choice
        QCOMPARE(entries(compounds) << compounds->currentText(),
                 (QStringList{"Water", "Salt", "Select Compound"}));

        f.typeNtValue("48000");
        QWidget* profiles = f.openProfiles();
        auto* list = profiles->findChild<QComboBox*>();
        QCOMPARE(fileContent("Profiles.ini"), "Location Name\r\nNT Value\r\n");
        QCOMPARE(QString::number(list->count()) + f.ntValue(), "048000");
        profiles->findChild<QAction*>("R")->trigger();
        QCOMPARE(entries(list) << f.ntValue(), (QStringList{"Location Name", "NT Value"}));
        QCOMPARE(afterTypingOver(list), "Select Profile at -1");
        profiles->findChild<QAction*>("EP")->trigger();
        QCOMPARE(f.processes.started, QStringList(2, "xdg-open " + f.path("Profiles.ini")));
        profiles->findChild<QAction*>("H")->trigger();
        QCOMPARE(f.messages.shown.size(), 3);
        QVERIFY(f.messages.shown[0].startsWith("ZENTAL is a program based on NMR frequencies"));
        QVERIFY(f.messages.shown[1].startsWith("NotePad is used for editing the Profiles."));
        QVERIFY(f.messages.shown[2].startsWith("Select the profile and press Load NT button"));

        // One window at a time, shown again as it is; once closed, a new one reads the file.
        QVERIFY(writeFile("Profiles.ini", "Home\r\n48000\r\nCabin\r\n51000\r\n"));
        QCOMPARE(f.openProfiles(), profiles);
        QCOMPARE(list->count(), 1);
        profiles->close();
        QTRY_VERIFY(!f.window->findChild<QWidget*>("Form5"));
        profiles = f.openProfiles();
        QCOMPARE(entries(profiles->findChild<QComboBox*>()), (QStringList{"Home", "Cabin"}));
        f.typeNtValue("49000");
        f.window->close(); // closes the profiles too
        QCOMPARE(fileContent("ZENTAL.ini") + QByteArray::number(profiles->isVisible()),
                 "\r\n49000\r\n\r\n0");
    }

    // "bin" holds three plain editors; the program takes the first of its own list, kate.
    void launchers_data() {
        QTest::addColumn<Launch>("launch");
        const QString page =
            u"xdg-open https://www.ngdc.noaa.gov/geomag-web/?useFullSite=true#igrfwmm"_s;
        const QString editors = u"xdg-open Compounds.ini\nBIN/kate Compounds.ini"_s;
        const QString noEditor =
            "No text editor could be started to open \"HERE/Compounds.ini\". Tried:\n";
        const QString noBrowser =
            "The web browser could not be started to open the calculator page. Tried:\n";
        row<Launch>("opener", {"ComP", {}, "xdg-open Compounds.ini", ""});
        row<Launch>("plain editor", {"ComP", {"xdg-open"}, editors, ""});
        row<Launch>("no editor", {"ComP", {"xdg-open", "BIN/kate"}, editors, noEditor + editors});
        row<Launch>("browser", {"Command36", {}, page, ""});
        row<Launch>("no browser", {"Command36", {"xdg-open"}, page, noBrowser + page});
    }
    void launchers() {
        QFETCH(Launch, launch);
        WindowFixture f;
        const auto path = onlyOnPath({{"leafpad", ""}, {"xed", ""}, {"kate", ""}});
        f.processes.failing = launch.failing.replaceInStrings("BIN", f.path("bin"));
        f.open();
        f.click(launch.button);
        QCOMPARE(f.processes.started.join('\n'), launch.started.replace("BIN", f.path("bin")));
        QCOMPARE(f.messages.shown.join('\n'),
                 launch.told.replace("BIN", f.path("bin")).replace("HERE", f.path()));
        QCOMPARE((zental::Program{"/usr/bin/open", {"-t"}}.commandLine("a b")),
                 "/usr/bin/open -t a b"); // the Mac's editor, options and all
    }

    // Run once more under Xvfb, as on a desktop: a stand-in opener is started for real and gets
    // the example profile file, blank and all, as one argument, in the working folder.
    void editorStartsForReal() {
        WindowFixture f;
        const QByteArray record = QFile::encodeName(f.path("record")),
                         here = QFile::encodeName(f.path());
        const auto path = onlyOnPath(
            {{"xdg-open", "#!/bin/sh\nprintf '%s|' $# \"$@\" \"$PWD\" >'" + record + "'\n"}});
        zental::DetachedProcessStarter processes;
        zental::MainWindow window({f.messages, processes, dotSeparators});
        window.findChild<QAction*>("Profiles")->trigger();
        // The limit only turns a hang into a failure; a loaded machine starts processes slowly.
        QTRY_COMPARE_WITH_TIMEOUT(fileContent(record), "1|" + here + "/Profiles.ini|" + here + "|",
                                  60000);
        QCOMPARE(f.messages.shown.size(), 1); // the first-use text only
    }

    // Every caption begins with its element's atomic number, which runs from the button number in
    // five stretches: hydrogen to krypton, rubidium to lanthanum, hafnium to actinium, cerium to
    // lutetium, thorium to lawrencium.
    void captionsFollowTheButtonNumbers() {
        WindowFixture f;
        f.open();
        for (const auto& [first, last, atomicMinusButton] :
             std::initializer_list<std::array<int, 3>>{
                 {0, 35, 1}, {37, 57, 0}, {58, 75, 14}, {76, 89, -18}, {90, 103, 0}})
            for (int button = first; button <= last; ++button)
                QCOMPARE(
                    f.control<QPushButton>(u"Command%1"_s.arg(button))->text().section(u' ', 0, 0),
                    QString::number(button + atomicMinusButton));
    }

    // ZENTAL.ini: its second line is the NT value, read at start-up and stored at shut-down. One of
    // under three lines is written anew at start-up; one that cannot be written is reported at
    // shut-down.
    void settingsFile_data() {
        QTest::addColumn<Settings>("settings");
        const QByteArray crlf = "\r\n", none = "\r\n\r\n\r\n", nt = "\r\n47000\r\n\r\n";
        const QByteArray nulNt = "47\0\0"_ba + "00", longNt(40000, '4'), badNt = "47\xff"_ba + "0";
        row<Settings>("missing", {missing, "", false, false, none});
        row<Settings>("folder", {folder, "", false, false, {}});
        row<Settings>("FIFO without writer", {fifo, "", false, false, none});
        row<Settings>("two lines", {"\n47000", "47000", false, true, nt});
        row<Settings>("five lines",
                      {"first\r\n47000\r\nthird\r\nfourth\r\nfifth\r\n", "47000", true, true, nt});
        row<Settings>("binary with NUL bytes",
                      {"\0\x01\xfe\xff"_ba + crlf + nulNt + crlf + junk + crlf,
                       QString::fromLatin1(nulNt), true, false, crlf + nulNt + crlf + crlf});
        row<Settings>("NT value of 40000 digits",
                      {crlf + longNt + crlf + crlf, QString::fromLatin1(longNt), true, false,
                       crlf + longNt + crlf + crlf});
        row<Settings>("invalid UTF-8 in the NT value",
                      {crlf + badNt + crlf + crlf, u"47\ufffd0"_s, true, false,
                       crlf + "47\xef\xbf\xbd"_ba + "0" + crlf + crlf});
    }
    void settingsFile() {
        QFETCH(Settings, settings);
        const bool writable = !settings.atShutDown.isEmpty();
        WindowFixture f;
        QVERIFY(plant("ZENTAL.ini", settings.content));
        f.open();
        QCOMPARE(f.ntValue(), settings.stored);
        QCOMPARE(state("ZENTAL.ini"), settings.kept || !writable
                                          ? settings.content
                                          : "\r\n" + settings.stored.toUtf8() + "\r\n\r\n");
        f.click("Command0");
        QCOMPARE(f.text("NMR_f_0"), settings.valid ? "2000" : "");
        f.window->close();
        QCOMPARE(state("ZENTAL.ini"), writable ? settings.atShutDown : settings.content);
        QCOMPARE(f.messages.shown,
                 (settings.valid ? QStringList{} : QStringList{invalidNt}) +
                     (writable ? QStringList{}
                               : QStringList{QString(notSaved).replace("HERE", f.path())}));
    }

    void pairLists_data() {
        QTest::addColumn<PairList>("list");
        const QByteArray two = "Water\r\n42.5\r\nSalt\r\n12\r\n";
        const QStringList twoNames{"Water", "Salt"};
        QStringList fiftyOne;
        for (int k = 0; k < 51; ++k)
            fiftyOne << u"Entry %1"_s.arg(k);
        row<PairList>("folder", {folder});
        row<PairList>("FIFO without writer", {fifo});
        const QByteArray binary = "Water\r\n42.5\r\n\0bin\0ary\r\n\0\x01\x02\x7f\r\nJunk\r\n"_ba;
        const QStringList binaryNames{"Water", QString::fromLatin1("\0bin\0ary"_ba), "Junk",
                                      "Salt"};
        row<PairList>("binary with NUL bytes", {binary + junk + "\r\nSalt\r\n12\r\n", binaryNames,
                                                "12", 1, QString::fromLatin1("\0\x01\x02\x7f"_ba)});
        row<PairList>("50 MB, 51 pairs read", {fiftyMegabytes, fiftyOne, "51", 50, "51", "102"});
        const QByteArray badUtf8 =
            "M\xfcnchen\r\n42.5\r\nBern\xc3\r\n12\r\nBad\r\n4\xff"_ba + "2\r\n";
        const QStringList badNames{u"M\ufffdnchen"_s, u"Bern\ufffd"_s, "Bad"};
        row<PairList>("invalid UTF-8", {badUtf8, badNames, u"4\ufffd2"_s, 2, u"4\ufffd2"_s});
        row<PairList>("last name without value",
                      {"Water\r\n42.5\r\nBenzene", {"Water", "Benzene"}, "42.5", 1});
        const QString longName(40000, u'N'); // over QLineEdit's default limit of 32767
        row<PairList>("name of 40000 characters",
                      {longName.toLatin1() + "\r\n42.5\r\n", {longName}, "42.5", 0, "42.5", "85"});
        row<PairList>("grouped value",
                      {"Salt\r\n1,234.5\r\n", {"Salt"}, "1,234.5", 0, "1,234.5", "2469"});
        row<PairList>("too large", {"Huge\r\n1e308\r\n", {"Huge"}, "1e308", 0, "1e308"});
        row<PairList>("NT value not a number", {two, twoNames, "12", 0, "42.5", "", {}, "abc"});
        row<PairList>("nothing chosen", {two, twoNames, "12"});
        row<PairList>("reordered after refresh",
                      {two, twoNames, "12", 1, "2", "4", "A\r\n1\r\nB\r\n2\r\n"});
        row<PairList>("shortened after refresh",
                      {two, twoNames, "12", 1, {}, "", "Water\r\n42.5\r\n"});
        for (const QByteArray& gone : {missing, folder, fifo})
            QTest::addRow("%s after refresh", gone.constData())
                << PairList{two, twoNames, "12", 1, {}, "", gone};
    }
    // Both lists are read when their window opens and on refresh; the chosen position's value is
    // read from the file as it is when used. A file that exists is never written; one that cannot
    // be read is named and changes nothing.
    void pairLists() {
        QFETCH(PairList, list);
        const QString compounds = u"Compounds.ini"_s, profileFile = u"Profiles.ini"_s;
        WindowFixture f;
        QVERIFY(plant(compounds, list.content) && plant(profileFile, list.content));
        f.open();
        QWidget* profiles = f.openProfiles();
        QCOMPARE(f.ntValue(), list.lastValue);
        f.click("R_Combo");
        profiles->findChild<QAction*>("R")->trigger();
        const QStringList onRead{fileUnreadableMessage(compounds),
                                 fileUnreadableMessage(f.path(profileFile))};
        QCOMPARE(f.messages.shown, QFileInfo(compounds).isFile() ? QStringList{} : onRead + onRead);
        auto* compoundList = f.control<QComboBox>("Combo1");
        auto* profileList = profiles->findChild<QComboBox*>();
        QCOMPARE(entries(compoundList) + entries(profileList), list.names + list.names);
        QCOMPARE(f.processes.started, QStringList{}); // the file exists: no first use
        f.messages.shown.clear();

        const QByteArray later = list.later.isNull() ? list.content : list.later;
        QVERIFY(plant(compounds, later) && plant(profileFile, later));
        const bool readable = QFileInfo(compounds).isFile();
        f.typeNtValue("50000");
        f.click("Command2");
        f.typeNtValue(list.nt);
        chooseEntry(compoundList, list.chosen);
        f.click("C_F");
        const QString name = list.chosen < 0 ? u"Select Compound"_s : list.names[list.chosen];
        const QString first = list.frequency.isEmpty() ? u"313.106382978723"_s : list.frequency;
        QCOMPARE(shown(f), readable ? name + "||||" + first + "|826.297872340425|"
                                    : u"Lithium|6|7| |313.106382978723|826.297872340425|"_s);
        f.typeNtValue("47000");
        chooseEntry(profileList, list.chosen);
        QTest::mouseClick(profiles->findChild<QPushButton*>("Command1"), Qt::LeftButton);
        QCOMPARE(f.ntValue(), list.value.isNull() ? u"47000"_s : list.value);
        QCOMPARE(f.messages.shown, !readable                  ? onRead
                                   : list.frequency.isEmpty() ? QStringList{selectFirst}
                                                              : QStringList{});
        f.window->close();
        QCOMPARE(state(compounds) + state(profileFile), later + later);
    }

    // Nothing can be written once the working folder is gone, not even by root: the windows work
    // on, the user is told, and no file lands anywhere else.
    void workingFolderRemoved() {
        const QString rootFile = u"/Profiles.ini"_s;
        if (QFileInfo::exists(rootFile))
            QSKIP("/Profiles.ini exists already: cannot tell whether the program writes it");
        const auto cleanUp = qScopeGuard([&] { QFile::remove(rootFile); }); // only ours then
        WindowFixture f;
        f.open();
        QVERIFY(QDir(f.path()).removeRecursively());
        f.click("R_Combo");
        QCOMPARE(f.control<QComboBox>("Combo1")->count(), 1); // the list stays
        f.typeNtValue("50000");
        f.click("Command0");
        QCOMPARE(f.text("NMR_f_0"), "2127.65957446808");
        QVERIFY(f.openProfiles()); // the example cannot be written: no editor, only the failure
        QCOMPARE(state(rootFile), missing);
        QCOMPARE(f.processes.started, QStringList{});
        f.window->close();
        QCOMPARE(f.messages.shown, (QStringList{fileUnreadableMessage("Compounds.ini"),
                                                fileUnwritableMessage("Profiles.ini"),
                                                zental::settingsNotSavedMessage("ZENTAL.ini")}));
        QVERIFY(!QFileInfo::exists(f.path())); // nothing made the folder again
    }
};

QTEST_MAIN(tst_Windows)
#include "tst_windows.moc"
