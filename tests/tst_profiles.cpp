// The profiles window on the real windows: first use, filling the list, loading an NT value into
// the main window, refresh, typing into the list, and one window at a time.
#include "support/windowfixture.h"

#include <QAction>
#include <QComboBox>
#include <QMenuBar>

namespace {

QByteArray profiles(int count) {
    QByteArray content;
    for (int k = 0; k < count; ++k)
        content +=
            "Place " + QByteArray::number(k) + "\r\n" + QByteArray::number(40000 + k) + "\r\n";
    return content;
}

} // namespace

class tst_Profiles : public QObject {
    Q_OBJECT
private slots:
    void firstUseWritesTheExampleAndOpensTheEditor();
    void unreadableFileIsNeverReplaced();
    void listHoldsAtMost51Profiles();
    void lastNameWithoutValueKeepsTheNtValue();
    void loadTakesTheValueNowAtThatPosition();
    void loadWithNothingChosenChangesNothing();
    void typingIntoTheListIsUndone();
    void oneWindowAtATime();
    void closingTheMainWindowClosesTheProfiles();
    void helpAndLayout();

private:
    static QMainWindow* profilesWindow(WindowFixture& f) {
        return f.window->findChild<QMainWindow*>("Form5");
    }
    static QMainWindow* openProfiles(WindowFixture& f) {
        f.window->findChild<QAction*>("Profiles")->trigger();
        return profilesWindow(f);
    }
    // Starts in a folder whose profile file holds `content` and opens the profiles window.
    static QMainWindow* openWithProfiles(WindowFixture& f, const QByteArray& content) {
        if (!writeFile("Profiles.ini", content))
            qFatal("the test folder does not take Profiles.ini");
        f.open();
        return openProfiles(f);
    }
    static void trigger(QMainWindow* window, const char* action) {
        window->findChild<QAction*>(action)->trigger();
    }
    static QComboBox* list(QMainWindow* window) { return window->findChild<QComboBox*>("Combo1"); }
    static QString ntValue(WindowFixture& f) { return f.control<QLineEdit>("NT_V")->text(); }
    static void load(QMainWindow* window) {
        QTest::mouseClick(window->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    }
};

void tst_Profiles::firstUseWritesTheExampleAndOpensTheEditor() {
    WindowFixture f;
    f.open();
    f.typeNtValue("48000");
    QMainWindow* window = openProfiles(f);
    QVERIFY(window);
    QCOMPARE(fileContent("Profiles.ini"), QByteArray("Location Name\r\nNT Value\r\n"));
    const QString path = QDir::currentPath() + "/Profiles.ini";
    QCOMPARE(f.processes.started.size(), 1);
    QCOMPARE(f.processes.started[0].arguments, QStringList{path});
    QCOMPARE(f.messages.shown.size(), 1);
    QVERIFY(f.messages.shown[0].startsWith("NotePad is used for editing the Profiles."));
    QCOMPARE(list(window)->count(), 0);
    QCOMPARE(list(window)->currentText(), "");
    QCOMPARE(ntValue(f), "48000");

    trigger(window, "R");
    QCOMPARE(list(window)->count(), 1);
    QCOMPARE(list(window)->itemText(0), "Location Name");
    QCOMPARE(list(window)->currentText(), "Select Profile");
    QCOMPARE(ntValue(f), "NT Value");

    trigger(window, "EP");
    QCOMPARE(f.processes.started.size(), 2);
    QCOMPARE(f.processes.started[1].arguments, QStringList{path});
}

void tst_Profiles::unreadableFileIsNeverReplaced() {
    WindowFixture f;
    QVERIFY(QDir().mkdir("Profiles.ini"));
    f.open();
    QMainWindow* window = openProfiles(f);
    QVERIFY(QFileInfo("Profiles.ini").isDir());
    QVERIFY(f.processes.started.isEmpty());
    QCOMPARE(f.messages.shown.size(), 1);
    QVERIFY(f.messages.shown[0].contains("Profiles.ini\" could not be read"));
    QCOMPARE(list(window)->count(), 0);
}

void tst_Profiles::listHoldsAtMost51Profiles() {
    WindowFixture f;
    QMainWindow* window = openWithProfiles(f, profiles(52));
    QCOMPARE(list(window)->count(), 51);
    QCOMPARE(ntValue(f), "40050");
    QCOMPARE(list(window)->currentText(), "Select Profile");
    QVERIFY(f.messages.shown.isEmpty());
}

void tst_Profiles::lastNameWithoutValueKeepsTheNtValue() {
    WindowFixture f;
    QMainWindow* window = openWithProfiles(f, "A\n1\nB");
    QCOMPARE(list(window)->count(), 2);
    QCOMPARE(list(window)->itemText(1), "B");
    QCOMPARE(ntValue(f), "1");
    f.typeNtValue("47000");
    chooseEntry(list(window), 1);
    load(window);
    QCOMPARE(ntValue(f), "47000"); // B has no NT value line: nothing to load
    chooseEntry(list(window), 0);
    load(window);
    QCOMPARE(ntValue(f), "1");
}

void tst_Profiles::loadTakesTheValueNowAtThatPosition() {
    WindowFixture f;
    QMainWindow* window = openWithProfiles(f, "Home\r\n48000\r\nCabin\r\n51000\r\n");
    chooseEntry(list(window), 1);
    QVERIFY(writeFile("Profiles.ini", "New\r\n1\r\nOther\r\n2\r\nHome\r\n48000\r\n"));
    load(window);
    QCOMPARE(ntValue(f), "2");
    QVERIFY(QFile::remove("Profiles.ini"));
    load(window);
    QCOMPARE(ntValue(f), "2");
    trigger(window, "R");
    QCOMPARE(ntValue(f), "2");
    QCOMPARE(list(window)->count(), 2); // the list stays as it was
    QCOMPARE(f.messages.shown.size(), 2);
    QVERIFY(f.messages.shown[1].contains("Profiles.ini\" could not be read"));
}

void tst_Profiles::loadWithNothingChosenChangesNothing() {
    WindowFixture f;
    QMainWindow* window = openWithProfiles(f, "Home\r\n48000\r\n");
    f.typeNtValue("50000");
    load(window);
    QCOMPARE(ntValue(f), "50000");
}

void tst_Profiles::typingIntoTheListIsUndone() {
    WindowFixture f;
    QMainWindow* window = openWithProfiles(f, "Home\r\n48000\r\n");
    chooseEntry(list(window), 0);
    QTest::keyClicks(list(window)->lineEdit(), "Zz");
    QCOMPARE(list(window)->currentText(), "Select Profile");
    QCOMPARE(list(window)->currentIndex(), -1);
}

void tst_Profiles::oneWindowAtATime() {
    WindowFixture f;
    QMainWindow* first = openWithProfiles(f, "Home\r\n48000\r\n");
    QVERIFY(writeFile("Profiles.ini", "Home\r\n48000\r\nCabin\r\n51000\r\n"));
    QCOMPARE(openProfiles(f), first);
    QCOMPARE(f.window->findChildren<QMainWindow*>("Form5").size(), 1);
    QCOMPARE(list(first)->count(), 1); // shown again, not reloaded
    QVERIFY(f.control("NT_V")->isEnabled());

    first->close();
    QTRY_VERIFY(!profilesWindow(f));
    QMainWindow* second = openProfiles(f);
    QCOMPARE(list(second)->count(), 2);
}

void tst_Profiles::closingTheMainWindowClosesTheProfiles() {
    WindowFixture f;
    QMainWindow* window = openWithProfiles(f, "Home\r\n48000\r\n");
    QVERIFY(window->isVisible());
    f.typeNtValue("49000");
    f.window->close();
    QVERIFY(!window->isVisible());
    QCOMPARE(fileContent("ZENTAL.ini"), QByteArray("\r\n49000\r\n\r\n"));
}

void tst_Profiles::helpAndLayout() {
    WindowFixture f;
    QMainWindow* window = openWithProfiles(f, "Home\r\n48000\r\n");
    QCOMPARE(window->windowTitle(), "Customer Profiles");
    QCOMPARE(window->centralWidget()->size(), QSize(319, 97));
    QCOMPARE(window->findChild<QPushButton*>("Command1")->geometry(), QRect(112, 56, 169, 25));
    QStringList menu;
    for (QAction* action : window->menuBar()->actions())
        menu << action->objectName() + "=" + action->text();
    QCOMPARE(menu, (QStringList{"EP=Edit Profiles", "R=Refresh", "H=Help"}));
    trigger(window, "H");
    QVERIFY(f.messages.shown.last().startsWith("Select the profile and press Load NT button"));
    QVERIFY(QTest::qWaitForWindowActive(window));
    QTRY_COMPARE(QApplication::focusWidget(), list(window));
}

QTEST_MAIN(tst_Profiles)
#include "tst_profiles.moc"
