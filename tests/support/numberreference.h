// Reference versions of the two number conversions, for the differential tests and fuzz targets.
// The grammar recogniser is written apart from the product's scanner (it splits the text where the
// product walks it), and the values come from the C library's correctly rounded strtod and printf
// in the "C" locale, so neither the process locale nor the product's own code can sway a verdict.
#pragma once

#include "numbertext.h"

#include <locale.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zental::reference {

inline locale_t cLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

// printf has no variant taking a locale, so the thread's locale is switched for the call.
class CLocaleScope {
public:
    CLocaleScope()
        : m_previous(uselocale(cLocale())) {}
    ~CLocaleScope() { uselocale(m_previous); }
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;

private:
    locale_t m_previous;
};

inline bool isAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

inline bool isAllDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), isAsciiDigit);
}

inline std::vector<std::string_view> split(std::string_view text, std::string_view separator) {
    std::vector<std::string_view> parts;
    if (separator.empty())
        return {text};
    for (size_t found = text.find(separator); found != std::string_view::npos;
         found = text.find(separator)) {
        parts.push_back(text.substr(0, found));
        text.remove_prefix(found + separator.size());
    }
    parts.push_back(text);
    return parts;
}

inline std::string_view trimmed(std::string_view text) {
    constexpr std::string_view blanks = " \t\n\v\f\r";
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) + 1 - first);
}

// Digits of the part before the decimal separator. Splitting at the grouping separator leaves an
// empty or non-digit piece exactly when a separator does not stand between two digits.
inline std::optional<std::string> ungroupedDigits(std::string_view integerPart,
                                                  std::string_view group) {
    std::string digits;
    if (integerPart.empty())
        return digits;
    for (const std::string_view piece : split(integerPart, group)) {
        if (piece.empty() || !isAllDigits(piece))
            return std::nullopt;
        digits += piece;
    }
    return digits;
}

// "[sign]digits" of an exponent (without its e), or nullopt.
inline std::optional<std::string_view> exponentDigits(std::string_view exponent) {
    const std::string_view digits =
        exponent.starts_with('+') || exponent.starts_with('-') ? exponent.substr(1) : exponent;
    if (digits.empty() || !isAllDigits(digits))
        return std::nullopt;
    return exponent;
}

// The text in strtod's "C" form ("-123.45e+6") when the grammar accepts it, else nullopt.
inline std::optional<std::string> normalised(std::string_view text, const Separators& separators) {
    std::string_view body = trimmed(text);
    std::string result;
    if (body.starts_with('+') || body.starts_with('-')) {
        result += body.front();
        body.remove_prefix(1);
    }
    const size_t ePos = std::min(body.find_first_of("eE"), body.size());
    const std::vector<std::string_view> halves = split(body.substr(0, ePos), separators.decimal);
    if (halves.size() > 2)
        return std::nullopt;
    const std::optional<std::string> integerDigits = ungroupedDigits(halves[0], separators.group);
    const std::string_view fraction = halves.size() == 2 ? halves[1] : std::string_view{};
    if (!integerDigits || !isAllDigits(fraction) || (integerDigits->empty() && fraction.empty()))
        return std::nullopt;
    result += *integerDigits;
    if (halves.size() == 2)
        (result += '.') += fraction;
    if (ePos < body.size()) {
        const std::optional<std::string_view> exponent = exponentDigits(body.substr(ePos + 1));
        if (!exponent)
            return std::nullopt;
        (result += 'e') += *exponent;
    }
    return result;
}

// strtod's value of a normalised text: nullopt when it overflows; an underflow keeps the
// correctly rounded subnormal or signed zero that strtod returns with ERANGE.
inline std::optional<double> strtodValue(const std::string& cText) {
    errno = 0;
    char* end = nullptr;
    const double value = strtod_l(cText.c_str(), &end, cLocale());
    if (end != cText.c_str() + cText.size())
        throw std::logic_error("strtod stopped early in a normalised text: " + cText);
    if (errno == ERANGE && std::isinf(value))
        return std::nullopt;
    return value;
}

inline std::optional<double> parseNumber(std::string_view text, const Separators& separators) {
    const std::optional<std::string> cText = normalised(text, separators);
    return cText ? strtodValue(*cText) : std::nullopt;
}

template <typename... Args> std::string printed(const char* format, Args... args) {
    const CLocaleScope inC;
    std::array<char, 64> buffer{};
    const int length = std::snprintf(buffer.data(), buffer.size(), format, args...);
    if (length < 0 || static_cast<size_t>(length) >= buffer.size())
        throw std::logic_error(std::string("printf did not fit: ") + format);
    return {buffer.data(), static_cast<size_t>(length)};
}

// "1.50000000000000E-05" -> "1.5E-05"; "1.00000000000000E+15" -> "1E+15".
inline std::string withoutMantissaZeros(std::string scientific) {
    const size_t ePos = scientific.find('E');
    size_t mantissaEnd = scientific.find_last_not_of('0', ePos - 1) + 1;
    if (scientific[mantissaEnd - 1] == '.')
        --mantissaEnd;
    return scientific.erase(mantissaEnd, ePos - mantissaEnd);
}

// printf's rounding to 15 significant digits; %G's plain form where the rounded value's decimal
// exponent is -1 to 14 (it strips trailing zeros itself), %E with zeros stripped elsewhere.
inline std::string frequencyText(double value, const Separators& separators) {
    if (value == 0)
        return "0";
    const std::string scientific = printed("%.14E", value);
    const int exponent = std::atoi(scientific.c_str() + scientific.find('E') + 1);
    std::string text = exponent >= -1 && exponent < 15 ? printed("%.15G", value)
                                                       : withoutMantissaZeros(scientific);
    const size_t point = text.find('.');
    if (point != std::string::npos)
        text.replace(point, 1, separators.decimal);
    return text;
}

} // namespace zental::reference
