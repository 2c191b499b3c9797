// Every value the main window shows is drawn whole inside its framed label: the widest element
// names and 15-digit frequencies, measured with the label's own font and checked in the pixels.
// Run once at 96 DPI and once more at twice the scale.
#include "core/catalogue.h"
#include "support/windowfixture.h"

#include <QImage>
#include <QPixmap>

using namespace Qt::StringLiterals;

namespace {

// The rightmost device-pixel column of `image` inside `area` whose colour is not `background`.
int inkRight(const QImage& image, const QRect& area, QRgb background) {
    for (int x = area.right(); x >= area.left(); --x)
        for (int y = area.top(); y <= area.bottom(); ++y)
            if (image.pixel(x, y) != background)
                return x;
    return -1;
}

QRect scaled(const QRect& rect, qreal ratio) {
    return {qRound(rect.left() * ratio), qRound(rect.top() * ratio), qRound(rect.width() * ratio),
            qRound(rect.height() * ratio)};
}

} // namespace

class tst_ValueLabels : public QObject {
    Q_OBJECT

    // The text's width by the label's font and where the label starts drawing it, against the room
    // inside its frame.
    static void fitsByMeasure(const QLabel* label) {
        const int start = label->indent() < 0 ? label->fontMetrics().horizontalAdvance(u'x') / 2
                                              : label->indent();
        const int needed =
            start + label->margin() * 2 + label->fontMetrics().horizontalAdvance(label->text());
        QVERIFY2(
            needed <= label->contentsRect().width(),
            qPrintable(u"%1: \"%2\" needs %3 px, has %4"_s.arg(label->objectName(), label->text())
                           .arg(needed)
                           .arg(label->contentsRect().width())));
    }

    // The label as the window paints it against the same label painted wide enough for any text:
    // inside the frame both hold the same pixels, and the wide one's ink ends inside the frame.
    static void fitsByPixels(QLabel* label) {
        const QImage drawn = label->grab().toImage();
        const qreal ratio = drawn.devicePixelRatio();
        const QRect inside = scaled(label->contentsRect(), ratio);
        const QSize size = label->size();
        label->resize(size.width() * 4, size.height());
        const QImage wide = label->grab().toImage();
        const QRect wideInside = scaled(label->contentsRect(), ratio);
        label->resize(size);
        const QRgb background = label->palette().color(label->backgroundRole()).rgb();
        const int right = inkRight(wide, wideInside, background);
        QVERIFY2(right >= 0, "no text drawn");
        QVERIFY2(right <= inside.right(), qPrintable(u"%1: \"%2\" ends at %3, the frame at %4"_s
                                                         .arg(label->objectName(), label->text())
                                                         .arg(right)
                                                         .arg(inside.right())));
        QCOMPARE(drawn.copy(inside), wide.copy(inside));
    }

private slots:
    void frequencies_data() {
        QTest::addColumn<QString>("nt");
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("shown");
        QTest::newRow("9 F at 64999") << u"64999"_s << 8 << u"NMR_f_0"_s << u"2602.08975446809"_s;
        QTest::newRow("1 H at 50000") << u"50000"_s << 0 << u"NMR_f_0"_s << u"2127.65957446808"_s;
        QTest::newRow("50 Sn at 50000, third")
            << u"50000"_s << 50 << u"NMR_f_2"_s << u"793.021276595745"_s;
        QTest::newRow("1 H at 48888.8")
            << u"48888.8"_s << 0 << u"NMR_f_0"_s << u"2080.37446808511"_s;
    }
    void frequencies() {
        QFETCH(QString, nt);
        QFETCH(int, button);
        QFETCH(QString, label);
        WindowFixture f;
        f.open();
        f.typeNtValue(nt);
        f.click(u"Command%1"_s.arg(button));
        QLabel* shownIn = f.control<QLabel>(label);
        QTEST(shownIn->text(), "shown");
        fitsByMeasure(shownIn);
        fitsByPixels(shownIn);
    }

    void elementNames() {
        WindowFixture f;
        f.open();
        for (const zental::ElementButton& element : zental::elementCatalogue) {
            if (!element.enabled())
                continue;
            f.click(u"Command%1"_s.arg(element.number));
            QLabel* name = f.control<QLabel>(u"NMR_E"_s);
            fitsByMeasure(name);
            fitsByPixels(name);
            if (QTest::currentTestFailed())
                return;
        }
    }
};

QTEST_MAIN(tst_ValueLabels)
#include "tst_valuelabels.moc"
