// The gazetteer through the file the program ships: folding, ranking, narrowing, display text.
#include "field/core/gazetteer.h"

#include <QTest>

using namespace Qt::StringLiterals;

class tst_Gazetteer : public QObject {
    Q_OBJECT
    zental::Result<zental::Gazetteer> places =
        zental::Gazetteer::open(FIELD_DATA_DIR "/places.tsv");

    QStringList found(const QString& query, int limit) const {
        QStringList texts;
        for (const zental::Place& place : places->search(query, limit))
            texts += zental::placeText(place);
        return texts;
    }

private slots:
    void initTestCase() { QVERIFY(places && places->size() > 130000); }

    void search_data() {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("first"); // the first results, "; " between them
        const auto row = [](const char* name, const QString& query, const QString& first) {
            QTest::newRow(name) << query << first;
        };
        row("Paris is in France", u"Paris"_s, u"Paris, France"_s);
        row("Paris, US is in Texas", u"Paris, US"_s, u"Paris, TX, United States"_s);
        row("plain letters find accents", u"zurich"_s, u"Zürich, Switzerland"_s);
        row("accents in the query", u"zürich"_s, u"Zürich, Switzerland"_s);
        row("ß is ss", u"Gießen"_s, u"Gießen, Germany"_s);
        row("São Paulo unaccented", u"sao paulo"_s, u"São Paulo, Brazil"_s);
        row("case", u"dEnVeR"_s, u"Denver, CO, United States"_s);
        row("state code", u"Denver, CO"_s, u"Denver, CO, United States"_s);
        row("a comma inside a name", u"Basford, Stoke-on-Trent"_s,
            u"Basford, Stoke-on-Trent, United Kingdom"_s);
        row("exact names before longer ones, by population", u"bath"_s,
            u"Bath, United Kingdom; Bath, ME, United States; Bath, NY, United States"_s);
        row("narrowed to nothing", u"Denver, FR"_s, QString());
        row("unknown place", u"Xyzzyville"_s, QString());
    }
    void search() {
        QFETCH(QString, query);
        QFETCH(QString, first);
        QCOMPARE(found(query, int(first.count(u"; "_s)) + 1).join(u"; "_s), first);
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
};

QTEST_GUILESS_MAIN(tst_Gazetteer)
#include "tst_gazetteer.moc"
