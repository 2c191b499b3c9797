// The number text conversions, with the separators of a "." and of a "," locale injected.
#include "localeseparators.h"
#include "numbertext.h"

#include <QTest>

#include <cfloat>
#include <cmath>

using zental::Separators;

namespace {
const Separators dot{".", ","};
const Separators comma{",", "."};
const Separators french{",", "\u202f"}; // narrow no-break space groups digits

Separators byName(const QString& name) {
    return name == "dot" ? dot : name == "comma" ? comma : french;
}
} // namespace

class tst_NumberText : public QObject {
    Q_OBJECT
private slots:
    void parseAccepts_data();
    void parseAccepts();
    void parseRejects_data();
    void parseRejects();
    void parseIsCorrectlyRounded();
    void frequencyText_data();
    void frequencyText();
    void separatorsComeFromTheLocale();
};

void tst_NumberText::parseAccepts_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("plain") << "dot"
                           << "50000" << 50000.0;
    QTest::newRow("blanks around") << "dot"
                                   << " \t50000 " << 50000.0;
    QTest::newRow("plus sign") << "dot"
                               << "+50000" << 50000.0;
    QTest::newRow("minus sign") << "dot"
                                << "-50000" << -50000.0;
    QTest::newRow("exponent") << "dot"
                              << "5e4" << 50000.0;
    QTest::newRow("capital exponent signed") << "dot"
                                             << "5E+4" << 50000.0;
    QTest::newRow("negative exponent") << "dot"
                                       << "5e-1" << 0.5;
    QTest::newRow("grouping") << "dot"
                              << "48,123.5" << 48123.5;
    QTest::newRow("grouping anywhere between digits") << "dot"
                                                      << "4,81,23" << 48123.0;
    QTest::newRow("trailing decimal point") << "dot"
                                            << "7." << 7.0;
    QTest::newRow("leading decimal point") << "dot"
                                           << ".5" << 0.5;
    QTest::newRow("comma decimal 48123,5") << "comma"
                                           << "48123,5" << 48123.5;
    QTest::newRow("dot groups in comma locale") << "comma"
                                                << "48123.5" << 481235.0;
    QTest::newRow("multibyte grouping") << "french"
                                        << "48\u202f123,5" << 48123.5;
    QTest::newRow("largest double") << "dot"
                                    << "1.7976931348623157e308" << DBL_MAX;
    QTest::newRow("underflow to zero") << "dot"
                                       << "1e-400" << 0.0;
    QTest::newRow("underflow with a long mantissa") << "dot"
                                                    << "0.000001e-320" << 0.0;
    QTest::newRow("huge zero exponent") << "dot"
                                        << "0e999999999999" << 0.0;
    QTest::newRow("subnormal") << "dot"
                               << "5e-324" << 4.9406564584124654e-324;
}

void tst_NumberText::parseAccepts() {
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(double, expected);
    const auto value = zental::parseNumber(text.toStdString(), byName(locale));
    QVERIFY(value.has_value());
    QCOMPARE(*value, expected);
}

void tst_NumberText::parseRejects_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    for (const char* text :
         {"",      "   ",   "+",      "-",      ".",     "1e",      "1e+",    "e5",   "1.2.3",
          "1.2,3", ",1",    "1,",     "1,,000", "--1",   "+-1",     "1 000",  "0x10", "inf",
          "nan",   "1e400", "-1e400", "12a",    "1e5.5", "1,5e3,0", "\u0661", "1 e5"})
        QTest::newRow(text) << "dot" << QString::fromUtf8(text);
    QTest::newRow("dot decimal in comma locale twice") << "comma"
                                                       << "1,2,3";
    QTest::newRow("overflow from many digits") << "dot" << QString(400, '9');
    QTest::newRow("grouping after decimal") << "comma"
                                            << "1,23.4";
}

void tst_NumberText::parseRejects() {
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QCOMPARE(zental::parseNumber(text.toStdString(), byName(locale)), std::nullopt);
}

// Texts whose nearest double differs from a naive digit-by-digit computation.
void tst_NumberText::parseIsCorrectlyRounded() {
    QCOMPARE(*zental::parseNumber("0.1", dot), 0.1);
    QCOMPARE(*zental::parseNumber("9007199254740993", dot), 9007199254740992.0); // tie to even
    QCOMPARE(*zental::parseNumber("2.2250738585072011e-308", dot), 2.2250738585072011e-308);
    QCOMPARE(*zental::parseNumber("-0", dot), 0.0);
    QVERIFY(std::signbit(*zental::parseNumber("-0", dot)));
}

void tst_NumberText::frequencyText_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("hydrogen at 50000") << "dot" << 2127.659574468085 << "2127.65957446808";
    QTest::newRow("whole number") << "dot" << 2000.0 << "2000";
    QTest::newRow("negative") << "dot" << -2127.659574468085 << "-2127.65957446808";
    QTest::newRow("comma decimal") << "comma" << 2047.8085106382978 << "2047,8085106383";
    QTest::newRow("zero") << "dot" << 0.0 << "0";
    QTest::newRow("negative zero") << "dot" << -0.0 << "0";
    QTest::newRow("below 1") << "dot" << 0.25 << "0.25";
    QTest::newRow("exactly 0.1") << "dot" << 0.1 << "0.1";
    QTest::newRow("rounds up to 0.1") << "dot" << 0.09999999999999999 << "0.1";
    QTest::newRow("below 0.1 in exponent form")
        << "dot" << 0.0425531914893617 << "4.25531914893617E-02";
    QTest::newRow("tiny") << "comma" << -1.5e-300 << "-1,5E-300";
    QTest::newRow("just below 1E15") << "dot" << 999999999999999.0 << "999999999999999";
    QTest::newRow("rounds up to 1E15") << "dot" << 999999999999999.5 << "1E+15";
    QTest::newRow("exactly 1E15") << "dot" << 1e15 << "1E+15";
    QTest::newRow("large") << "dot" << 4.2553191489361705e18 << "4.25531914893617E+18";
    QTest::newRow("largest double") << "dot" << DBL_MAX << "1.79769313486232E+308";
    QTest::newRow("fifteen digit integer") << "dot" << 123456789012345.0 << "123456789012345";
    QTest::newRow("tie rounds to even") << "dot" << 1000000000000005.0 << "1E+15";
    QTest::newRow("tie rounds to even up") << "dot" << 1000000000000015.0 << "1.00000000000002E+15";
}

void tst_NumberText::frequencyText() {
    QFETCH(QString, locale);
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(zental::frequencyText(value, byName(locale))), expected);
}

void tst_NumberText::separatorsComeFromTheLocale() {
    const Separators german = zental::separatorsOf(QLocale(QLocale::German, QLocale::Germany));
    QCOMPARE(german.decimal, ",");
    QCOMPARE(german.group, ".");
    QCOMPARE(zental::parseNumber("48.123,5", german), 48123.5);
    const Separators english = zental::separatorsOf(QLocale::c());
    QCOMPARE(english.decimal, ".");
    QCOMPARE(english.group, ",");
}

QTEST_APPLESS_MAIN(tst_NumberText)
#include "tst_numbertext.moc"
