// The number conversions done another way, for the differential test and the fuzzer: the grammar
// as one regular expression, the values from the C library's strtod and printf in the "C" locale.
#pragma once

#include "numbertext.h"

#include <QRegularExpression>

#include <locale.h>

#include <array>
#include <bit>
#include <cerrno>
#include <cmath>
#include <cstdio>

namespace zental::reference {

inline locale_t cLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t{});
    return locale;
}

// printf has no variant taking a locale, so the thread's locale is switched for the call.
template <typename... Args> std::string printed(const char* format, Args... args) {
    const locale_t previous = uselocale(cLocale());
    std::array<char, 1024> text{};
    std::snprintf(text.data(), text.size(), format, args...);
    uselocale(previous);
    return text.data();
}

// One character per byte, so that any bytes can be matched and given back unchanged.
inline QString latin1(std::string_view bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// The same verdict and the same double to the bit: a signed zero is not an unsigned one.
inline bool sameResult(std::optional<double> a, std::optional<double> b) {
    return a.has_value() == b.has_value() &&
           (!a || std::bit_cast<std::uint64_t>(*a) == std::bit_cast<std::uint64_t>(*b));
}

// The separators become characters no byte maps to, U+E000 (decimal) and U+E001 (group), so one
// expression serves every locale; an overflow to infinity is refused, an underflow is kept.
inline std::optional<double> parseNumber(std::string_view text, const Separators& separators) {
    static const QRegularExpression grammar(QRegularExpression::anchoredPattern(QStringLiteral(
        R"([\t-\r ]*[+-]?([0-9]+(\x{e001}[0-9]+)*(\x{e000}[0-9]*)?|\x{e000}[0-9]+)([eE][+-]?[0-9]+)?[\t-\r ]*)")));
    QString marked = latin1(text)
                         .replace(latin1(separators.decimal), QChar(0xe000))
                         .replace(latin1(separators.group), QChar(0xe001));
    if (!grammar.match(marked).hasMatch())
        return std::nullopt;
    errno = 0;
    const double value =
        strtod_l(marked.replace(QChar(0xe000), u'.').remove(QChar(0xe001)).toLatin1().constData(),
                 nullptr, cLocale());
    return errno == ERANGE && std::isinf(value) ? std::nullopt : std::optional(value);
}

// %.15G rounds to 15 digits and drops trailing zeros. Below 0.1 once rounded its plain form gives
// way to %.14E with the mantissa's trailing zeros dropped.
inline std::string frequencyText(double value, const Separators& separators) {
    static const QRegularExpression mantissaZeros(QStringLiteral(R"(\.?0+(?=E))"));
    QString text = latin1(printed("%.15G", value));
    if (text.startsWith("0.0") || text.startsWith("-0.0"))
        text = latin1(printed("%.14E", value)).remove(mantissaZeros);
    return value == 0 ? "0"
                      : text.replace(u'.', latin1(separators.decimal)).toLatin1().toStdString();
}

} // namespace zental::reference
