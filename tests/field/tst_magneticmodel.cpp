// The World Magnetic Model through the coefficient file the program ships: NOAA's test values,
// the inputs and files it refuses, the grammar of dates, and the numbers as the report shows them.
#include "core/textfile.h"
#include "field/core/fielddate.h"
#include "field/core/fieldreport.h"
#include "field/core/magneticmodel.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zental;

namespace {

struct Point {
    double latitude = 0, longitude = 0, heightMetres = 0, year = 2026;
};

// One of NOAA's published test points: F in nT, declination and inclination in degrees.
struct NoaaValue {
    Point at;
    double total, declination, inclination;
};

const QString modelPath = FIELD_DATA_DIR "/wmm.cof"_L1;

} // namespace

class tst_MagneticModel : public QObject {
    Q_OBJECT
    const QByteArray shipped = readBytes(modelPath).value_or({});
    const Result<MagneticModel> model = MagneticModel::load(modelPath);

    Result<FieldComponents> fieldAt(const Point& p, double laterYears = 0) const {
        return model->field(p.latitude, p.longitude, p.heightMetres, p.year + laterYears);
    }
    QByteArray shippedWith(const char* from, const char* to) const {
        return QByteArray(shipped).replace(from, to);
    }

private slots:
    void initTestCase() { QVERIFY(model); }

    void noaaTestValues_data() {
        QTest::addColumn<NoaaValue>("expected");
        QTest::newRow("89 N") << NoaaValue{{89, -121, 28e3, 2025.0}, 56214.419888, -99.77, 88.47};
        QTest::newRow("38 N") << NoaaValue{{38, -144, 69e3, 2025.5}, 42373.774537, 12.93, 56.97};
        QTest::newRow("79 S") << NoaaValue{{-79, 115, 12e3, 2026.5}, 59545.961164, -137.58, -77.37};
        QTest::newRow("85 S") << NoaaValue{{-85, -79, 86e3, 2028.0}, 49924.018042, 41.09, -70.25};
        QTest::newRow("65 S") << NoaaValue{{-65, 55, 26e3, 2029.5}, 45454.397791, -63.48, -65.71};
    }
    void noaaTestValues() {
        QFETCH(NoaaValue, expected);
        const Result<FieldComponents> field = fieldAt(expected.at);
        QVERIFY(field);
        QVERIFY2(std::abs(field->total - expected.total) <= 0.01,
                 qPrintable(QString::number(field->total, 'f', 6)));
        QVERIFY(std::abs(field->declination - expected.declination) <= 0.005);
        QVERIFY(std::abs(field->inclination - expected.inclination) <= 0.005);
    }

    // Each change per year is its element's slope over the next 1e-5 of a year.
    void changesPerYearAreTheSlopes() {
        const Point denver{39.7392, -104.9847, 1600, 2027.3};
        const double step = 1e-5;
        const Result<FieldComponents> now = fieldAt(denver), later = fieldAt(denver, step);
        QVERIFY(now && later);
        using E = FieldElements;
        for (double E::*element : {&E::north, &E::east, &E::down, &E::horizontal, &E::total,
                                   &E::declination, &E::inclination})
            QVERIFY(std::abs((*later.*element - *now.*element) / step - now->perYear.*element) <
                    1e-3);
    }

    // The first words of the refusal, or nothing when the point is inside the model.
    void inputs_data() {
        QTest::addColumn<Point>("point");
        QTest::addColumn<QString>("refusal");
        for (double latitude : {91.0, -90.5, qQNaN()})
            QTest::addRow("latitude %g", latitude) << Point{latitude, 0} << u"The latitude"_s;
        QTest::newRow("longitude 181") << Point{0, 181} << u"The longitude"_s;
        for (double height : {-1001.0, 850001.0})
            QTest::addRow("height %g m", height) << Point{0, 0, height} << u"The height"_s;
        QTest::newRow("2024-12-31") << Point{0, 0, 0, 2024 + 365 / 366.0} << u"The date"_s;
        QTest::newRow("2030-01-01") << Point{0, 0, 0, 2030} << u"The date"_s;
        QTest::newRow("90 N, 180 E, -1 km, 2025.0") << Point{90, 180, -1e3, 2025} << QString();
        QTest::newRow("90 S, 180 W, 850 km, end") << Point{-90, -180, 85e4, 2029.999} << QString();
    }
    void inputs() {
        QFETCH(Point, point);
        QFETCH(QString, refusal);
        const Result<FieldComponents> field = fieldAt(point);
        QCOMPARE(field.ok(), refusal.isEmpty());
        if (field)
            QVERIFY(std::isfinite(field->total));
        else
            QCOMPARE(field.error().section(u' ', 0, 1), refusal);
    }

    // A model file as written (null: none) and how its model refuses a day in 2024; files that
    // are not whole models are refused as unreadable.
    void files_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("refusal");
        const QString unreadable = u"could not be read"_s;
        QTest::newRow("as shipped")
            << shipped
            << u"The date lies outside WMM-2025, which covers 2025-01-01 to 2029-12-31."_s;
        QTest::newRow("a later model")
            << shippedWith("2025", "2030")
            << u"The date lies outside WMM-2030, which covers 2030-01-01 to 2034-12-31."_s;
        QTest::newRow("no file") << QByteArray() << unreadable;
        QTest::newRow("no closing nines") << shipped.left(shipped.indexOf("9999")) << unreadable;
        QTest::newRow("a letter in a number") << shippedWith("-29351.8", "-29351.x") << unreadable;
        QTest::newRow("a row twice, one missing")
            << shippedWith("  2   0 ", "  1   0 ") << unreadable;
        QTest::newRow("the last row missing") << shipped.left(shipped.indexOf(" 12  12")) + "9999\n"
                                              << unreadable;
    }
    void files() {
        QFETCH(QByteArray, content);
        QFETCH(QString, refusal);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"wmm.cof"_s);
        QVERIFY(content.isNull() || writeBytes(path, content));
        const Result<MagneticModel> loaded = MagneticModel::load(path);
        const QString answer = loaded ? loaded->field(0, 0, 0, 2024.5).error() : loaded.error();
        QVERIFY2(answer.contains(refusal), qPrintable(answer));
    }

    // A date as typed, its decimal year (NaN: refused) and the day that decimal year prints as.
    void dates_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("year");
        QTest::addColumn<QString>("day");
        for (const char* refused : {"2026-02-30", "2026-13-01", "2027-02-29", "abc", "2026,5"})
            QTest::newRow(refused) << QString::fromLatin1(refused) << qQNaN() << QString();
        const auto accepted = [](const char* text, double year, const char* day) {
            QTest::newRow(text) << QString::fromLatin1(text) << year << QString::fromLatin1(day);
        };
        accepted("2024-12-31", 2024 + 365 / 366.0, "2024-12-31"); // day 366 of a leap year
        accepted("2025-01-01", 2025, "2025-01-01");
        accepted("2028-02-29", 2028 + 59 / 366.0, "2028-02-29");
        accepted("2026.5", 2026.5, "2026-07-02");
        accepted("2029.9999999", 2029.9999999, "2029-12-31");
    }
    void dates() {
        QFETCH(QString, text);
        QFETCH(double, year);
        QCOMPARE(parseDate(text).value_or(qQNaN()), year);
        QTEST(dateOf(year).toString(Qt::ISODate), "day");
    }

    // As the report shows numbers (here with a comma locale's separators): never grouped, and
    // without a sign when they round to zero.
    void fixedText_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("shown");
        QTest::newRow("rounds to zero from below") << -0.04 << 1 << u"0,0"_s;
        QTest::newRow("to zero without decimals") << -0.4 << 0 << u"0"_s;
        QTest::newRow("negative") << -0.06 << 1 << u"-0,1"_s;
        QTest::newRow("not grouped") << 1234567.891 << 2 << u"1234567,89"_s;
    }
    void fixedText() {
        QFETCH(double, value);
        QFETCH(int, decimals);
        QTEST(zental::fixedText(value, decimals, {",", "."}), "shown");
    }
};

QTEST_GUILESS_MAIN(tst_MagneticModel)
#include "tst_magneticmodel.moc"
