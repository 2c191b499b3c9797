// The main window as the user meets it: start-up and shut-down with the settings file, element
// presses with typed NT values, the NT value box, keyboard order and the fixed layout.
#include "support/windowfixture.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>

class tst_MainWindow : public QObject {
    Q_OBJECT
private slots:
    void firstStartInAnEmptyFolder();
    void workedExamples_data();
    void workedExamples();
    void equivalentNtTexts_data();
    void equivalentNtTexts();
    void elementPressWritesAllSevenLabels();
    void invalidNtValueLeavesNoOldFrequency();
    void disabledButtonChangesNothing();
    void ntValueSurvivesARestart();
    void shortSettingsFileKeepsItsValue();
    void unwritableSettingsFileIsReportedAtShutDown();
    void typingIsLimitedButStoredTextStaysWhole();
    void tabOrderFollowsThePeriodicTable();
    void helpShowsTheHelpText();
    void layoutMatchesTheDrawing();
};

void tst_MainWindow::firstStartInAnEmptyFolder() {
    WindowFixture f;
    auto& window = f.open();
    QCOMPARE(window.windowTitle(), "ZENTAL Frequencies by Velmora");
    QCOMPARE(window.objectName(), "form1");
    QCOMPARE(fileContent("ZENTAL.ini"), QByteArray("\r\n\r\n\r\n"));
    auto* nt = f.control<QLineEdit>("NT_V");
    QVERIFY(nt->text().isEmpty());
    for (const char* name : {"NT_V", "Combo1", "C_F", "ComP", "R_Combo", "Command36"})
        QVERIFY2(f.control(name)->isEnabled(), name);
    QVERIFY(window.findChild<QAction*>("Profiles")->isEnabled());
    QTRY_COMPARE(QApplication::focusWidget(), nt);
    int disabledButtons = 0;
    for (int n = 0; n <= 103; ++n)
        if (n != 36 && !f.control(QStringLiteral("Command%1").arg(n))->isEnabled())
            ++disabledButtons;
    QCOMPARE(disabledButtons, 22);
    QVERIFY(f.messages.shown.isEmpty());
}

void tst_MainWindow::workedExamples_data() {
    QTest::addColumn<QString>("ntValue");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("slot");
    QTest::addColumn<bool>("commaLocale");
    QTest::addColumn<QString>("expected");
    QTest::newRow("hydrogen 50000") << "50000"
                                    << "Command0" << 0 << false << "2127.65957446808";
    QTest::newRow("hydrogen 47000") << "47000"
                                    << "Command0" << 0 << false << "2000";
    QTest::newRow("helium") << "50000"
                            << "Command1" << 0 << false << "1620.89361702128";
    QTest::newRow("lithium 6") << "48500"
                               << "Command2" << 0 << false << "303.713191489362";
    QTest::newRow("lithium 7") << "48500"
                               << "Command2" << 1 << false << "801.508936170213";
    QTest::newRow("tin 115") << "50000"
                             << "Command50" << 0 << false << "695.723404255319";
    QTest::newRow("tin 117") << "50000"
                             << "Command50" << 1 << false << "757.978723404255";
    QTest::newRow("tin 119") << "50000"
                             << "Command50" << 2 << false << "793.021276595745";
    QTest::newRow("tantalum") << "23500"
                              << "Command59" << 0 << false << "120";
    QTest::newRow("negative") << "-50000"
                              << "Command0" << 0 << false << "-2127.65957446808";
    QTest::newRow("comma decimal 48123,5") << "48123,5"
                                           << "Command0" << 0 << true << "2047,8085106383";
    QTest::newRow("comma locale groups dots") << "48123.5"
                                              << "Command0" << 0 << true << "20478,085106383";
    QTest::newRow("exponent form") << "1e20"
                                   << "Command0" << 0 << false << "4.25531914893617E+18";
    QTest::newRow("exactly 1E15") << "2.35e16"
                                  << "Command0" << 0 << false << "1E+15";
    QTest::newRow("zero") << "0"
                          << "Command50" << 2 << false << "0";
    QTest::newRow("negative zero") << "-0"
                                   << "Command0" << 0 << false << "0";
}

void tst_MainWindow::workedExamples() {
    QFETCH(QString, ntValue);
    QFETCH(QString, button);
    QFETCH(int, slot);
    QFETCH(bool, commaLocale);
    QFETCH(QString, expected);
    WindowFixture f;
    f.open(commaLocale ? commaSeparators : dotSeparators);
    f.typeNtValue(ntValue);
    f.click(button);
    QCOMPARE(f.text(QStringLiteral("NMR_f_%1").arg(slot)), expected);
    QVERIFY(f.messages.shown.isEmpty());
}

void tst_MainWindow::equivalentNtTexts_data() {
    QTest::addColumn<QString>("ntValue");
    for (const char* text : {" 50000 ", "+50000", "5e4", "5E4", "50,000"})
        QTest::newRow(text) << text;
}

void tst_MainWindow::equivalentNtTexts() {
    QFETCH(QString, ntValue);
    WindowFixture f;
    f.open();
    f.typeNtValue(ntValue);
    f.click("Command0");
    QCOMPARE(f.text("NMR_f_0"), "2127.65957446808");
}

void tst_MainWindow::elementPressWritesAllSevenLabels() {
    WindowFixture f;
    f.open();
    f.typeNtValue("50000");
    f.click("Command50");
    QCOMPARE(f.text("NMR_E"), "Tin");
    QCOMPARE(f.text("Isotope1_2"), "119");
    f.click("Command0");
    QCOMPARE(f.text("NMR_E"), "Hydrogen");
    QCOMPARE(f.text("Isotope1_0"), "1");
    QCOMPARE(f.text("NMR_f_0"), "2127.65957446808");
    for (const char* name : {"Isotope1_1", "Isotope1_2"})
        QCOMPARE(f.text(name), " ");
    for (const char* name : {"NMR_f_1", "NMR_f_2"})
        QCOMPARE(f.text(name), "");
}

void tst_MainWindow::invalidNtValueLeavesNoOldFrequency() {
    WindowFixture f;
    f.open();
    f.typeNtValue("50000");
    f.click("Command50");
    for (const char* bad : {"abc", ""}) {
        f.typeNtValue(bad);
        f.click("Command2");
        QCOMPARE(f.text("NMR_E"), "Lithium");
        QCOMPARE(f.text("Isotope1_0"), "6");
        QCOMPARE(f.text("Isotope1_1"), "7");
        QCOMPARE(f.text("Isotope1_2"), " ");
        for (const char* name : {"NMR_f_0", "NMR_f_1", "NMR_f_2"})
            QCOMPARE(f.text(name), "");
    }
    QCOMPARE(f.messages.shown.size(), 2);
    QVERIFY(f.messages.shown[0].contains("valid NT value"));
}

void tst_MainWindow::disabledButtonChangesNothing() {
    WindowFixture f;
    f.open();
    f.typeNtValue("50000");
    f.click("Command0");
    for (const char* disabled : {"Command17", "Command79", "Command103"}) {
        QVERIFY(!f.control(disabled)->isEnabled());
        f.click(disabled);
    }
    QCOMPARE(f.text("NMR_E"), "Hydrogen");
    QCOMPARE(f.text("NMR_f_0"), "2127.65957446808");
}

void tst_MainWindow::ntValueSurvivesARestart() {
    WindowFixture f;
    QVERIFY(writeFile("ZENTAL.ini", "first\r\n48000\r\nthird\r\nfourth\r\nfifth\r\n"));
    f.open();
    QCOMPARE(f.control<QLineEdit>("NT_V")->text(), "48000");
    QCOMPARE(fileContent("ZENTAL.ini"),
             QByteArray("first\r\n48000\r\nthird\r\nfourth\r\nfifth\r\n"));
    f.typeNtValue("not nr");
    f.window->close();
    QCOMPARE(fileContent("ZENTAL.ini"), QByteArray("\r\nnot nr\r\n\r\n"));
    f.open();
    QCOMPARE(f.control<QLineEdit>("NT_V")->text(), "not nr");
}

// An editor that dropped the last empty line must not cost the user the remembered value.
void tst_MainWindow::shortSettingsFileKeepsItsValue() {
    WindowFixture f;
    QVERIFY(writeFile("ZENTAL.ini", "\n48000"));
    f.open();
    QCOMPARE(f.control<QLineEdit>("NT_V")->text(), "48000");
    QCOMPARE(fileContent("ZENTAL.ini"), QByteArray("\r\n48000\r\n\r\n"));
}

void tst_MainWindow::unwritableSettingsFileIsReportedAtShutDown() {
    WindowFixture f;
    QVERIFY(QDir().mkdir("ZENTAL.ini")); // cannot be read or replaced, even by root
    f.open();
    for (const char* name : {"NT_V", "Combo1", "C_F", "ComP", "R_Combo"})
        QVERIFY2(f.control(name)->isEnabled(), name);
    QVERIFY(f.messages.shown.isEmpty());
    f.typeNtValue("50000");
    f.window->close();
    QCOMPARE(f.messages.shown.size(), 1);
    QVERIFY(f.messages.shown[0].contains("NT value could not be saved"));
    QVERIFY(QFileInfo("ZENTAL.ini").isDir());
}

void tst_MainWindow::typingIsLimitedButStoredTextStaysWhole() {
    WindowFixture f;
    QVERIFY(writeFile("ZENTAL.ini", "\r\n123456789012\r\n\r\n"));
    f.open();
    auto* nt = f.control<QLineEdit>("NT_V");
    QCOMPARE(nt->text(), "123456789012");
    nt->setFocus();
    nt->end(false);
    QTest::keyClick(nt, Qt::Key_9);
    QCOMPARE(nt->text(), "123456789012"); // no room for more
    QTest::keyClick(nt, Qt::Key_Backspace);
    QCOMPARE(nt->text(), "12345678901");

    f.typeNtValue("123456789");
    QCOMPARE(nt->text(), "1234567");
    f.typeNtValue("4800");
    QGuiApplication::clipboard()->setText("12345");
    QTest::keySequence(nt, QKeySequence::Paste);
    QCOMPARE(nt->text(), "4800123"); // the paste is cut to fit
}

void tst_MainWindow::tabOrderFollowsThePeriodicTable() {
    WindowFixture f;
    auto& window = f.open();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto* nt = f.control("NT_V");
    nt->setFocus();
    QStringList order;
    for (int i = 0; i < 88; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(order.first(), "Command1");
    QCOMPARE(order.indexOf("Command0"), order.indexOf("Command35") + 1);
    QCOMPARE(order.indexOf("Command37"), order.indexOf("Command0") + 1);
    QCOMPARE(order.mid(81),
             (QStringList{"Command36", "Combo1", "R_Combo", "ComP", "C_F", "NT_V", "Command1"}));
    for (const char* disabled : {"Command17", "Command70", "Command90"})
        QVERIFY(!order.contains(disabled));
}

void tst_MainWindow::helpShowsTheHelpText() {
    WindowFixture f;
    auto& window = f.open();
    auto* about = window.menuBar()->findChild<QMenu*>("About");
    QCOMPARE(about->title(), "About");
    about->findChild<QAction*>("Help")->trigger();
    QCOMPARE(f.messages.shown.size(), 1);
    QVERIFY(f.messages.shown[0].startsWith("ZENTAL is a program based on NMR frequencies"));
    QVERIFY(f.messages.shown[0].contains("(ZENTAL)in the area you set the NT value. After"));
    QVERIFY(f.messages.shown[0].endsWith("contact me."));
}

void tst_MainWindow::layoutMatchesTheDrawing() {
    WindowFixture f;
    auto& window = f.open();
    QCOMPARE(window.centralWidget()->size(), QSize(595, 598));
    QCOMPARE(f.control("Command0")->geometry(), QRect(72, 64, 25, 33));
    QCOMPARE(f.control("Command2")->geometry(), QRect(72, 96, 25, 33));
    QCOMPARE(f.control("Command42")->geometry(), QRect(200, 192, 33, 33));
    QCOMPARE(f.control("NMR_f_2")->geometry(), QRect(400, 528, 97, 17));
    QVERIFY(f.control("Label1")->geometry().right() > window.centralWidget()->width());
    // Hydrogen's button lies above lithium's where they overlap.
    const QObjectList& stack = window.centralWidget()->children();
    QVERIFY(stack.indexOf(f.control("Command0")) > stack.indexOf(f.control("Command2")));
    QVERIFY(stack.indexOf(f.control("NMR_E")) > stack.indexOf(f.control("NMR_L")));
    QCOMPARE(f.control<QPushButton>("Command19")->text(), "20 Ca");
}

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
