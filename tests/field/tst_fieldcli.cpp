// zental-field's command line, run as a process the way a script runs it.
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_FieldCli : public QObject {
    Q_OBJECT
    struct Run {
        int exitCode;
        QString out;
        QString err;
    };
    static Run run(const QStringList& arguments) {
        QProcess process;
        process.start(QStringLiteral(ZENTAL_FIELD_PATH), arguments);
        if (!process.waitForFinished(20000))
            return {-1, {}, u"did not finish"_s};
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }
    // The value of a line "Caption: value ..." of the full report.
    static QString fact(const QString& report, const QString& caption) {
        const QRegularExpression line(u"^"_s + caption + u": ([^ \\n]+)"_s,
                                      QRegularExpression::MultilineOption);
        return line.match(report).captured(1);
    }

private slots:
    void answers_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("out"); // a pattern the whole output must match
        const QString ntLine = u"\\d{5}\\.\\d\\n"_s;
        QTest::newRow("--nt coordinates")
            << QStringList{u"--nt"_s, u"39.7392"_s, u"-104.9847"_s} << ntLine;
        QTest::newRow("options after a negative latitude")
            << QStringList{u"-33.9"_s, u"18.4"_s, u"--nt"_s, u"--height"_s, u"-20"_s} << ntLine;
        QTest::newRow("decimal year")
            << QStringList{u"--nt"_s, u"--date"_s, u"2026.5"_s, u"0"_s, u"0"_s} << ntLine;
        QTest::newRow("place of several words")
            << QStringList{u"--nt"_s, u"New"_s, u"York"_s} << ntLine;
        QTest::newRow("Paris is in France")
            << QStringList{u"Paris"_s} << u"(?s)Place: Paris, France\\n.*"_s;
        QTest::newRow("Paris, US is in Texas")
            << QStringList{u"Paris,"_s, u"US"_s} << u"(?s)Place: Paris, TX, United States\\n.*"_s;
        QTest::newRow("proton frequency of 1 H")
            << QStringList{u"--nt"_s, u"--proton"_s, u"2047.80851063830"_s} << u"48123\\.5\\n"_s;
        QTest::newRow("help") << QStringList{u"--help"_s} << u"(?s)Usage: .*--proton.*"_s;
    }
    void answers() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, out);
        const Run result = run(arguments);
        QCOMPARE(result.err, QString());
        QCOMPARE(result.exitCode, 0);
        QVERIFY2(QRegularExpression(u"\\A(?:"_s + out + u")\\z"_s).match(result.out).hasMatch(),
                 qPrintable(result.out));
    }

    void refuses_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("problem"); // words the one line on stderr must hold
        QTest::newRow("unknown option") << QStringList{u"--bogus"_s, u"1"_s, u"2"_s} << u"bogus"_s;
        QTest::newRow("latitude 91") << QStringList{u"91"_s, u"0"_s} << u"atitude"_s;
        QTest::newRow("longitude -181") << QStringList{u"0"_s, u"-181"_s} << u"ongitude"_s;
        QTest::newRow("height abc")
            << QStringList{u"--height"_s, u"abc"_s, u"1"_s, u"2"_s} << u"abc"_s;
        QTest::newRow("no 30 February")
            << QStringList{u"--date"_s, u"2026-02-30"_s, u"1"_s, u"2"_s} << u"2026-02-30"_s;
        QTest::newRow("date before the model")
            << QStringList{u"--date"_s, u"2024-12-31"_s, u"1"_s, u"2"_s} << u"2025-01-01"_s;
        QTest::newRow("date after the model")
            << QStringList{u"--date"_s, u"2030-01-01"_s, u"1"_s, u"2"_s} << u"2029-12-31"_s;
        QTest::newRow("unknown place") << QStringList{u"Xqzzyville"_s} << u"Xqzzyville"_s;
        QTest::newRow("unknown place in a country")
            << QStringList{u"Denver,"_s, u"FR"_s} << u"Denver, FR"_s;
        QTest::newRow("proton not a number") << QStringList{u"--proton"_s, u"abc"_s} << u"abc"_s;
        QTest::newRow("proton zero") << QStringList{u"--proton"_s, u"0"_s} << u"positive"_s;
        QTest::newRow("proton negative") << QStringList{u"--proton"_s, u"-5"_s} << u"positive"_s;
        QTest::newRow("proton and a place")
            << QStringList{u"--proton"_s, u"2000"_s, u"Paris"_s} << u"Paris"_s;
        QTest::newRow("nothing to compute") << QStringList{u"--nt"_s} << u"place"_s;
    }
    void refuses() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, problem);
        const Run result = run(arguments);
        QCOMPARE(result.out, QString());
        QVERIFY(result.exitCode > 0);
        QVERIFY2(result.err.endsWith(u'\n') && result.err.count(u'\n') == 1 &&
                     result.err.contains(problem),
                 qPrintable(result.err));
    }

    // The place's own coordinates and height give the place's NT value.
    void placeEqualsItsCoordinates() {
        const Run denver = run({u"--date"_s, u"2026-01-01"_s, u"Denver"_s});
        QCOMPARE(fact(denver.out, u"Place"_s), u"Denver,"_s);
        const Run atCoordinates = run(
            {u"--nt"_s, u"--date"_s, u"2026-01-01"_s, u"--height"_s, fact(denver.out, u"Height"_s),
             fact(denver.out, u"Latitude"_s), fact(denver.out, u"Longitude"_s)});
        QCOMPARE(atCoordinates.out,
                 run({u"--nt"_s, u"--date"_s, u"2026-01-01"_s, u"Denver"_s}).out);
        QCOMPARE(atCoordinates.out.trimmed(), fact(denver.out, u"NT value"_s));
    }
};

QTEST_GUILESS_MAIN(tst_FieldCli)
#include "tst_fieldcli.moc"
