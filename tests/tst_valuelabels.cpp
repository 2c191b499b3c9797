// Every value the main window shows is drawn whole inside its framed label: the widest element
// names and 15-digit frequencies, measured with the label's own font and checked in the pixels.
// Run once at 96 DPI and once more at twice the scale.
#include "core/catalogue.h"
#include "support/windowfixture.h"

using namespace Qt::StringLiterals;

namespace {

// The label's contents rectangle in the device pixels of a grab of it.
QRect inDevicePixels(const QLabel* label, qreal ratio) {
    const QRect inside = label->contentsRect();
    return {inside.topLeft() * ratio, inside.size() * ratio};
}

// The text's width by the label's font and its indent, against the room inside the frame; then the
// label as painted against the same label painted four times as wide: inside the frame both hold
// the same pixels, and the wide one's last ink lies inside the frame.
void verifyDrawnWhole(QLabel* label) {
    const int needed = label->indent() + label->fontMetrics().horizontalAdvance(label->text());
    QVERIFY2(label->indent() >= 0 && needed <= label->contentsRect().width(),
             qPrintable(label->text()));
    const QImage drawn = label->grab().toImage();
    const QRect inside = inDevicePixels(label, drawn.devicePixelRatio());
    const QSize size = label->size();
    label->resize(size.width() * 4, size.height());
    const QImage wide = label->grab().toImage();
    const QRect wideInside = inDevicePixels(label, wide.devicePixelRatio());
    label->resize(size);
    const QRgb background = label->palette().color(label->backgroundRole()).rgb();
    int lastInk = -1;
    for (int x = wideInside.left(); x <= wideInside.right(); ++x)
        for (int y = wideInside.top(); y <= wideInside.bottom(); ++y)
            if (wide.pixel(x, y) != background)
                lastInk = x;
    QVERIFY2(lastInk >= 0 && lastInk <= inside.right(), qPrintable(label->text()));
    QCOMPARE(drawn.copy(inside), wide.copy(inside));
}

} // namespace

class tst_ValueLabels : public QObject {
    Q_OBJECT
private slots:
    // The widest frequencies, each checked to be the one meant, then every enabled element's name.
    void drawnWhole() {
        WindowFixture f;
        f.open();
        for (const auto& [nt, button, label, shown] :
             std::initializer_list<std::tuple<QString, int, QString, QString>>{
                 {u"64999"_s, 8, u"NMR_f_0"_s, u"2602.08975446809"_s},     // 9 F
                 {u"48888.8"_s, 0, u"NMR_f_0"_s, u"2080.37446808511"_s},   // 1 H
                 {u"50000"_s, 50, u"NMR_f_2"_s, u"793.021276595745"_s}}) { // 50 Sn, third
            f.typeNtValue(nt);
            f.click(u"Command%1"_s.arg(button));
            QCOMPARE(f.text(label), shown);
            verifyDrawnWhole(f.control<QLabel>(label));
        }
        for (const zental::ElementButton& element : zental::elementCatalogue) {
            if (!element.enabled())
                continue;
            f.click(u"Command%1"_s.arg(element.number));
            verifyDrawnWhole(f.control<QLabel>(u"NMR_E"_s));
            if (QTest::currentTestFailed())
                return;
        }
    }
};

QTEST_MAIN(tst_ValueLabels)
#include "tst_valuelabels.moc"
