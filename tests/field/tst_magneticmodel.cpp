// The World Magnetic Model through the coefficient file the program ships: NOAA's test values,
// the inputs and files it refuses, the grammar of dates, and the numbers as the report shows them.
#include "core/textfile.h"
#include "field/core/fielddate.h"
#include "field/core/fieldreport.h"
#include "field/core/magneticmodel.h"
#include "support/files.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zental;

namespace {

const QString modelPath = FIELD_DATA_DIR "/wmm.cof"_L1;
const QByteArray shipped = readBytes(modelPath).value_or({});

struct Point {
    double latitude = 0, longitude = 0, heightMetres = 0, year = 2026;
};

// One of NOAA's published test points: F in nT, declination and inclination in degrees.
struct NoaaValue {
    Point at;
    double total, declination, inclination;
};

// What a model says at a point: a pattern of the start of its refusal, or none: the field.
struct Question {
    QByteArray file = shipped; // the coefficient file as written, or a tag of support/files.h
    Point at{};
    QString refusal{};
};

Result<FieldComponents> fieldAt(const Result<MagneticModel>& model, const Point& p,
                                double laterYears = 0) {
    if (!model)
        return Failure{model.error()};
    return model->field(p.latitude, p.longitude, p.heightMetres, p.year + laterYears);
}

} // namespace

class tst_MagneticModel : public QObject {
    Q_OBJECT
    const Result<MagneticModel> model = MagneticModel::load(modelPath);

private slots:
    void initTestCase() { QVERIFY(model); }

    // At each point F, D and I as published, and each change per year the slope of its element
    // over the next 1e-5 of a year.
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
        const double step = 1e-5;
        const Result<FieldComponents> now = fieldAt(model, expected.at),
                                      later = fieldAt(model, expected.at, step);
        QVERIFY(now && later);
        QVERIFY2(std::abs(now->total - expected.total) <= 0.01,
                 qPrintable(QString::number(now->total, 'f', 6)));
        QVERIFY(std::abs(now->declination - expected.declination) <= 0.005);
        QVERIFY(std::abs(now->inclination - expected.inclination) <= 0.005);
        using E = FieldElements;
        for (double E::*element : {&E::north, &E::east, &E::down, &E::horizontal, &E::total,
                                   &E::declination, &E::inclination})
            QVERIFY(std::abs((*later.*element - *now.*element) / step - now->perYear.*element) <
                    1e-3);
    }

    // Points outside the model, and files that are not whole models, are refused.
    void refusals_data() {
        QTest::addColumn<Question>("question");
        const QString unreadable = u"The model file \".*/wmm\\.cof\" could not be read\\.$"_s;
        const Point dayBefore{0, 0, 0, 2024 + 365 / 366.0}; // 2024-12-31, before WMM-2025
        // clang-format off
        for (double latitude : {91.0, -90.5, qQNaN()})
            QTest::addRow("latitude %g", latitude) << Question{.at = {latitude, 0}, .refusal = u"The latitude "_s};
        QTest::newRow("longitude 181") << Question{.at = {0, 181}, .refusal = u"The longitude "_s};
        for (double height : {-1001.0, 850001.0})
            QTest::addRow("height %g m", height) << Question{.at = {0, 0, height}, .refusal = u"The height "_s};
        QTest::newRow("2030-01-01") << Question{.at = {0, 0, 0, 2030}, .refusal = u"The date "_s};
        QTest::newRow("90 N, 180 E, -1 km, 2025.0") << Question{.at = {90, 180, -1e3, 2025}};
        QTest::newRow("90 S, 180 W, 850 km, end") << Question{.at = {-90, -180, 85e4, 2029.999}};
        QTest::newRow("2024-12-31") << Question{.at = dayBefore, .refusal = u"The date lies outside WMM-2025, which covers 2025-01-01 to 2029-12-31\\.$"_s};
        QTest::newRow("a later model") << Question{.file = QByteArray(shipped).replace("2025", "2030"), .at = dayBefore, .refusal = u"The date lies outside WMM-2030, which covers 2030-01-01 to 2034-12-31\\.$"_s};
        QTest::newRow("no file") << Question{.file = missing, .refusal = unreadable};
        QTest::newRow("no closing nines") << Question{.file = shipped.left(shipped.indexOf("9999")), .refusal = unreadable};
        QTest::newRow("a letter in a number") << Question{.file = QByteArray(shipped).replace("-29351.8", "-29351.x"), .refusal = unreadable};
        QTest::newRow("a row twice, one missing") << Question{.file = QByteArray(shipped).replace("  2   0 ", "  1   0 "), .refusal = unreadable};
        QTest::newRow("the last row missing") << Question{.file = shipped.left(shipped.indexOf(" 12  12")) + "9999\n", .refusal = unreadable};
        // clang-format on
    }
    void refusals() {
        QFETCH(Question, question);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"wmm.cof"_s);
        QVERIFY(plant(path, question.file));
        const Result<FieldComponents> field = fieldAt(MagneticModel::load(path), question.at);
        QCOMPARE(field.ok(), question.refusal.isEmpty());
        QVERIFY2(
            field ? std::isfinite(field->total)
                  : QRegularExpression(u"\\A"_s + question.refusal).match(field.error()).hasMatch(),
            qPrintable(field ? QString() : field.error()));
    }

    // A date as typed, its decimal year (NaN: refused) and the day that decimal year prints as.
    void dates_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("year");
        QTest::addColumn<QString>("day");
        for (const char* refused : {"2026-02-30", "2026-13-01", "2027-02-29", "abc", "2026,5"})
            QTest::newRow(refused) << QString::fromLatin1(refused) << qQNaN() << QString();
        // clang-format off
        QTest::newRow("2024-12-31") << u"2024-12-31"_s << 2024 + 365 / 366.0 << u"2024-12-31"_s; // day 366 of a leap year
        QTest::newRow("2025-01-01") << u"2025-01-01"_s << 2025.0 << u"2025-01-01"_s;
        QTest::newRow("2028-02-29") << u"2028-02-29"_s << 2028 + 59 / 366.0 << u"2028-02-29"_s;
        QTest::newRow("2026.5") << u"2026.5"_s << 2026.5 << u"2026-07-02"_s;
        QTest::newRow("2029.9999999") << u"2029.9999999"_s << 2029.9999999 << u"2029-12-31"_s;
        // clang-format on
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
