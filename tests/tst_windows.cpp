// Both windows as the user meets them, offscreen in fresh temporary folders; tst_datafiles reads
// the damaged and odd data files. CTest's timeout turns a hang on a FIFO into a failure.
#include "support/programs.h"
#include "support/windowfixture.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QBitmap>
#include <QClipboard>

using namespace Qt::StringLiterals;

namespace {

// Data files are named by their full path; HERE stands for the test's folder.
const QString unreadableCompounds = u"The file \"HERE/Compounds.ini\" could not be read."_s;
const QString unreadableProfiles = u"The file \"HERE/Profiles.ini\" could not be read."_s;

const QString compoundFile = u"Compounds.ini"_s, profileFile = u"Profiles.ini"_s;
const QByteArray twoPairs = "Water\n42.5\nSalt\n12\n"; // lines may end in LF alone

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

struct Press {
    QString nt;         // typed, with "." and ","; the comma locale sees them swapped
    QString button;     // then pressed
    QString labels;     // the seven value labels then, "|" between them
    QStringList told{}; // the messages shown
};

// The same bytes as compound list and as profile list.
struct Use {
    QByteArray listed; // at Compounds.ini and Profiles.ini when the windows open
    QByteArray used;   // there when the entry is used
    int chosen;        // the entry used in both lists; -1: none
    QString labels;    // the value labels after "Compound freq" at 14100 nT, "|" between them
    QString loaded;    // NT_V after "Load NT Value", 47000 before
    QStringList told{};
};

// A stand-in that records its name, argument count, arguments and working folder in "started".
QByteArray recorder(const char* name) {
    return "#!/bin/sh\nprintf '%s|' " + QByteArray(name) + " $# \"$@\" \"$PWD\" >> started\n";
}

struct Launch {
    QString action; // the button pressed, or "Profiles" for the menu item
    QList<std::pair<QString, QByteArray>> programs{}; // on the PATH
    QByteArray started{};                             // what the stand-ins recorded
    QStringList told{};                               // the messages shown
};

} // namespace

class tst_Windows : public QObject {
    Q_OBJECT
private slots:
    void elementPress_data() {
        QTest::addColumn<Press>("press");
        // clang-format off
        QTest::newRow("helium") << Press{.nt = "50000", .button = "Command1", .labels = "Helium|3| | |1620.89361702128||"};
        QTest::newRow("lithium") << Press{.nt = "48500", .button = "Command2", .labels = "Lithium|6|7| |303.713191489362|801.508936170213|"};
        QTest::newRow("tantalum") << Press{.nt = "23500", .button = "Command59", .labels = "Tantalum|181| | |120||"};
        QTest::newRow("tin at zero") << Press{.nt = "0", .button = "Command50", .labels = "Tin|115|117|119|0|0|0"};
        QTest::newRow("decimal") << Press{.nt = "48123.5", .button = "Command0", .labels = "Hydrogen|1| | |2047.8085106383||"};
        QTest::newRow("not a number") << Press{.nt = "abc", .button = "Command2", .labels = "Lithium|6|7| |||", .told = {zental::invalidNtValueMessage}};
        QTest::newRow("empty") << Press{.nt = "", .button = "Command2", .labels = "Lithium|6|7| |||", .told = {zental::invalidNtValueMessage}};
        // clang-format on
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
            QCOMPARE(f.messages.shown, press.told);
        }
    }

    // A stored NT value longer than QLineEdit's default limit of 32767 characters stays whole.
    // ZENTAL.ini's second line is read at start-up; a file of three lines or more is left as it is
    // until shut-down writes it anew. (keysAndLaunches has a shorter one.)
    void typingIsLimitedButStoredTextStaysWhole() {
        WindowFixture f;
        const QByteArray five = "first\r\n" + QByteArray(40000, '4') + "\r\nthird\r\n\r\nfifth\r\n";
        QVERIFY(writeFile("ZENTAL.ini", five));
        f.open();
        QCOMPARE(fileContent("ZENTAL.ini"), five);
        auto* box = f.control<QLineEdit>("NT_V");
        QTest::keyClicks(box, "9");
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(box->text(), QString(39999, u'4')); // no room for the 9, room to shorten
        f.typeNtValue("123456789");
        QCOMPARE(box->text(), "1234567");
        f.typeNtValue("4800");
        QGuiApplication::clipboard()->setText("12345");
        QTest::keySequence(box, QKeySequence::Paste);
        QCOMPARE(box->text(), "4800123"); // the paste is cut to fit
        f.window->close();
        QCOMPARE(fileContent("ZENTAL.ini"), "\r\n4800123\r\n\r\n");
        QCOMPARE(f.messages.shown, QStringList{});
    }

    // Tab runs from NT_V through the enabled element buttons in the order of the periodic table,
    // then the other controls. Enter and Return press a button as Space does (editorStartsForReal
    // tells a failed launch). A profile name too long for its box shows whole in the drop-down; the
    // box keeps its size. A ZENTAL.ini short of three lines is written anew at start-up.
    void keysAndLaunches() {
        WindowFixture f;
        const QString name = u"Saint-Jean-sur-Richelieu, Monteregie, QC, Canada (north field)"_s;
        QVERIFY(writeFile(profileFile, name.toUtf8() + "\r\n47000\r\n"));
        QVERIFY(writeFile("ZENTAL.ini", "\n46000"));
        f.open();
        QCOMPARE(fileContent("ZENTAL.ini"), "\r\n46000\r\n\r\n");
        QCOMPARE(QApplication::focusWidget(), f.control("NT_V"));
        QStringList order;
        do
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        while ((order << QApplication::focusWidget()->objectName()).size() < 200 &&
               order.last() != "NT_V");
        QCOMPARE(order.size(), 103 - 22 + 6); // 22 element buttons are disabled
        QCOMPARE(order.mid(0, 2), (QStringList{"Command1", "Command2"}));
        QCOMPARE(order.mid(order.indexOf("Command35"), 3),
                 (QStringList{"Command35", "Command0", "Command37"}));
        QCOMPARE(order.mid(81),
                 (QStringList{"Command36", "Combo1", "R_Combo", "ComP", "C_F", "NT_V"}));
        f.typeNtValue("50000");
        QTest::keyClick(f.control("Command0"), Qt::Key_Return);
        QCOMPARE(f.text("NMR_f_0"), "2127.65957446808");
        QTest::keyClick(f.control("Command36"), Qt::Key_Enter);
        QCOMPARE(f.processes.started, QStringList{"xdg-open " + zental::calculatorPageAddress});
        QWidget* profiles = f.openProfiles();
        auto* list = profiles->findChild<QComboBox*>();
        f.typeNtValue("1");
        chooseEntry(list, 0);
        QTest::keyClick(profiles->findChild<QPushButton*>("Command1"), Qt::Key_Return);
        QCOMPARE(f.ntValue(), "47000");
        const QRect box = list->geometry();
        list->showPopup();
        QTRY_VERIFY(list->view()->isVisible());
        QVERIFY(list->view()->fontMetrics().horizontalAdvance(name) <
                list->view()->viewport()->width());
        QCOMPARE(list->geometry(), box);
    }

    // Every caption begins with its element's atomic number, which runs from the button number in
    // five stretches: H to Kr, Rb to La, Hf to Ac, Ce to Lu, Th to Lr. Every label paints its own
    // background: none shows the magenta sheet laid beneath them all.
    void drawnAndSpoken() {
        WindowFixture f;
        QWidget* client = f.open().centralWidget();
        for (const auto& [first, last, atomicMinusButton] :
             std::initializer_list<std::array<int, 3>>{
                 {0, 35, 1}, {37, 57, 0}, {58, 75, 14}, {76, 89, -18}, {90, 103, 0}})
            for (int button = first; button <= last; ++button)
                QCOMPARE(
                    f.control<QPushButton>(u"Command%1"_s.arg(button))->text().section(u' ', 0, 0),
                    QString::number(button + atomicMinusButton));
        QWidget* profiles = f.openProfiles();
        QAccessibleInterface* calcium =
            QAccessible::queryAccessibleInterface(f.control("Command19"));
        QCOMPARE(calcium->text(QAccessible::Description), "Calcium");
        const auto named = QAccessible::queryAccessibleInterface(profiles->findChild<QComboBox*>())
                               ->relations(QAccessible::Label);
        QCOMPARE(named.size(), 1);
        QCOMPARE(named[0].first->text(QAccessible::Name), "Location NT");
        QVERIFY(f.control<QLabel>("NMR_f_0")->textInteractionFlags() & Qt::TextSelectableByMouse);
        // Hydrogen's button lies over lithium's, a value label over the caption it overlaps.
        const QObjectList& stack = client->children();
        QVERIFY(stack.indexOf(f.control("Command0")) > stack.indexOf(f.control("Command2")));
        QVERIFY(stack.indexOf(f.control("NMR_E")) > stack.indexOf(f.control("NMR_L")));
        auto* sheet = new QWidget(client);
        sheet->setPalette(QPalette(Qt::magenta));
        sheet->setAutoFillBackground(true);
        sheet->setGeometry(client->rect());
        sheet->lower();
        sheet->show();
        const QImage seen = client->grab().toImage();
        const QRegion sheetShows(
            QBitmap::fromImage(seen.createMaskFromColor(qRgb(255, 0, 255), Qt::MaskOutColor)));
        QVERIFY(sheetShows.contains(QPoint(0, 0))); // where nothing lies on it
        const QList<QLabel*> labels = client->findChildren<QLabel*>();
        QCOMPARE(labels.size(), 14);
        for (const QLabel* label : labels)
            QVERIFY2(!sheetShows.intersects(label->geometry()), qPrintable(label->objectName()));
    }

    void firstStartInAnEmptyFolder() {
        WindowFixture f;
        f.open();
        f.window->findChild<QAction*>("Help")->trigger();
        auto* compounds = f.control<QComboBox>("Combo1");
        QCOMPARE(fileContent("Compounds.ini"), "Compound Name\r\nNMR Frequency\r\n");
        QCOMPARE(entries(compounds), QStringList{"Compound Name"});
        chooseEntry(compounds, 0);
        f.click("R_Combo"); // drops the choice
        QCOMPARE(compounds->currentText(), "Select Compound");
        f.typeNtValue("48000");
        QWidget* profiles = f.openProfiles();
        auto* list = profiles->findChild<QComboBox*>();
        QCOMPARE(fileContent("Profiles.ini"), "Location Name\r\nNT Value\r\n");
        QCOMPARE(list->count(), 0);
        QCOMPARE(f.ntValue(), "48000");
        profiles->findChild<QAction*>("R")->trigger();
        QCOMPARE(entries(list), QStringList{"Location Name"});
        QCOMPARE(f.ntValue(), "NT Value");
        for (const auto& [box, prompt] :
             {std::pair{compounds, "Select Compound"}, std::pair{list, "Select Profile"}}) {
            chooseEntry(box, 0);
            QTest::keyClicks(box->lineEdit(), "Xy"); // typed over
            QCOMPARE(box->currentText(), prompt);
            QCOMPARE(box->currentIndex(), -1);
        }
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
        f.window->close(); // closes the profiles too
        QVERIFY(!profiles->isVisible());
    }

    // Stand-ins started for real, also under Xvfb as on a desktop: each records its name, its
    // argument count, its arguments (a path with its blank whole) and its working folder. An
    // opener that fails at once or is missing leads to the next candidate; none: the message.
    void editorStartsForReal_data() {
        QTest::addColumn<Launch>("launch");
        const QByteArray failing = "#!/bin/sh\nexit 4\n",
                         page = zental::calculatorPageAddress.toUtf8();
        const QString noEditor =
            u"No text editor could be started to open \"HERE/Compounds.ini\". Tried:\nxdg-open Compounds.ini"_s;
        // clang-format off
        QTest::newRow("the opener, on first use") << Launch{.action = "Profiles", .programs = {{"xdg-open", recorder("xdg-open")}}, .started = "xdg-open|1|HERE/Profiles.ini|HERE|", .told = {zental::profilesFirstUseMessage}};
        QTest::newRow("a failing opener, then an editor") << Launch{.action = "ComP", .programs = {{"xdg-open", failing}, {"kate", recorder("kate")}, {"xed", recorder("xed")}}, .started = "kate|1|Compounds.ini|HERE|"};
        QTest::newRow("no opener, then an editor") << Launch{.action = "ComP", .programs = {{"mousepad", recorder("mousepad")}}, .started = "mousepad|1|Compounds.ini|HERE|"};
        QTest::newRow("a failing opener and nothing else") << Launch{.action = "ComP", .programs = {{"xdg-open", failing}}, .told = {noEditor}};
        QTest::newRow("a failing opener, then a browser") << Launch{.action = "Command36", .programs = {{"xdg-open", failing}, {"firefox", recorder("firefox")}}, .started = "firefox|1|" + page + "|HERE|"};
        QTest::newRow("no browser") << Launch{.action = "Command36", .programs = {{"xdg-open", failing}}, .told = {zental::browserFailureMessage({"xdg-open " + page})}};
        // clang-format on
    }
    void editorStartsForReal() {
        QFETCH(Launch, launch);
        WindowFixture f;
        const auto path = onlyOnPath(launch.programs);
        zental::DetachedProcessStarter real;
        f.starter = &real;
        f.open();
        if (launch.action == "Profiles")
            f.openProfiles();
        else
            f.click(launch.action);
        // The limits only turn a hang into a failure: a loaded machine starts processes slowly.
        const QStringList told = launch.told.replaceInStrings("HERE", f.path());
        QTRY_COMPARE_WITH_TIMEOUT(f.messages.shown, told, 60000);
        QTRY_COMPARE_WITH_TIMEOUT(fileContent("started").replace(f.path().toUtf8(), "HERE"),
                                  launch.started.isEmpty() ? unreadable : launch.started, 60000);
    }

    // Both lists are read when their window opens and on refresh, the last profile's value going
    // into NT_V. A list that cannot be read is named and stays as it was; a file that exists is
    // never written, nor opened as on first use.
    void listsShowWhatTheFilesHold() {
        WindowFixture f;
        QVERIFY(plant(compoundFile, fifo) && plant(profileFile, fifo));
        f.open();
        QWidget* profiles = f.openProfiles();
        auto* compounds = f.control<QComboBox>("Combo1");
        auto* list = profiles->findChild<QComboBox*>();
        const QStringList unreadable =
            QStringList{unreadableCompounds, unreadableProfiles}.replaceInStrings("HERE", f.path());
        QCOMPARE(f.messages.shown, unreadable);
        QCOMPARE(entries(compounds), QStringList{});
        QCOMPARE(entries(list), QStringList{});
        QCOMPARE(state(compoundFile), fifo);
        QCOMPARE(state(profileFile), fifo);
        QCOMPARE(f.processes.started, QStringList{});
        for (const QByteArray& content : {twoPairs, folder}) {
            QVERIFY(plant(compoundFile, content) && plant(profileFile, content));
            f.click("R_Combo");
            profiles->findChild<QAction*>("R")->trigger();
            QCOMPARE(entries(compounds), (QStringList{"Water", "Salt"}));
            QCOMPARE(entries(list), (QStringList{"Water", "Salt"}));
            QCOMPARE(f.ntValue(), "12");
        }
        QCOMPARE(f.messages.shown, unreadable + unreadable);
    }

    // The chosen position's value is read from the file as it is when used.
    void entryUse_data() {
        QTest::addColumn<Use>("use");
        const QString lithium = u"313.106382978723|826.297872340425|"_s;
        const QString longName(40000, u'N'); // over QLineEdit's default limit of 32767
        const QByteArray longList = longName.toLatin1() + "\r\n42.5\r\n";
        // clang-format off
        QTest::newRow("reordered since read") << Use{.listed = twoPairs, .used = "A\r\n1\r\nB\r\n2\r\n", .chosen = 1, .labels = "Salt||||4|826.297872340425|", .loaded = "2"};
        QTest::newRow("name of 40000 characters") << Use{.listed = longList, .used = longList, .chosen = 0, .labels = longName + "||||85|826.297872340425|", .loaded = "42.5"};
        QTest::newRow("nothing chosen") << Use{.listed = twoPairs, .used = twoPairs, .chosen = -1, .labels = "Select Compound||||" + lithium, .loaded = "47000", .told = {u"Select Compound First and try again."_s}};
        QTest::newRow("unreadable when used") << Use{.listed = twoPairs, .used = folder, .chosen = 1, .labels = "Lithium|6|7| |" + lithium, .loaded = "47000", .told = {unreadableCompounds, unreadableProfiles}};
        // clang-format on
    }
    void entryUse() {
        QFETCH(Use, use);
        WindowFixture f;
        QVERIFY(plant(compoundFile, use.listed) && plant(profileFile, use.listed));
        f.open();
        QWidget* profiles = f.openProfiles();
        QVERIFY(plant(compoundFile, use.used) && plant(profileFile, use.used));
        f.typeNtValue("50000");
        f.click("Command2");
        f.typeNtValue("14100");
        chooseEntry(f.control<QComboBox>("Combo1"), use.chosen);
        f.click("C_F");
        QCOMPARE(shown(f), use.labels);
        f.typeNtValue("47000");
        chooseEntry(profiles->findChild<QComboBox*>(), use.chosen);
        QTest::mouseClick(profiles->findChild<QPushButton*>("Command1"), Qt::LeftButton);
        QCOMPARE(f.ntValue(), use.loaded);
        QCOMPARE(f.messages.shown, use.told.replaceInStrings("HERE", f.path()));
        QCOMPARE(f.processes.started, QStringList{}); // the file exists: no first use
        f.window->close();
        QCOMPARE(state(compoundFile), use.used); // never written
        QCOMPARE(state(profileFile), use.used);
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
        QCOMPARE(f.messages.shown, (QStringList{zental::fileUnreadableMessage("Compounds.ini"),
                                                zental::fileUnwritableMessage("Profiles.ini"),
                                                zental::settingsNotSavedMessage("ZENTAL.ini")}));
        QVERIFY(!QFileInfo::exists(f.path())); // nothing made the folder again
    }
};

QTEST_MAIN(tst_Windows)
#include "tst_windows.moc"
