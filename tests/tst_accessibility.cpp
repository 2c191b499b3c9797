// What a screen reader and a keyboard user meet: names for every control, value labels that
// announce their value, Space on buttons, menus from the keyboard, selectable results.
#include "support/windowfixture.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>

namespace {

QString spokenName(QWidget* widget) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible ? accessible->text(QAccessible::Name) : QString();
}

void expectEveryControlNamed(QMainWindow* window) {
    for (QWidget* control :
         window->centralWidget()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (control->objectName().startsWith("Isotope1") ||
            control->objectName().startsWith("NMR_"))
            continue; // value labels: named with their value, checked below
        QVERIFY2(!spokenName(control).isEmpty(), qPrintable(control->objectName()));
    }
}

} // namespace

class tst_Accessibility : public QObject {
    Q_OBJECT
private slots:
    void everyControlHasAName();
    void valueLabelsAnnounceTheirValue();
    void spacePressesTheFocusedButton();
    void menusAreReachableFromTheKeyboard();
    void resultsCanBeSelectedButTabPassesThem();
};

void tst_Accessibility::everyControlHasAName() {
    WindowFixture f;
    QVERIFY(writeFile("Profiles.ini", "Home\r\n48000\r\n"));
    f.open();
    expectEveryControlNamed(f.window.get());
    QCOMPARE(spokenName(f.control("NT_V")), "NT Value");
    QCOMPARE(spokenName(f.control("Command19")), "20 Ca");
    QAccessibleInterface* calcium = QAccessible::queryAccessibleInterface(f.control("Command19"));
    QCOMPARE(calcium->text(QAccessible::Description), "Calcium");
    f.window->findChild<QAction*>("Profiles")->trigger();
    auto* profiles = f.window->findChild<QMainWindow*>("Form5");
    expectEveryControlNamed(profiles);
    QAccessibleInterface* list =
        QAccessible::queryAccessibleInterface(profiles->findChild<QWidget*>("Combo1"));
    const auto labels = list->relations(QAccessible::Label);
    QCOMPARE(labels.size(), 1);
    QCOMPARE(labels[0].first->text(QAccessible::Name), "Location NT");
}

void tst_Accessibility::valueLabelsAnnounceTheirValue() {
    WindowFixture f;
    f.open();
    QCOMPARE(spokenName(f.control("NMR_E")), "NMR Element");
    f.typeNtValue("50000");
    f.click("Command50");
    QCOMPARE(spokenName(f.control("NMR_E")), "NMR Element: Tin");
    QCOMPARE(spokenName(f.control("Isotope1_2")), "Isotope 3: 119");
    QCOMPARE(spokenName(f.control("NMR_f_0")), "NMR F 1 in HZ: 695.723404255319");
    f.click("Command0");
    QCOMPARE(spokenName(f.control("Isotope1_1")), "Isotope 2"); // blank slot: no stale value
    QCOMPARE(spokenName(f.control("NMR_f_1")), "NMR F 2 in HZ");
}

void tst_Accessibility::spacePressesTheFocusedButton() {
    WindowFixture f;
    f.open();
    f.typeNtValue("47000");
    QWidget* hydrogen = f.control("Command0");
    hydrogen->setFocus();
    QTest::keyClick(hydrogen, Qt::Key_Space);
    QCOMPARE(f.text("NMR_f_0"), "2000");
}

void tst_Accessibility::menusAreReachableFromTheKeyboard() {
    WindowFixture f;
    auto& window = f.open();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_Alt);
    QTRY_VERIFY(window.menuBar()->activeAction());
    QCOMPARE(window.menuBar()->activeAction()->text(), "About");
    QTest::keyClick(window.menuBar(), Qt::Key_Down);
    QMenu* about = window.menuBar()->findChild<QMenu*>("About");
    QTRY_VERIFY(about->isVisible());
    QTest::keyClick(about, Qt::Key_Return);
    QTRY_COMPARE(f.messages.shown.size(), 1);
    QVERIFY(f.messages.shown[0].startsWith("ZENTAL is a program"));
}

void tst_Accessibility::resultsCanBeSelectedButTabPassesThem() {
    WindowFixture f;
    f.open();
    for (const char* name : {"NMR_E", "Isotope1_0", "NMR_f_0", "NMR_f_2"}) {
        auto* label = f.control<QLabel>(name);
        QVERIFY(label->textInteractionFlags() & Qt::TextSelectableByMouse);
        QVERIFY(!(label->focusPolicy() & Qt::TabFocus));
    }
}

QTEST_MAIN(tst_Accessibility)
#include "tst_accessibility.moc"
