// The number conversions with injected separators: the grammar's, the format's and the compound
// frequency's cases one per row, then a million generated inputs per locale against the C library.
#include "core/compounds.h"
#include "core/localeseparators.h"
#include "support/numberreference.h"

#include <QTest>

#include <charconv>
#include <random>

namespace {

// Separators as one text, the decimal separator first: ".," or ",\u202f".
zental::Separators injected(const QString& both) {
    return {both.left(1).toStdString(), both.mid(1).toStdString()};
}

// A parse result exactly: the shortest text that reads back as the same double, sign included.
QString exactly(std::optional<double> value) {
    std::array<char, 32> text{};
    if (value)
        std::to_chars(text.data(), text.data() + text.size(), *value);
    return value ? QString(text.data()) : QStringLiteral("rejected");
}

void row(const char* name, const char* separators, const char* text, const char* expected) {
    QTest::newRow(name) << QString(separators) << QString(text) << QString(expected);
}

using Rng = std::mt19937_64;

int uniform(Rng& rng, int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(rng);
}

// Values hard to format: any bit pattern (mostly extreme magnitudes), exact ties at 15 digits
// (M * 2^-k for M odd has a k-digit fraction ending in 5), neighbours of 10^n and
// 9.999999999999995 * 10^(n-1), where the digit count or the form changes, and, twice as often as
// each of those, everyday magnitudes.
double hardValue(Rng& rng) {
    const double bits = std::bit_cast<double>(rng());
    const int k = uniform(rng, 1, 22);
    const auto odd =
        std::uniform_int_distribution<std::uint64_t>(0, 1e16 / std::pow(5.0, k))(rng) | 1U;
    const int n = uniform(rng, 0, 1) ? (uniform(rng, 0, 1) ? -1 : 15) : uniform(rng, -307, 308);
    const double edge = (uniform(rng, 0, 1) ? 1.0 : 0.9999999999999995) * std::pow(10.0, n);
    const std::array<double, 4> kinds{
        std::isfinite(bits) ? bits : 1.0,
        std::ldexp(static_cast<double>(odd), -k) * (uniform(rng, 0, 1) ? 1 : -1),
        std::bit_cast<double>(std::bit_cast<std::int64_t>(edge) + uniform(rng, -40, 40)),
        std::pow(10.0, std::uniform_real_distribution<double>(-3, 17)(rng))};
    return kinds[static_cast<size_t>(std::min(uniform(rng, 0, 4), 3))];
}

// A "C" text from the value, hard to parse: printed with few or many digits, the exact midpoint to
// its neighbour (x87 long double holds it), or digits with hundreds of zeros before or after the
// point and an exponent up to beyond any integer, where only the whole text tells an underflow
// from an overflow.
std::string cText(Rng& rng, double value) {
    const auto anyDigits = [&rng] {
        return std::to_string(rng() >> uniform(rng, 0, 63));
    };
    const auto zeros = [&rng] {
        return std::string(static_cast<size_t>(uniform(rng, 0, uniform(rng, 0, 9) ? 3 : 400)), '0');
    };
    const long double midpoint = (static_cast<long double>(value) + std::nextafter(value, 0.0)) / 2;
    switch (uniform(rng, 0, 4)) {
    case 0:
    case 1:
        return zental::reference::printed("%.*g", uniform(rng, 0, 20), value);
    case 2:
        return zental::reference::printed("%.*Le", uniform(rng, 15, uniform(rng, 0, 19) ? 30 : 780),
                                          midpoint);
    default:
        return (uniform(rng, 0, 1) ? "0." + zeros() : anyDigits() + zeros() + ".") + anyDigits() +
               (uniform(rng, 0, 1) ? "e-" : "e") + anyDigits();
    }
}

// The text in the locale's form, grouped, signed and blank-padded as typed, then after up to three
// random edits, which leave about half of the texts invalid.
std::string typed(Rng& rng, std::string text, const zental::Separators& separators) {
    const auto anywhere = [&rng](size_t size) {
        return static_cast<size_t>(uniform(rng, 0, static_cast<int>(size)));
    };
    if (const size_t point = text.find('.'); point != std::string::npos)
        text.replace(point, 1, separators.decimal);
    for (size_t at = std::min(text.find_first_not_of("-0123456789"), text.size()); at > 1; --at)
        if (anywhere(5) == 0)
            text.insert(at - 1, separators.group);
    static constexpr char alphabet[] = "0123456789.,+-eE \t\n\v\f\rxinfa\0\x80\xe2";
    for (int edits = std::max(0, uniform(rng, -3, 3)); edits > 0; --edits)
        if (anywhere(1) || text.empty())
            text.insert(anywhere(text.size()), 1, alphabet[anywhere(sizeof alphabet - 2)]);
        else
            text.erase(anywhere(text.size() - 1), 1);
    const std::string blanks(anywhere(2), " \t\n\v\f\r"[anywhere(5)]);
    return blanks + (anywhere(9) ? "" : "+") + text + blanks.substr(anywhere(blanks.size()));
}

} // namespace

class tst_NumberText : public QObject {
    Q_OBJECT
private slots:
    void parseNumber_data() {
        QTest::addColumn<QString>("separators");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        row("every blank around", ".,", " \t\n\v\f\r50000\r\n", "50000");
        row("grouping anywhere between digits", ".,", "4,81,23", "48123");
        row("trailing decimal separator", ".,", "7.", "7");
        row("leading decimal separator", ".,", ".5", "0.5");
        row("comma decimal", ",.", "48123,5", "48123.5");
        row("dots group in a comma locale", ",.", "48123.5", "481235");
        row("multibyte grouping", ",\u202f", "48\u202f123,5", "48123.5");
        row("underflow to signed zero", ".,", "-1e-400", "-0");
        row("exponent beyond any integer", ".,", "1e-99999999999999999999", "0");
        row("negative zero", ".,", "-0", "-0");
        row("decimal separator only", ".,", ".", "rejected");
        row("second decimal separator", ".,", "1.2.3", "rejected");
        row("grouping after the decimal separator", ".,", "1.2,3", "rejected");
        row("overflow", ".,", "-1e400", "rejected");
        row("beyond the largest's half step", ".,", "1.7976931348623159e308", "rejected");
        row("40000 digits", ".,", QByteArray(40000, '4').constData(), "rejected");
        row("replacement character inside", ".,", "47\ufffd0", "rejected");
        QTest::newRow("NULs inside") << ".," << ("47" + QString(2, QChar()) + "00") << "rejected";
    }

    void parseNumber() {
        QFETCH(QString, separators);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(exactly(zental::parseNumber(text.toStdString(), injected(separators))), expected);
    }

    void frequencyText_data() {
        QTest::addColumn<QString>("separators");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("trailing zeros dropped") << ".," << 2000.0 << "2000";
        QTest::newRow("comma decimal") << ",." << 2047.8085106382978 << "2047,8085106383";
        QTest::newRow("zero") << ".," << 0.0 << "0";
        QTest::newRow("negative zero") << ".," << -0.0 << "0";
        QTest::newRow("rounds up to 0.1") << ".," << 0.09999999999999999 << "0.1";
        QTest::newRow("below 0.1 in exponent form")
            << ".," << 0.0425531914893617 << "4.25531914893617E-02";
        QTest::newRow("negative, three-digit exponent") << ",." << -1.5e-300 << "-1,5E-300";
        QTest::newRow("rounds up to 1E15") << ".," << 999999999999999.5 << "1E+15";
        QTest::newRow("exactly 1E15") << ".," << 1e15 << "1E+15";
        QTest::newRow("tie to even, down") << ".," << 1000000000000005.0 << "1E+15";
        QTest::newRow("tie to even, up") << ".," << 1000000000000015.0 << "1.00000000000002E+15";
    }

    void frequencyText() {
        QFETCH(QString, separators);
        QFETCH(double, value);
        QFETCH(QString, expected);
        QCOMPARE(QString::fromStdString(zental::frequencyText(value, injected(separators))),
                 expected);
    }

    // A compound's reference frequency in MHz at 7.05 T, scaled to the NT value.
    void compoundFrequencyText_data() {
        QTest::addColumn<QString>("nt");
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QString>("expected");
        row("grouped reference", "14100", "1,234.5", "2469");
        row("beyond the doubles once scaled", "14100", "1e308", "rejected");
        row("NT value not a number", "abc", "42.5", "rejected");
    }
    void compoundFrequencyText() {
        QFETCH(QString, nt);
        QFETCH(QString, reference);
        const std::optional<std::string> text = zental::compoundFrequencyText(
            nt.toStdString(), reference.toStdString(), injected(".,"));
        QTEST(QString::fromStdString(text.value_or("rejected")), "expected");
    }

    void separatorsComeFromTheLocale() {
        const zental::Separators german = zental::separatorsOf(QLocale(QLocale::German));
        QCOMPARE(exactly(zental::parseNumber("48.123,5", german)), "48123.5");
    }

    void agreeWithTheCLibrary_data() {
        QTest::addColumn<QString>("separators");
        QTest::newRow("dot") << ".,";
        QTest::newRow("comma") << ",.";
    }

    // From a fixed seed, so a failure repeats. Both verdicts must be common, or it says little.
    void agreeWithTheCLibrary() {
        QFETCH(QString, separators);
        const zental::Separators locale = injected(separators);
        Rng rng(0x5eed'2350);
        int accepted = 0;
        for (int k = 0; k < 1'000'000; ++k) {
            const double value = hardValue(rng);
            const std::string shown = zental::frequencyText(value, locale);
            if (shown != zental::reference::frequencyText(value, locale))
                QFAIL(qPrintable(exactly(value) + " gave " + QString::fromStdString(shown)));
            const std::string text = typed(rng, cText(rng, value), locale);
            const std::optional<double> parsed = zental::parseNumber(text, locale);
            if (!zental::reference::sameResult(parsed,
                                               zental::reference::parseNumber(text, locale)))
                QFAIL(qPrintable("hex " + QByteArray::fromStdString(text).toHex() + " gave " +
                                 exactly(parsed)));
            accepted += parsed.has_value();
        }
        QVERIFY2(accepted > 250'000 && accepted < 750'000, qPrintable(QString::number(accepted)));
    }
};

QTEST_APPLESS_MAIN(tst_NumberText)
#include "tst_numbertext.moc"
