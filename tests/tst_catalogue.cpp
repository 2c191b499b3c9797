// The element catalogue: the mapping of buttons to atomic numbers and the entries users rely on.
#include "catalogue.h"

#include <QTest>

using namespace zental;

class tst_Catalogue : public QObject {
    Q_OBJECT
private slots:
    void buttonNumbersFollowAtomicNumbers();
    void disabledButtonsAreTheUnlistedElements();
    void sharedMassLabelsKeepTheirOwnFrequencies();
};

// Captions begin with the atomic number; the button numbers map to it in five runs.
void tst_Catalogue::buttonNumbersFollowAtomicNumbers() {
    auto atomicNumber = [](int button) {
        if (button <= 35)
            return button + 1;
        if (button <= 57)
            return button;
        if (button <= 75)
            return button + 14;
        if (button <= 89)
            return button - 18;
        return button;
    };
    for (int button = 0; button <= 103; ++button) {
        const ElementButton* entry = findElementButton(button);
        if (button == 36) {
            QVERIFY(!entry);
            continue;
        }
        QVERIFY(entry);
        const QString caption = QString::fromLatin1(entry->caption.data(), entry->caption.size());
        QCOMPARE(caption.section(' ', 0, 0).toInt(), atomicNumber(button));
    }
    QCOMPARE(findElementButton(0)->caption, "1  H");
    QCOMPARE(findElementButton(103)->caption, "103 Lr");
}

void tst_Catalogue::disabledButtonsAreTheUnlistedElements() {
    QList<int> disabled;
    for (const ElementButton& b : elementCatalogue)
        if (!b.enabled())
            disabled << b.number;
    std::sort(disabled.begin(), disabled.end());
    const QList<int> expected{17, 70, 71, 72, 73, 74, 75, 76,  79,  90,  91,
                              93, 94, 95, 96, 97, 98, 99, 100, 101, 102, 103};
    QCOMPARE(disabled, expected);
    for (const ElementButton& b : elementCatalogue)
        QCOMPARE(b.enabled(), b.isotopeCount() > 0);
}

void tst_Catalogue::sharedMassLabelsKeepTheirOwnFrequencies() {
    const ElementButton& gadolinium = *findElementButton(82);
    QCOMPARE(gadolinium.elementName, "Gadolinium");
    QCOMPARE(gadolinium.isotopes[1].massLabel, "57");
    QCOMPARE(gadolinium.isotopes[1].referenceMHz, 4.774);
    const ElementButton& iron = *findElementButton(25);
    QCOMPARE(iron.isotopes[0].massLabel, "57");
    QCOMPARE(iron.isotopes[0].referenceMHz, 3.231);
    const ElementButton& tin = *findElementButton(50);
    QCOMPARE(tin.isotopeCount(), size_t(3));
    QCOMPARE(tin.isotopes[2].referenceMHz, 37.272);
    QCOMPARE(findElementButton(65)->isotopes[0].referenceMHz, 1.729); // gold, the smallest
}

QTEST_APPLESS_MAIN(tst_Catalogue)
#include "tst_catalogue.moc"
