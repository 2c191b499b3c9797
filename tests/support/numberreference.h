// The number conversions done another way, for the differential test and the fuzzer: the grammar
// as one regular expression, the values from the C library's strtod and printf in the "C" locale.
#pragma once

#include "core/numbertext.h"

#include <QRegularExpression>

#include <array>
#include <bit>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <map>

#ifndef Q_OS_WIN
#include <locale.h>
#endif

namespace zental::reference {

#ifdef Q_OS_WIN
// Qt keeps the C locale on Windows; mingw's own strtod rounds right where msvcrt's does not.
struct CLocaleScope {};
inline double cStrtod(const char* text) {
    return __mingw_strtod(text, nullptr);
}
#else
inline const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
// printf has no variant taking a locale, so the thread's locale is switched for the call.
struct CLocaleScope {
    const locale_t previous = uselocale(cLocale);
    ~CLocaleScope() { uselocale(previous); }
};
inline double cStrtod(const char* text) {
    return strtod_l(text, nullptr, cLocale);
}
#endif

template <typename... Args> std::string printed(const char* format, Args... args) {
    [[maybe_unused]] const CLocaleScope inC;
    std::array<char, 1024> text; // printf fills it
    const int length = std::snprintf(text.data(), text.size(), format, args...);
    return {text.data(), static_cast<size_t>(length)};
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

// The grammar for the locale's separators, compiled once for each pair.
inline const QRegularExpression& grammar(const Separators& separators) {
    static std::map<std::pair<std::string, std::string>, QRegularExpression> grammars;
    const auto [entry, added] = grammars.try_emplace({separators.decimal, separators.group});
    if (added)
        entry->second.setPattern(QRegularExpression::anchoredPattern(
            QStringLiteral(
                R"([\t-\r ]*[+-]?([0-9]+(%1[0-9]+)*(%2[0-9]*)?|%2[0-9]+)([eE][+-]?[0-9]+)?[\t-\r ]*)")
                .arg(QRegularExpression::escape(latin1(separators.group)),
                     QRegularExpression::escape(latin1(separators.decimal)))));
    return entry->second;
}

// strtod's value of the text without group separators, with "." for the decimal one: an overflow
// to infinity is refused, an underflow kept.
inline std::optional<double> parseNumber(std::string_view text, const Separators& separators) {
    if (!grammar(separators).match(latin1(text)).hasMatch())
        return std::nullopt;
    const QByteArray cText = QByteArray(text.data(), static_cast<qsizetype>(text.size()))
                                 .replace(separators.group.c_str(), "")
                                 .replace(separators.decimal.c_str(), ".");
    errno = 0;
    const double value = cStrtod(cText.constData());
    return errno == ERANGE && std::isinf(value) ? std::nullopt : std::optional(value);
}

// %.15G rounds to 15 digits and drops trailing zeros. Below 0.1 once rounded its plain form gives
// way to %.14E with the mantissa's trailing zeros dropped.
inline std::string frequencyText(double value, const Separators& separators) {
    static const QRegularExpression mantissaZeros(QStringLiteral(R"(\.?0+(?=E))"));
    std::string text = printed("%.15G", value);
    if (text.starts_with("0.0") || text.starts_with("-0.0"))
        text = latin1(printed("%.14E", value)).remove(mantissaZeros).toStdString();
    if (const size_t point = text.find('.'); point != std::string::npos)
        text.replace(point, 1, separators.decimal);
    return value == 0 ? "0" : text;
}

} // namespace zental::reference
