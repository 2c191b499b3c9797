// Every button caption begins with its element's atomic number; the buttons are numbered in five
// runs across the periodic table.
#include "catalogue.h"

#include <QTest>

class tst_Catalogue : public QObject {
    Q_OBJECT
private slots:
    void captionsFollowTheButtonNumbers_data() {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<int>("atomicMinusButton");
        QTest::newRow("hydrogen to krypton") << 0 << 35 << 1;
        QTest::newRow("rubidium to lanthanum") << 37 << 57 << 0;
        QTest::newRow("hafnium to actinium") << 58 << 75 << 14;
        QTest::newRow("cerium to lutetium") << 76 << 89 << -18;
        QTest::newRow("thorium to lawrencium") << 90 << 103 << 0;
    }

    void captionsFollowTheButtonNumbers() {
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(int, atomicMinusButton);
        for (int button = first; button <= last; ++button) {
            const std::string_view caption = zental::findElementButton(button)->caption;
            QCOMPARE(std::stoi(std::string(caption)), button + atomicMinusButton);
        }
    }
};

QTEST_APPLESS_MAIN(tst_Catalogue)
#include "tst_catalogue.moc"
