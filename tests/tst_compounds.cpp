// The compound list on the real main window: the default file, refreshing, choosing, the
// compound frequency, and the editor and browser buttons (through the recording starter).
#include "support/windowfixture.h"

#include <QComboBox>

namespace {

QByteArray pairs(int count) {
    QByteArray content;
    for (int k = 0; k < count; ++k)
        content +=
            "Compound " + QByteArray::number(k) + "\r\n" + QByteArray::number(k + 1) + "\r\n";
    return content;
}

QStringList items(const QComboBox* combo) {
    QStringList names;
    for (int i = 0; i < combo->count(); ++i)
        names << combo->itemText(i);
    return names;
}

} // namespace

class tst_Compounds : public QObject {
    Q_OBJECT
private slots:
    void defaultFileIsWrittenOnlyWhenMissing();
    void unreadableFileIsNeverReplaced();
    void listHoldsAtMost51Names();
    void lastNameWithoutFrequencyGivesTheMessage();
    void ntValueOf7050ShowsTheReferenceFrequency();
    void compoundAfterElementKeepsTheOtherFrequencies();
    void failuresShowTheMessageAfterBlankingIsotopes_data();
    void failuresShowTheMessageAfterBlankingIsotopes();
    void typingIntoTheComboIsUndone();
    void refreshShowsEditsAndDropsTheChoice();
    void fileChangedAfterRefresh();
    void editorAndBrowserButtons();

private:
    static QComboBox* combo(const WindowFixture& f) { return f.control<QComboBox>("Combo1"); }
};

void tst_Compounds::defaultFileIsWrittenOnlyWhenMissing() {
    {
        WindowFixture f;
        f.open();
        QCOMPARE(fileContent("Compounds.ini"), QByteArray("Compound Name\r\nNMR Frequency\r\n"));
        QCOMPARE(items(combo(f)), QStringList{"Compound Name"});
        QCOMPARE(combo(f)->currentText(), "Select Compound");
        QCOMPARE(combo(f)->currentIndex(), -1);
    }
    WindowFixture f;
    QVERIFY(writeFile("Compounds.ini", "Water\n42.5\n"));
    f.open();
    QCOMPARE(fileContent("Compounds.ini"), QByteArray("Water\n42.5\n"));
    QCOMPARE(items(combo(f)), QStringList{"Water"});
    QVERIFY(f.messages.shown.isEmpty());
}

void tst_Compounds::unreadableFileIsNeverReplaced() {
    WindowFixture f;
    QVERIFY(QDir().mkdir("Compounds.ini"));
    f.open();
    QVERIFY(QFileInfo("Compounds.ini").isDir());
    QCOMPARE(combo(f)->count(), 0);
    QCOMPARE(f.messages.shown, QStringList{"The file \"Compounds.ini\" could not be read."});
    f.click("R_Combo");
    f.click("C_F");
    QCOMPARE(f.messages.shown.size(), 3);
    QVERIFY(f.messages.shown[2].contains("\"Compounds.ini\""));
    QCOMPARE(f.text("NMR_E"), ""); // a failed read changes no label
    QVERIFY(f.control("C_F")->isEnabled());
}

void tst_Compounds::listHoldsAtMost51Names() {
    WindowFixture f;
    QVERIFY(writeFile("Compounds.ini", pairs(53)));
    f.open();
    QCOMPARE(combo(f)->count(), 51);
    QCOMPARE(combo(f)->itemText(50), "Compound 50");
    f.typeNtValue("7050");
    chooseEntry(combo(f), 50);
    f.click("C_F");
    QCOMPARE(f.text("NMR_f_0"), "51");
}

void tst_Compounds::lastNameWithoutFrequencyGivesTheMessage() {
    WindowFixture f;
    QVERIFY(writeFile("Compounds.ini", "Water\r\n42.5\r\nBenzene"));
    f.open();
    QCOMPARE(items(combo(f)), (QStringList{"Water", "Benzene"}));
    f.typeNtValue("50000");
    chooseEntry(combo(f), 1);
    f.click("C_F");
    QCOMPARE(f.text("NMR_E"), "Benzene");
    QCOMPARE(f.messages.shown, QStringList{"Select Compound First and try again."});
}

void tst_Compounds::ntValueOf7050ShowsTheReferenceFrequency() {
    WindowFixture f;
    QVERIFY(writeFile("Compounds.ini", "Water\r\n42.5\r\nSalt\r\n1,234.5\r\n"));
    f.open();
    f.typeNtValue("7050");
    chooseEntry(combo(f), 1);
    f.click("C_F");
    QCOMPARE(f.text("NMR_E"), "Salt");
    QCOMPARE(f.text("NMR_f_0"), "1234.5");
    QVERIFY(f.messages.shown.isEmpty());
}

void tst_Compounds::compoundAfterElementKeepsTheOtherFrequencies() {
    WindowFixture f;
    QVERIFY(writeFile("Compounds.ini", "Water\r\n42.5\r\n"));
    f.open();
    f.typeNtValue("50000");
    f.click("Command50");
    chooseEntry(combo(f), 0);
    f.click("C_F");
    for (const char* name : {"Isotope1_0", "Isotope1_1", "Isotope1_2"})
        QCOMPARE(f.text(name), "");
    QCOMPARE(f.text("NMR_f_0"), "301.418439716312");
    QCOMPARE(f.text("NMR_f_1"), "757.978723404255");
    QCOMPARE(f.text("NMR_f_2"), "793.021276595745");
    f.click("Command0"); // an element press writes all seven labels again
    QCOMPARE(f.text("Isotope1_1"), " ");
    QCOMPARE(f.text("NMR_f_2"), "");
}

void tst_Compounds::failuresShowTheMessageAfterBlankingIsotopes_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("ntValue");
    QTest::addColumn<int>("chosen");
    QTest::addColumn<QString>("shownName");
    QTest::newRow("nothing chosen")
        << QByteArray("Water\r\n42.5\r\n") << "50000" << -1 << "Select Compound";
    QTest::newRow("default file") << QByteArray("Compound Name\r\nNMR Frequency\r\n") << "50000"
                                  << 0 << "Compound Name";
    QTest::newRow("empty NT value") << QByteArray("Water\r\n42.5\r\n") << "" << 0 << "Water";
    QTest::newRow("blank last entry") << QByteArray("Water\r\n42.5\r\n\r\n") << "50000" << 1 << "";
    QTest::newRow("overflow") << QByteArray("Huge\r\n1e308\r\n") << "1e6" << 0 << "Huge";
}

void tst_Compounds::failuresShowTheMessageAfterBlankingIsotopes() {
    QFETCH(QByteArray, file);
    QFETCH(QString, ntValue);
    QFETCH(int, chosen);
    QFETCH(QString, shownName);
    WindowFixture f;
    QVERIFY(writeFile("Compounds.ini", file));
    f.open();
    f.typeNtValue("50000");
    f.click("Command2");
    f.typeNtValue(ntValue);
    if (chosen >= 0)
        chooseEntry(combo(f), chosen);
    f.click("C_F");
    QCOMPARE(f.text("NMR_E"), shownName);
    QCOMPARE(f.text("Isotope1_0"), "");
    QCOMPARE(f.text("NMR_f_0"), "313.106382978723"); // the element's, untouched
    QCOMPARE(f.messages.shown, QStringList{"Select Compound First and try again."});
}

void tst_Compounds::typingIntoTheComboIsUndone() {
    WindowFixture f;
    QVERIFY(writeFile("Compounds.ini", "Water\r\n42.5\r\n"));
    f.open();
    chooseEntry(combo(f), 0);
    QCOMPARE(combo(f)->currentText(), "Water");
    QTest::keyClicks(combo(f)->lineEdit(), "Xy");
    QCOMPARE(combo(f)->currentText(), "Select Compound");
    QCOMPARE(combo(f)->currentIndex(), -1);
    QCOMPARE(combo(f)->count(), 1);
}

void tst_Compounds::refreshShowsEditsAndDropsTheChoice() {
    WindowFixture f;
    f.open();
    chooseEntry(combo(f), 0);
    QVERIFY(writeFile("Compounds.ini", "Water\n42.5\nSalt\n12\n"));
    QCOMPARE(items(combo(f)), QStringList{"Compound Name"}); // not before the refresh
    f.click("R_Combo");
    QCOMPARE(items(combo(f)), (QStringList{"Water", "Salt"}));
    QCOMPARE(combo(f)->currentIndex(), -1);
    QCOMPARE(combo(f)->currentText(), "Select Compound");
}

void tst_Compounds::fileChangedAfterRefresh() {
    WindowFixture f;
    QVERIFY(writeFile("Compounds.ini", "Water\r\n42.5\r\nSalt\r\n12\r\n"));
    f.open();
    f.typeNtValue("7050");
    chooseEntry(combo(f), 1);
    QVERIFY(writeFile("Compounds.ini", "A\r\n1\r\nB\r\n2\r\n")); // same length: pair 1 now B
    f.click("C_F");
    QCOMPARE(f.text("NMR_E"), "Salt"); // the name as listed
    QCOMPARE(f.text("NMR_f_0"), "2");
    QVERIFY(writeFile("Compounds.ini", "A\r\n1\r\n"));
    f.click("C_F");
    QCOMPARE(f.messages.shown, QStringList{"Select Compound First and try again."});
    QVERIFY(QFile::remove("Compounds.ini"));
    f.click("C_F");
    QCOMPARE(f.messages.shown.last(), "The file \"Compounds.ini\" could not be read.");
    QCOMPARE(f.text("NMR_f_0"), "2");
}

void tst_Compounds::editorAndBrowserButtons() {
    WindowFixture f;
    f.open();
    f.click("ComP");
    QCOMPARE(f.processes.started.size(), 1);
    QCOMPARE(f.processes.started[0].program, "xdg-open");
    QCOMPARE(f.processes.started[0].arguments, QStringList{"Compounds.ini"});

    f.processes.failing = {"xdg-open"};
    f.click("ComP");
    QCOMPARE(f.processes.started.size(), 3);
    QCOMPARE(f.processes.started[2].arguments, QStringList{"Compounds.ini"}); // second editor
    QVERIFY(f.messages.shown.isEmpty());

    f.processes.failing << f.processes.started[2].program;
    f.click("ComP");
    QCOMPARE(f.messages.shown.size(), 1);
    QVERIFY(f.messages.shown[0].startsWith(
        "No text editor could be started to open \"Compounds.ini\""));

    f.click("Command36");
    QCOMPARE(f.processes.started.last().arguments,
             QStringList{"https://www.ngdc.noaa.gov/geomag-web/?useFullSite=true#igrfwmm"});
    QCOMPARE(f.messages.shown.size(), 2);
    QVERIFY(f.messages.shown[1].startsWith("The web browser could not be started"));
}

QTEST_MAIN(tst_Compounds)
#include "tst_compounds.moc"
