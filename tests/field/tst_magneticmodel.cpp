// The models through the coefficient files the program ships: NOAA's and BGS's test values, the
// inputs and files they refuse, the grammar of dates, and the report's lines.
#include "core/display.h"
#include "core/textfile.h"
#include "field/core/fielddate.h"
#include "field/core/fieldreport.h"
#include "field/core/magneticmodel.h"
#include "support/files.h"

#include <GeographicLib/Geocentric.hpp>

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zental;

namespace {

const QString modelPath = FIELD_DATA_DIR "/wmm.cof"_L1;
const QByteArray shipped = readBytes(modelPath).value_or({});
const QByteArray igrf = readBytes(FIELD_DATA_DIR "/igrfcoeffs.txt"_L1).value_or({});

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

// A test row of the numbers of each line of a table but its comments, named by its line.
void testTable(const QString& name, const QString& separator) {
    for (const QString& line : readLines(TEST_DATA_DIR "/"_L1 + name, 100).value_or({})) {
        QList<double> numbers;
        for (const QString& word : line.split(QRegularExpression(separator), Qt::SkipEmptyParts))
            numbers << parseNumber(word.toStdString(), plainSeparators).value_or(qQNaN());
        if (!line.startsWith(u'#') && !numbers.isEmpty() && !std::isnan(numbers[0]))
            QTest::newRow(qPrintable(line.simplified())) << numbers;
    }
}

} // namespace

class tst_MagneticModel : public QObject {
    Q_OBJECT
    const Result<FieldModels> catalogue = FieldModels::load(
        {FIELD_DATA_DIR "/wmmhr.cof"_L1, modelPath, FIELD_DATA_DIR "/igrfcoeffs.txt"_L1});

private slots:
    void initTestCase() {
        QVERIFY2(catalogue, qPrintable(catalogue ? QString() : catalogue.error()));
    }

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
        const Result<MagneticModel> model = catalogue->pick(expected.at.year, u"wmm2025"_s);
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

    // NOAA's table for WMMHR-2025, the model of these dates: date, height in km, latitude,
    // longitude, X, Y, Z, H, F, each printed to 0.1 nT.
    void wmmhrTestValues_data() {
        QTest::addColumn<QList<double>>("v");
        testTable(u"WMMHR2025_TEST_VALUE_TABLE_FOR_REPORT.txt"_s, u" +"_s);
    }
    void wmmhrTestValues() {
        QFETCH(QList<double>, v);
        const Result<MagneticModel> model = catalogue->pick(v[0]);
        QCOMPARE(model->name(), u"WMMHR-2025"_s);
        const Result<FieldComponents> f =
            fieldAt(model, {v[2], std::remainder(v[3], 360.0), v[1] * 1000, v[0]});
        QVERIFY(f);
        const std::array<double, 5> got{f->north, f->east, f->down, f->horizontal, f->total};
        for (size_t i = 0; i < got.size(); ++i)
            QVERIFY2(std::abs(got[i] - v[static_cast<qsizetype>(i) + 4]) <=
                         0.051, // half the printed step
                     qPrintable(QString::number(got[i], 'f', 4)));
    }

    // BGS's IGRF-14 reference vectors, geocentric: year, colatitude, longitude, radius in km, X,
    // Y, Z. F, which no frame changes, within 0.1 nT at the same point in geodetic coordinates.
    void igrfReferenceVectors_data() {
        QTest::addColumn<QList<double>>("v");
        testTable(u"IGRF14_REFERENCE_VECTORS.csv"_s, u","_s);
    }
    void igrfReferenceVectors() {
        QFETCH(QList<double>, v);
        const double colatitude = qDegreesToRadians(v[1]), longitude = qDegreesToRadians(v[2]);
        const double r = v[3] * 1000;
        double latitude = 0, lon = 0, height = 0;
        GeographicLib::Geocentric::WGS84().Reverse(r * std::sin(colatitude) * std::cos(longitude),
                                                   r * std::sin(colatitude) * std::sin(longitude),
                                                   r * std::cos(colatitude), latitude, lon, height);
        if (height < -1000) // 56 and 13 km deep, below the heights zental-field accepts
            QSKIP("below the heights the program accepts");
        // The model holds up to the end of 2029; BGS's 2030.0 is where its last stretch ends.
        const double year = std::min(v[0], 2030 - 1e-9);
        const Result<FieldComponents> f =
            fieldAt(catalogue->pick(year, u"IGRF-14"_s), {latitude, lon, height, year});
        QVERIFY2(f, qPrintable(f ? QString() : f.error()));
        QVERIFY2(std::abs(f->total - std::hypot(v[4], v[5], v[6])) <= 0.1,
                 qPrintable(QString::number(f->total, 'f', 3)));
    }

    // Points outside the model, and files that are not whole models, are refused.
    void refusals_data() {
        QTest::addColumn<Question>("question");
        const QString unreadable = u"The model file \".*[/\\\\]wmm\\.cof\" could not be read\\.$"_s;
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
        QTest::newRow("IGRF, a later generation") << Question{.file = QByteArray(igrf).replace("14th", "15th"), .at = {0, 0, 0, 2030}, .refusal = u"The date lies outside IGRF-15, which covers 1900-01-01 to 2029-12-31\\.$"_s};
        QTest::newRow("IGRF, 1900.0") << Question{.file = igrf, .at = {0, 0, 0, 1900}};
        QTest::newRow("IGRF, no name") << Question{.file = QByteArray(igrf).replace("Generation", "generation"), .refusal = unreadable};
        QTest::newRow("IGRF, the last row missing") << Question{.file = igrf.left(igrf.lastIndexOf("h 13 13")), .refusal = unreadable};
        QTest::newRow("IGRF, epochs out of order") << Question{.file = QByteArray(igrf).replace("1905.0", "1900.0"), .refusal = unreadable};
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

    // The report's lines after the components: how far to trust F and D, where H is weak, and
    // hydrogen exactly as zental's own display shows it at the one-decimal NT value.
    void trustAndProtonLines_data() {
        QTest::addColumn<double>("horizontal");
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("lines"); // "|" between them; @ is zental's text of 50000.0 nT
        const QString igrf = u"Uncertainty of F: none published for IGRF-14|"_s;
        // clang-format off
        QTest::newRow("NOAA's model") << 20000.0 << u"WMMHR-2025"_s << u"Uncertainty of F: ± 134 nT, ± 5.7 Hz (1σ, NOAA)|Uncertainty of D: ± 0.36° (1σ, NOAA)|1 H in zental: @ Hz ± 5.7 Hz"_s;
        QTest::newRow("caution zone") << 5999.9 << u"IGRF-14"_s << igrf + u"Caution zone: H below 6000 nT, declination unreliable|1 H in zental: @ Hz"_s;
        QTest::newRow("blackout zone") << 1999.9 << u"IGRF-14"_s << igrf + u"Blackout zone: H below 2000 nT, declination unusable|1 H in zental: @ Hz"_s;
        // clang-format on
    }
    void trustAndProtonLines() {
        QFETCH(double, horizontal);
        QFETCH(QString, model);
        QFETCH(QString, lines);
        FieldReport report;
        report.modelName = model;
        report.field.total = 50000.04;
        report.field.horizontal = horizontal;
        if (model.startsWith(u"WMM"))
            report.uncertainty = ModelUncertainty{134, 0.25, 5205};
        const ElementDisplayTexts zental =
            elementDisplay(*findElementButton(hydrogenButton), "50000.0", plainSeparators);
        QCOMPARE(reportLines(report, plainSeparators).mid(12).join(u'|'),
                 lines.replace(u'@', QString::fromStdString(zental.frequencies[0])) +
                     u"|Protons in water: 2128.82 Hz (42.57638474 MHz/T)|zental's scale: 0.0545 % "
                     "(1.16 Hz) below water"_s);
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
