// The number conversions against independent references (support/numberreference.h) over a
// million generated inputs per conversion and locale, from a fixed seed so a failure repeats.
#include "numbertext.h"
#include "support/numberreference.h"

#include <QElapsedTimer>
#include <QTest>

#include <bit>
#include <cfloat>
#include <cstdint>
#include <random>

using zental::Separators;
namespace reference = zental::reference;

namespace {

constexpr long long inputsPerRun = 1'000'000;
constexpr std::uint64_t seed = 0x5eed'2350'0000'0001;
constexpr int examplesShown = 8;

const Separators dot{".", ","};
const Separators comma{",", "."};

using Rng = std::mt19937_64;

int uniform(Rng& rng, int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(rng);
}

bool chance(Rng& rng, double probability) {
    return std::bernoulli_distribution(probability)(rng);
}

template <typename T, size_t N> const T& pick(Rng& rng, const std::array<T, N>& choices) {
    return choices[static_cast<size_t>(uniform(rng, 0, static_cast<int>(N) - 1))];
}

// Every finite double is equally likely by bit pattern, so most have extreme magnitudes.
double anyFiniteDouble(Rng& rng) {
    for (;;) {
        const double value = std::bit_cast<double>(rng());
        if (std::isfinite(value))
            return value;
    }
}

// Magnitudes spread evenly over the decades from 10^low to 10^high, either sign.
double decadeSpread(Rng& rng, double low, double high) {
    const double magnitude = std::pow(10.0, std::uniform_real_distribution<double>(low, high)(rng));
    return chance(rng, 0.5) ? -magnitude : magnitude;
}

double stepsAway(double value, int steps) {
    const double toward = steps < 0 ? -HUGE_VAL : HUGE_VAL;
    for (int k = 0; k < std::abs(steps); ++k)
        value = std::nextafter(value, toward);
    return value;
}

QString shown(std::string_view text) {
    return QString::fromUtf8(QByteArray(text.data(), static_cast<qsizetype>(text.size())).toHex());
}

QString shown(const std::optional<double>& value) {
    return value ? QString::number(*value, 'g', 17) + (std::signbit(*value) ? " (neg)" : "")
                 : QStringLiteral("rejected");
}

// Counts inputs and keeps the first disagreements for the failure message.
struct Tally {
    long long tried = 0;
    long long disagreements = 0;
    QStringList examples;

    // `describe` is called only on a disagreement: building texts for every input would
    // cost more than the comparison.
    template <typename Describe> void note(bool agree, Describe describe) {
        ++tried;
        if (agree)
            return;
        ++disagreements;
        if (examples.size() < examplesShown)
            examples << describe();
    }
    QString report() const {
        return QStringLiteral("%1 of %2 inputs disagree:\n  %3")
            .arg(disagreements)
            .arg(tried)
            .arg(examples.join("\n  "));
    }
};

// ---- Number texts for parseNumber -------------------------------------------------------------

// Texts in the "C" form (digits, '.', exponent) that mostly are numbers, made to be hard.
class CNumberMaker {
public:
    explicit CNumberMaker(Rng& rng)
        : m_rng(rng) {}

    std::string next() {
        switch (uniform(m_rng, 0, 9)) {
        case 0:
        case 1:
        case 2:
            return printedDouble();
        case 3:
        case 4:
        case 5:
            return randomDigits();
        case 6:
        case 7:
            return nearHalfway();
        case 8:
            return hugeExponent();
        default:
            return limitNeighbour();
        }
    }

private:
    double someDouble() {
        switch (uniform(m_rng, 0, 2)) {
        case 0:
            return anyFiniteDouble(m_rng);
        case 1:
            return decadeSpread(m_rng, -30, 30);
        default:
            return stepsAway(pick(m_rng, limits), uniform(m_rng, -3, 3));
        }
    }

    std::string printedDouble() {
        const double value = someDouble();
        const int precision = uniform(m_rng, 0, 20);
        if (std::fabs(value) < 1e25 && chance(m_rng, 0.3))
            return reference::printed("%.*f", precision, value);
        return reference::printed(chance(m_rng, 0.5) ? "%.*e" : "%.*g", precision, value);
    }

    std::string digits(int count) {
        std::string text;
        for (int k = 0; k < count; ++k)
            text += static_cast<char>('0' + uniform(m_rng, 0, 9));
        return text;
    }

    // Long digit strings make the correctly rounded result depend on every digit.
    std::string randomDigits() {
        std::string text =
            digits(chance(m_rng, 0.05) ? uniform(m_rng, 26, 800) : uniform(m_rng, 1, 25));
        if (chance(m_rng, 0.7))
            text.insert(static_cast<size_t>(uniform(m_rng, 0, static_cast<int>(text.size()))), ".");
        if (chance(m_rng, 0.7))
            text += "e" + std::to_string(uniform(m_rng, -400, 400));
        return text;
    }

    // The exact midpoint of two neighbouring doubles, in full or cut off a little before or
    // after where it differs from them: the inputs where rounding mistakes show.
    std::string nearHalfway() {
        const double low = std::min(std::fabs(someDouble()), std::nextafter(DBL_MAX, 0.0));
        const double high = std::nextafter(low, HUGE_VAL);
        // x87 long double has 11 more mantissa bits than double: the midpoint is exact.
        const long double middle = (static_cast<long double>(low) + high) / 2;
        const reference::CLocaleScope inC;
        std::string text(1024, '\0');
        const int precision = chance(m_rng, 0.1) ? 780 : uniform(m_rng, 15, 30);
        text.resize(static_cast<size_t>(
            std::snprintf(text.data(), text.size(), "%.*Le", precision, middle)));
        return text;
    }

    std::string hugeExponent() {
        const std::string mantissa = chance(m_rng, 0.2) ? "0" : digits(uniform(m_rng, 1, 4));
        return mantissa + pick(m_rng, std::array<const char*, 3>{"e", "e-", "e+"}) +
               digits(uniform(m_rng, 3, 30));
    }

    // Texts right at the edges of the double range: overflow, largest, smallest, underflow.
    std::string limitNeighbour() {
        static const std::array<const char*, 8> texts{
            "1.7976931348623157e308",  "1.7976931348623158e308",  "1.797693134862315807937e308",
            "1.7976931348623159e308",  "2.4703282292062327e-324", "2.4703282292062328e-324",
            "4.9406564584124654e-324", "2.2250738585072011e-308"};
        return pick(m_rng, texts);
    }

    static constexpr std::array<double, 6> limits{DBL_MAX, DBL_MIN, DBL_TRUE_MIN, 1e15, 0.1, 1.0};
    Rng& m_rng;
};

// Turns "C" texts into the locale's form, dressed as users type them, and breaks some of them.
class LocaleTextMaker {
public:
    LocaleTextMaker(Rng& rng, const Separators& separators)
        : m_rng(rng)
        , m_separators(separators)
        , m_numbers(rng) {}

    std::string next() {
        const int family = uniform(m_rng, 0, 19);
        if (family < 10)
            return dressed(m_numbers.next());
        if (family < 18)
            return mutated(dressed(m_numbers.next()));
        return mutated(dressed(oddity()));
    }

private:
    std::string dressed(std::string text) {
        localiseSeparators(text);
        if (chance(m_rng, 0.5))
            groupIntegerDigits(text);
        const size_t ePos = text.find_first_of("eE");
        if (ePos != std::string::npos && chance(m_rng, 0.5))
            text[ePos] = text[ePos] == 'e' ? 'E' : 'e';
        if (!text.starts_with('-') && chance(m_rng, 0.1))
            text.insert(0, "+");
        return blanks() + text + blanks();
    }

    void localiseSeparators(std::string& text) const {
        const size_t point = text.find('.');
        if (point != std::string::npos)
            text.replace(point, 1, m_separators.decimal);
    }

    // Grouping by threes, or anywhere between two digits: both are allowed before the decimal
    // separator. A text starting with the separator gets its fraction grouped, which is not.
    void groupIntegerDigits(std::string& text) {
        const size_t first = text.find_first_of("0123456789");
        if (first == std::string::npos)
            return;
        const size_t end = std::min(text.find_first_not_of("0123456789", first), text.size());
        const bool byThrees = chance(m_rng, 0.5);
        for (size_t at = end - 1; at > first; --at)
            if (byThrees ? (end - at) % 3 == 0 : chance(m_rng, 0.2))
                text.insert(at, m_separators.group);
    }

    std::string blanks() {
        static const std::array<char, 6> blankChars{' ', '\t', '\n', '\v', '\f', '\r'};
        std::string text;
        for (int count = chance(m_rng, 0.7) ? 0 : uniform(m_rng, 1, 3); count > 0; --count)
            text += pick(m_rng, blankChars);
        return text;
    }

    // Edits that make the rejections interesting: separators in odd places, doubled signs,
    // blanks inside, letters, bytes outside ASCII.
    std::string mutated(std::string text) {
        static constexpr char alphabetChars[] =
            "0123456789.,+-eE \t\n\v\f\rxXpPinfaINF_'\0\x80\xa0\xe2";
        static constexpr std::string_view alphabet{alphabetChars, sizeof alphabetChars - 1};
        const auto anyChar = [this] {
            return alphabet[static_cast<size_t>(
                uniform(m_rng, 0, static_cast<int>(alphabet.size()) - 1))];
        };
        for (int edits = uniform(m_rng, 1, 3); edits > 0; --edits) {
            const size_t at = static_cast<size_t>(uniform(m_rng, 0, static_cast<int>(text.size())));
            switch (uniform(m_rng, 0, 4)) {
            case 0:
                text.insert(at, 1, anyChar());
                break;
            case 1:
                text.insert(at, chance(m_rng, 0.5) ? m_separators.group : m_separators.decimal);
                break;
            case 2:
                if (at < text.size())
                    text.erase(at, 1);
                break;
            case 3:
                if (at < text.size())
                    text.insert(at, 1, text[at]);
                break;
            default:
                if (at < text.size())
                    text[at] = anyChar();
            }
        }
        return text;
    }

    // Forms strtod or other parsers take that the grammar refuses.
    std::string oddity() {
        static const std::array<const char*, 16> texts{
            "inf",  "INF", "infinity", "nan", "NaN", "nan(123)", "0x1p3", "0X1A",
            "0x10", "1e",  "e5",       "1e+", "--1", "+-1",      "1_000", "\xd9\xa1"};
        return pick(m_rng, texts);
    }

    Rng& m_rng;
    const Separators& m_separators;
    CNumberMaker m_numbers;
};

bool sameResult(const std::optional<double>& a, const std::optional<double>& b) {
    return a.has_value() == b.has_value() &&
           (!a || std::bit_cast<std::uint64_t>(*a) == std::bit_cast<std::uint64_t>(*b));
}

// ---- Doubles for frequencyText ----------------------------------------------------------------

// Ties when rounding to 15 digits: doubles whose exact decimal value has 16 significant digits,
// the last a 5. Either a 16-digit integer ending in 5 and below 2^53, so exact (around 1E15), or
// M * 5^k / 10^k with M odd and k > 0, which is M / 2^k and so exact too (down to 1E-7).
std::uint64_t tieDigitsInteger(Rng& rng) {
    constexpr std::uint64_t highest = 900'719'925'474'098ULL; // 10 * highest + 5 < 2^53
    std::uniform_int_distribution<std::uint64_t> leading(100'000'000'000'000ULL, highest);
    return leading(rng) * 10 + 5;
}

std::uint64_t tieDigitsOverFivePower(Rng& rng, int k) {
    std::uint64_t fivePower = 1;
    for (int j = 0; j < k; ++j)
        fivePower *= 5;
    const std::uint64_t low = (1'000'000'000'000'000ULL + fivePower - 1) / fivePower;
    const std::uint64_t high = 9'999'999'999'999'999ULL / fivePower;
    const std::uint64_t odd = std::uniform_int_distribution<std::uint64_t>(low, high)(rng) | 1U;
    return odd > high ? odd - 2 : odd;
}

double exactTie(Rng& rng) {
    const int k = uniform(rng, 0, 22);
    const std::uint64_t digits = k == 0 ? tieDigitsInteger(rng) : tieDigitsOverFivePower(rng, k);
    const double tie = std::ldexp(static_cast<double>(digits), -k);
    return chance(rng, 0.5) ? -tie : tie;
}

// The double nearest a random tie, just off it in one direction: rounding must look at the
// value, not at a shortened text of it.
double nearTie(Rng& rng) {
    std::string text = "0." + std::to_string(uniform(rng, 100'000'000, 999'999'999)) +
                       std::to_string(uniform(rng, 100'000, 999'999)) + "5e" +
                       std::to_string(uniform(rng, -300, 300));
    return reference::strtodValue(text).value_or(1.0);
}

// Around the points where the form changes: 10^k and the 15-digit rounding boundary below it.
double nearDecadeEdge(Rng& rng) {
    const int exponent =
        chance(rng, 0.5) ? pick(rng, std::array<int, 2>{-1, 15}) : uniform(rng, -307, 308);
    const std::string edge = (chance(rng, 0.5) ? "1e" : "9.999999999999995e") +
                             std::to_string(chance(rng, 0.5) ? exponent : exponent - 1);
    return stepsAway(reference::strtodValue(edge).value_or(1.0), uniform(rng, -40, 40));
}

double frequencyInput(Rng& rng) {
    switch (uniform(rng, 0, 5)) {
    case 0:
        return anyFiniteDouble(rng);
    case 1:
        return decadeSpread(rng, -3, 17);
    case 2:
        return exactTie(rng);
    case 3:
        return nearTie(rng);
    case 4:
        return nearDecadeEdge(rng);
    default:
        return chance(rng, 0.5) ? decadeSpread(rng, -308, 308)
                                : pick(rng, std::array<double, 6>{0.0, -0.0, DBL_MAX, -DBL_MIN,
                                                                  DBL_TRUE_MIN, 1e15});
    }
}

Separators separatorsNamed(const QString& name) {
    return name == "dot" ? dot : comma;
}

void addLocaleRows() {
    QTest::addColumn<QString>("locale");
    QTest::newRow("dot") << "dot";
    QTest::newRow("comma") << "comma";
}

} // namespace

class tst_Differential : public QObject {
    Q_OBJECT
private slots:
    void parseNumberAgreesWithStrtod_data() { addLocaleRows(); }
    void parseNumberAgreesWithStrtod();
    void frequencyTextAgreesWithPrintf_data() { addLocaleRows(); }
    void frequencyTextAgreesWithPrintf();
};

void tst_Differential::parseNumberAgreesWithStrtod() {
    QFETCH(QString, locale);
    const Separators separators = separatorsNamed(locale);
    Rng rng(seed);
    LocaleTextMaker texts(rng, separators);
    Tally tally;
    long long accepted = 0;
    QElapsedTimer timer;
    timer.start();
    while (tally.tried < inputsPerRun) {
        const std::string text = texts.next();
        const std::optional<double> expected = reference::parseNumber(text, separators);
        const std::optional<double> actual = zental::parseNumber(text, separators);
        accepted += expected.has_value();
        tally.note(sameResult(actual, expected), [&] {
            return QStringLiteral("hex %1: %2, expected %3")
                .arg(shown(text), shown(actual), shown(expected));
        });
    }
    qInfo("parseNumber, %s locale: %lld inputs (%lld valid, %lld invalid) in %lld ms",
          qPrintable(locale), tally.tried, accepted, tally.tried - accepted, timer.elapsed());
    QVERIFY2(tally.disagreements == 0, qPrintable(tally.report()));
    // Both verdicts must be well represented, or the comparison says little.
    QVERIFY(accepted > inputsPerRun / 4 && tally.tried - accepted > inputsPerRun / 4);
}

void tst_Differential::frequencyTextAgreesWithPrintf() {
    QFETCH(QString, locale);
    const Separators separators = separatorsNamed(locale);
    Rng rng(seed);
    Tally tally;
    QElapsedTimer timer;
    timer.start();
    while (tally.tried < inputsPerRun) {
        const double value = frequencyInput(rng);
        const std::string expected = reference::frequencyText(value, separators);
        const std::string actual = zental::frequencyText(value, separators);
        tally.note(actual == expected, [&] {
            return QStringLiteral("%1: \"%2\", expected \"%3\"")
                .arg(QString::number(value, 'g', 17), QString::fromStdString(actual),
                     QString::fromStdString(expected));
        });
    }
    qInfo("frequencyText, %s locale: %lld values in %lld ms", qPrintable(locale), tally.tried,
          timer.elapsed());
    QVERIFY2(tally.disagreements == 0, qPrintable(tally.report()));
}

QTEST_APPLESS_MAIN(tst_Differential)
#include "tst_differential.moc"
