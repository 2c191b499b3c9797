// The gazetteer through the file the program ships: folding, names and alternate names, ranking,
// narrowing by country and region, display text, and files that are not gazetteers.
#include "core/textfile.h"
#include "field/core/fieldmessages.h"
#include "field/core/gazetteer.h"
#include "support/files.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString placesPath = FIELD_DATA_DIR "/places.tsv"_L1;

// A query and the first places it finds as shown, "; " between them (none: nothing found).
struct Search {
    QString query;
    QString first{};
};

} // namespace

class tst_Gazetteer : public QObject {
    Q_OBJECT
    zental::Result<zental::Gazetteer> places = zental::Gazetteer::open(placesPath);

    QStringList found(const QString& query, int limit) const {
        QStringList texts;
        for (const zental::Place& place : places->search(query, limit))
            texts += zental::placeText(place);
        return texts;
    }

private slots:
    void initTestCase() { QVERIFY(places && places->size() > 130000); }

    void search_data() {
        QTest::addColumn<Search>("search");
        // clang-format off
        QTest::newRow("Paris is in France") << Search{.query = u"Paris"_s, .first = u"Paris, France"_s};
        QTest::newRow("Paris, US is in Texas") << Search{.query = u"Paris, US"_s, .first = u"Paris, TX, United States"_s};
        QTest::newRow("plain letters find accents") << Search{.query = u"zurich"_s, .first = u"Zürich, Switzerland"_s};
        QTest::newRow("accents in the query") << Search{.query = u"zürich"_s, .first = u"Zürich, Switzerland"_s};
        QTest::newRow("ß is ss") << Search{.query = u"Gießen"_s, .first = u"Gießen, Germany"_s};
        QTest::newRow("São Paulo unaccented") << Search{.query = u"sao paulo"_s, .first = u"São Paulo, Brazil"_s};
        QTest::newRow("Lunen is Lünen") << Search{.query = u"Lunen"_s, .first = u"Lünen, Germany"_s};
        QTest::newRow("case") << Search{.query = u"dEnVeR"_s, .first = u"Denver, CO, United States"_s};
        QTest::newRow("state code") << Search{.query = u"Denver, CO"_s, .first = u"Denver, CO, United States"_s};
        QTest::newRow("a comma inside a name") << Search{.query = u"Basford, Stoke-on-Trent"_s, .first = u"Basford, Stoke-on-Trent, United Kingdom"_s};
        QTest::newRow("exact names before longer ones, by population") << Search{.query = u"bath"_s, .first = u"Bath, United Kingdom; Bath, ME, United States; Bath, NY, United States"_s};
        QTest::newRow("narrowed to nothing") << Search{.query = u"Denver, FR"_s};
        QTest::newRow("unknown place") << Search{.query = u"Xyzzyville"_s};
        // Found by another of its names, shown by its own; the more populous place first.
        QTest::newRow("Geneva is Genève") << Search{.query = u"Geneva"_s, .first = u"Genève, Switzerland; Geneva, IL, United States"_s};
        QTest::newRow("Cologne is Köln") << Search{.query = u"Cologne"_s, .first = u"Köln, Germany"_s};
        QTest::newRow("Wien is Vienna") << Search{.query = u"Wien"_s, .first = u"Vienna, Austria"_s};
        QTest::newRow("Kiev is Kyiv") << Search{.query = u"Kiev"_s, .first = u"Kyiv, Ukraine"_s};
        QTest::newRow("Muenchen is Munich") << Search{.query = u"Muenchen"_s, .first = u"Munich, Germany"_s};
        QTest::newRow("Washington is the capital") << Search{.query = u"Washington"_s, .first = u"Washington, D.C., DC, United States"_s};
        QTest::newRow("a large place keeps its name") << Search{.query = u"Islamabad"_s, .first = u"Islamabad, Pakistan"_s};
        // Regions and countries by name.
        QTest::newRow("state name") << Search{.query = u"Denver, Colorado"_s, .first = u"Denver, CO, United States"_s};
        QTest::newRow("Springfield, Illinois") << Search{.query = u"Springfield, Illinois"_s, .first = u"Springfield, IL, United States"_s};
        QTest::newRow("Geneva, Switzerland") << Search{.query = u"Geneva, Switzerland"_s, .first = u"Genève, Switzerland"_s};
        QTest::newRow("Cologne, Germany") << Search{.query = u"Cologne, Germany"_s, .first = u"Köln, Germany"_s};
        QTest::newRow("region name elsewhere") << Search{.query = u"Bonn, North Rhine-Westphalia"_s, .first = u"Bonn, Germany"_s};
        QTest::newRow("region code of letters") << Search{.query = u"Bern, BE"_s, .first = u"Bern, Switzerland"_s};
        QTest::newRow("a state and a country") << Search{.query = u"Columbus, Georgia"_s, .first = u"Columbus, GA, United States"_s};
        // clang-format on
    }
    void search() {
        QFETCH(Search, search);
        QCOMPARE(found(search.query, int(search.first.count(u"; "_s)) + 1).join(u"; "_s),
                 search.first);
    }

    void numbers_data() {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QList<double>>("numbers"); // latitude, longitude, height
        QTest::newRow("elevation") << u"Denver"_s << QList<double>{39.73915, -104.9847, 1609};
        QTest::newRow("DEM height") << u"Bath"_s << QList<double>{51.3751, -2.36172, 96};
        QTest::newRow("neither: 0") << u"Geelong"_s << QList<double>{-38.14711, 144.36069, 0};
    }
    void numbers() {
        QFETCH(QString, query);
        QFETCH(QList<double>, numbers);
        const zental::Place place = places->search(query, 1).value(0);
        QCOMPARE((QList<double>{place.latitude, place.longitude, place.heightMetres}), numbers);
    }

    // A sample across the whole file: what a place is shown as finds a place shown so.
    void displayText_data() {
        QTest::addColumn<qsizetype>("index");
        for (qsizetype index = 0; index < places->size(); index += 997)
            QTest::addRow("place %lld", qlonglong(index)) << index;
    }
    void displayText() {
        QFETCH(qsizetype, index);
        const QString text = zental::placeText(places->at(index));
        QCOMPARE(found(text, 1), QStringList{text});
    }

    // The first line says where the sections start and the file ends: a file whose sections are
    // not there, or that is cut short, is refused.
    void refusals_data() {
        const QByteArray shipped = zental::readBytes(placesPath).value_or({});
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("the first format") << QByteArray("#key\tname\tcountry\tregion\tlatitude\t"
                                                        "longitude\tpopulation\theight\n");
        QTest::newRow("a section moved") << shipped.left(60) + ' ' + shipped.mid(60);
        QTest::newRow("cut at a line") << shipped.left(shipped.lastIndexOf('\n', -2) + 1);
        QTest::newRow("cut in a line") << shipped.chopped(1);
    }
    void refusals() {
        QFETCH(QByteArray, file);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"places.tsv"_s);
        QVERIFY(writeFile(path, file));
        const zental::Result<zental::Gazetteer> opened = zental::Gazetteer::open(path);
        QVERIFY(!opened);
        QCOMPARE(opened.error(), zental::fieldtext::placesUnreadable(path));
    }
};

QTEST_GUILESS_MAIN(tst_Gazetteer)
#include "tst_gazetteer.moc"
