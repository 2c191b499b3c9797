// The number conversions with given separators: texts parsed and their values labelled, the
// grammar's and the label's cases one per row, then a million generated inputs per locale against
// the C library.
#include "core/compounds.h"
#include "core/localeseparators.h"
#include "support/numberreference.h"

#include <QTest>

#include <charconv>
#include <random>

namespace {

// A parse result exactly: the shortest text that reads back as the same double, sign included.
QString exactly(std::optional<double> value) {
    std::array<char, 32> text{};
    if (value)
        std::to_chars(text.data(), text.data() + text.size(), *value);
    return value ? QString(text.data()) : QStringLiteral("rejected");
}

struct Conversion {
    zental::Separators separators{}; // "." and ","
    QString text;
    QString value;   // parsed exactly, or "rejected"
    QString label{}; // the value's frequency text
};

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
    const int kind = uniform(rng, 0, 4);
    if (kind < 2)
        return zental::reference::printed("%.*g", uniform(rng, 0, 20), value);
    if (kind == 2)
        return zental::reference::printed("%.*Le", uniform(rng, 15, uniform(rng, 0, 19) ? 30 : 780),
                                          midpoint);
    return (uniform(rng, 0, 1) ? "0." + zeros() : anyDigits() + zeros() + ".") + anyDigits() +
           (uniform(rng, 0, 1) ? "e-" : "e") + anyDigits();
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
    void numberText_data() {
        QTest::addColumn<Conversion>("row");
        // clang-format off
        QTest::newRow("every blank around, zeros after the digits") << Conversion{.text = " \t\n\v\f\r50000\r\n", .value = "50000", .label = "50000"};
        QTest::newRow("grouping anywhere between digits, tie to even up") << Conversion{.text = "1,000000000,00001,5", .value = "1000000000000015", .label = "1.00000000000002E+15"};
        QTest::newRow("trailing decimal separator, tie to even down") << Conversion{.text = "1000000000000005.", .value = "1000000000000005", .label = "1E+15"};
        QTest::newRow("rounds up to 1E15") << Conversion{.text = "999999999999999.5", .value = "999999999999999.5", .label = "1E+15"};
        QTest::newRow("leading decimal separator, below 0.1 in exponent form") << Conversion{.text = ".0425531914893617", .value = "0.0425531914893617", .label = "4.25531914893617E-02"};
        QTest::newRow("rounds up to 0.1") << Conversion{.text = "0.09999999999999999", .value = "0.09999999999999999", .label = "0.1"};
        QTest::newRow("German separators from the locale, 15 digits") << Conversion{.separators = zental::separatorsOf(QLocale(QLocale::German)), .text = "2.047,8085106382978", .value = "2047.8085106382978", .label = "2047,8085106383"};
        QTest::newRow("multibyte grouping") << Conversion{.separators = {",", "\u202f"}, .text = "48\u202f123,5", .value = "48123.5", .label = "48123,5"};
        QTest::newRow("negative, three-digit exponent") << Conversion{.separators = {",", "."}, .text = "-1,5e-300", .value = "-1.5e-300", .label = "-1,5E-300"};
        QTest::newRow("underflow to signed zero") << Conversion{.text = "-1e-400", .value = "-0", .label = "0"};
        QTest::newRow("exponent beyond any integer") << Conversion{.text = "1e-99999999999999999999", .value = "0", .label = "0"};
        QTest::newRow("decimal separator only") << Conversion{.text = ".", .value = "rejected"};
        QTest::newRow("second decimal separator") << Conversion{.text = "1.2.3", .value = "rejected"};
        QTest::newRow("grouping after the decimal separator") << Conversion{.text = "1.2,3", .value = "rejected"};
        QTest::newRow("beyond the largest's half step") << Conversion{.text = "1.7976931348623159e308", .value = "rejected"};
        QTest::newRow("overflow by 40000 digits") << Conversion{.text = "-" + QString(40000, u'4'), .value = "rejected"};
        QTest::newRow("NULs inside") << Conversion{.text = "47" + QString(2, QChar()) + "00", .value = "rejected"};
        // clang-format on
    }

    void numberText() {
        QFETCH(Conversion, row);
        const std::optional<double> value =
            zental::parseNumber(row.text.toStdString(), row.separators);
        QCOMPARE(exactly(value), row.value);
        QCOMPARE(value ? QString::fromStdString(zental::frequencyText(*value, row.separators)) : "",
                 row.label);
    }

    // A compound's reference frequency in MHz at 7.05 T, scaled to the NT value.
    void compoundFrequencyText() {
        const auto text = [](std::string_view nt, std::string_view reference) {
            return QString::fromStdString(
                zental::compoundFrequencyText(nt, reference, {}).value_or("rejected"));
        };
        QCOMPARE(text("14100", "1,234.5"), "2469");   // a grouped reference
        QCOMPARE(text("14100", "1e308"), "rejected"); // beyond the doubles once scaled
        QCOMPARE(text("abc", "42.5"), "rejected");    // the NT value not a number
    }

    void agreeWithTheCLibrary_data() {
        QTest::addColumn<zental::Separators>("locale");
        QTest::newRow("dot") << zental::Separators{};
        QTest::newRow("comma") << zental::Separators{",", "."};
    }

    // From a fixed seed, so a failure repeats. Both verdicts must be common, or it says little.
    void agreeWithTheCLibrary() {
        QFETCH(zental::Separators, locale);
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
