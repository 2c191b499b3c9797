// The World Magnetic Model through the coefficient file the program ships: NOAA's test values,
// the inputs and files it refuses, and the grammar of dates.
#include "fielddate.h"
#include "magneticmodel.h"
#include "textfile.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zental;
using Numbers = QList<double>; // latitude, longitude, height (m), decimal year, then expectations
using E = FieldElements;

class tst_MagneticModel : public QObject {
    Q_OBJECT
    const QByteArray cof = readBytes(FIELD_DATA_DIR "/wmm.cof").value_or(QByteArray());
    std::optional<MagneticModel> model = MagneticModel::load(FIELD_DATA_DIR "/wmm.cof");
    auto at(const Numbers& p, double dt = 0) {
        return model.value().field(p[0], p[1], p[2], p[3] + dt);
    }
    QByteArray edit(const char* from, const char* to) { return QByteArray(cof).replace(from, to); }
    void row(const char* t, double y, const char* d) {
        QTest::newRow(t) << QString(t) << y << QString(d);
    }

private slots:
    void noaa_data() { // NOAA's test points and their F (nT), D and I (degrees)
        QTest::addColumn<Numbers>("p");
        QTest::newRow("89 N") << Numbers{89, -121, 28e3, 2025.0, 56214.419888, -99.77, 88.47};
        QTest::newRow("38 N") << Numbers{38, -144, 69e3, 2025.5, 42373.774537, 12.93, 56.97};
        QTest::newRow("79 S") << Numbers{-79, 115, 12e3, 2026.5, 59545.961164, -137.58, -77.37};
        QTest::newRow("85 S") << Numbers{-85, -79, 86e3, 2028.0, 49924.018042, 41.09, -70.25};
        QTest::newRow("65 S") << Numbers{-65, 55, 26e3, 2029.5, 45454.397791, -63.48, -65.71};
    }
    void noaa() {
        QFETCH(Numbers, p);
        const FieldComponents f = std::get<0>(at(p)), next = std::get<0>(at(p, 1e-5));
        QVERIFY2(std::abs(f.total - p[4]) <= 0.01, qPrintable(QString::number(f.total, 'f', 6)));
        QVERIFY(std::abs(f.declination - p[5]) <= 0.005 && std::abs(f.inclination - p[6]) <= 0.005);
        // Each change per year is its element's slope over the next 1e-5 of a year.
        for (double E::*e : {&E::north, &E::east, &E::down, &E::horizontal, &E::total,
                             &E::declination, &E::inclination})
            QVERIFY(std::abs((next.*e - f.*e) / 1e-5 - f.perYear.*e) < 1e-3);
    }

    void inputs_data() { // what the refusal is about, or nothing when accepted
        QTest::addColumn<Numbers>("p");
        QTest::addColumn<QString>("refusal");
        for (double x : {91.0, -90.5, qQNaN()})
            QTest::addRow("latitude %g", x) << Numbers{x, 0, 0, 2026} << u"The latitude"_s;
        QTest::newRow("longitude 181") << Numbers{0, 181, 0, 2026} << u"The longitude"_s;
        for (double x : {-1001.0, 850001.0})
            QTest::addRow("height %g m", x) << Numbers{0, 0, x, 2026} << u"The height"_s;
        QTest::newRow("2024-12-31") << Numbers{0, 0, 0, 2024 + 365 / 366.0} << u"The date"_s;
        QTest::newRow("2030-01-01") << Numbers{0, 0, 0, 2030} << u"The date"_s;
        QTest::newRow("90 N, 180 E, -1 km, 2025.0") << Numbers{90, 180, -1e3, 2025} << u""_s;
        QTest::newRow("90 S, 180 W, 850 km, end") << Numbers{-90, -180, 85e4, 2029.999} << u""_s;
    }
    void inputs() {
        QFETCH(Numbers, p);
        const FieldResult result = at(p);
        QTEST(result.index() ? std::get<1>(result).section(u' ', 0, 1) : QString(), "refusal");
        QVERIFY(result.index() || std::isfinite(std::get<0>(result).total));
    }

    void files_data() { // the file (null: none); how its model refuses a date in 2024, if it loads
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("answer");
        QTest::newRow("as shipped")
            << cof << u"The date lies outside WMM-2025, which covers 2025-01-01 to 2029-12-31."_s;
        QTest::newRow("a later model")
            << edit("2025", "2030")
            << u"The date lies outside WMM-2030, which covers 2030-01-01 to 2034-12-31."_s;
        QTest::newRow("no file") << QByteArray() << QString();
        QTest::newRow("no closing nines") << cof.left(cof.indexOf("9999")) << QString();
        QTest::newRow("a letter in a number") << edit("-29351.8", "-29351.x") << QString();
        QTest::newRow("a row twice, one missing") << edit("  2   0 ", "  1   0 ") << QString();
        QTest::newRow("the last row missing") << cof.left(cof.indexOf(" 12  12")) + "9999\n"
                                              << u""_s;
    }
    void files() {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        QVERIFY(content.isNull() || writeBytes(dir.filePath(u"wmm.cof"_s), content));
        const std::optional<MagneticModel> m = MagneticModel::load(dir.filePath(u"wmm.cof"_s));
        QTEST(m ? std::get<QString>(m->field(0, 0, 0, 2024.5)) : QString(), "answer");
    }

    void dates_data() { // the text, its decimal year (NaN: refused) and the day that prints back as
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("year");
        QTest::addColumn<QString>("day");
        for (const char* refused : {"2026-02-30", "2026-13-01", "2027-02-29", "abc", "2026,5"})
            row(refused, qQNaN(), "");
        row("2024-12-31", 2024 + 365 / 366.0, "2024-12-31"); // day 366 of a leap year
        row("2025-01-01", 2025, "2025-01-01");
        row("2028-02-29", 2028 + 59 / 366.0, "2028-02-29");
        row("2026.5", 2026.5, "2026-07-02");
        row("2029.9999999", 2029.9999999, "2029-12-31");
    }
    void dates() {
        QFETCH(QString, text);
        QFETCH(double, year);
        QCOMPARE(parseDate(text).value_or(qQNaN()), year);
        QTEST(dateOf(year).toString(Qt::ISODate), "day");
    }
};

QTEST_GUILESS_MAIN(tst_MagneticModel)
#include "tst_magneticmodel.moc"
