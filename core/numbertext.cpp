#include "core/numbertext.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

namespace zental {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// A cursor over the text being parsed, with just the moves the grammar needs.
struct Scanner {
    std::string_view text;
    size_t pos = 0;

    bool atEnd() const { return pos >= text.size(); }
    char peek() const { return atEnd() ? '\0' : text[pos]; }
    bool digitAt(size_t at) const { return at < text.size() && isDigit(text[at]); }
    bool lookingAt(std::string_view token) const {
        return !token.empty() && text.substr(pos).substr(0, token.size()) == token;
    }
    void skipBlanks() {
        while (!atEnd() && isBlank(text[pos]))
            ++pos;
    }
};

// Copies the mantissa into `out` in "C" form (digits and at most one '.'), dropping grouping.
// Returns false when it holds no digit.
bool scanMantissa(Scanner& in, const Separators& separators, std::string& out) {
    bool anyDigit = false;
    bool afterDecimal = false;
    while (!in.atEnd()) {
        if (isDigit(in.peek())) {
            out += in.text[in.pos++];
            anyDigit = true;
        } else if (!afterDecimal && in.lookingAt(separators.decimal)) {
            out += '.';
            in.pos += separators.decimal.size();
            afterDecimal = true;
        } else if (!afterDecimal && in.lookingAt(separators.group) && in.pos > 0 &&
                   in.digitAt(in.pos - 1) && in.digitAt(in.pos + separators.group.size())) {
            in.pos += separators.group.size(); // a grouping separator between two digits
        } else {
            break;
        }
    }
    return anyDigit;
}

// Copies "e[sign]digits" into `out` if present. Returns false for an exponent without digits.
bool scanExponent(Scanner& in, std::string& out) {
    if (in.peek() != 'e' && in.peek() != 'E')
        return true;
    ++in.pos;
    out += 'e';
    if (in.peek() == '+' || in.peek() == '-')
        out += in.text[in.pos++];
    const size_t firstDigit = in.pos;
    while (isDigit(in.peek()))
        out += in.text[in.pos++];
    return in.pos > firstDigit;
}

// For a normalised text that from_chars found out of range: true when its magnitude is below 1,
// i.e. it underflows to zero rather than overflowing.
bool isUnderflow(std::string_view normalised) {
    const size_t ePos = normalised.find('e');
    const std::string_view mantissa = normalised.substr(0, ePos);
    const size_t dot = std::min(mantissa.find('.'), mantissa.size());
    const size_t firstNonZero = mantissa.find_first_not_of("0.");
    // Position of the leading significant digit relative to the decimal point.
    long long exponent = static_cast<long long>(dot) - static_cast<long long>(firstNonZero) -
                         (firstNonZero > dot ? 0 : 1);
    if (ePos != std::string_view::npos) {
        const std::string_view digits = normalised.substr(ePos + 1);
        const bool negative = digits.front() == '-';
        long long value = 0;
        for (const char c : digits)
            if (isDigit(c))
                value = std::min(value * 10 + (c - '0'), 1'000'000'000LL); // saturate
        exponent += negative ? -value : value;
    }
    return exponent < 0;
}

} // namespace

std::optional<double> parseNumber(std::string_view text, const Separators& separators) {
    Scanner in{text};
    in.skipBlanks();
    bool negative = false;
    if (in.peek() == '+' || in.peek() == '-')
        negative = text[in.pos++] == '-';

    std::string normalised;
    if (!scanMantissa(in, separators, normalised) || !scanExponent(in, normalised))
        return std::nullopt;
    in.skipBlanks();
    if (!in.atEnd())
        return std::nullopt;

    double value = 0.0;
    const char* first = normalised.data();
    const char* last = first + normalised.size();
    const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
    if (error == std::errc::result_out_of_range && isUnderflow(normalised))
        value = 0.0;
    else if (error != std::errc{} || end != last)
        return std::nullopt;
    return negative ? -value : value;
}

namespace {

constexpr int significantDigits = 15;

// The value rounded to 15 significant digits: its digits without trailing zeros and the decimal
// exponent of the first one.
struct RoundedDecimal {
    bool negative = false;
    std::string digits; // empty for zero
    int exponent = 0;
};

RoundedDecimal roundToSignificant(double value) {
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::scientific, significantDigits - 1);
    const std::string_view text(buffer.data(), static_cast<size_t>(result.ptr - buffer.data()));

    RoundedDecimal rounded;
    rounded.negative = text.front() == '-';
    const size_t ePos = text.find('e');
    for (const char c : text.substr(0, ePos))
        if (isDigit(c))
            rounded.digits += c;
    rounded.digits.erase(rounded.digits.find_last_not_of('0') + 1);
    rounded.exponent = std::atoi(std::string(text.substr(ePos + 1)).c_str());
    return rounded;
}

std::string plainForm(const RoundedDecimal& r, const Separators& separators) {
    // Only called for exponents -1 to 14: no leading zeros after the separator are needed.
    const size_t integerDigits = r.exponent < 0 ? 0 : static_cast<size_t>(r.exponent) + 1;
    std::string text = integerDigits == 0 ? "0" : r.digits.substr(0, integerDigits);
    if (integerDigits > r.digits.size())
        text.append(integerDigits - r.digits.size(), '0');
    if (r.digits.size() > integerDigits)
        text += separators.decimal + r.digits.substr(integerDigits);
    return text;
}

std::string exponentForm(const RoundedDecimal& r, const Separators& separators) {
    std::string text = r.digits.substr(0, 1);
    if (r.digits.size() > 1)
        text += separators.decimal + r.digits.substr(1);
    const int magnitude = std::abs(r.exponent);
    text += r.exponent < 0 ? "E-" : "E+";
    if (magnitude < 10)
        text += '0';
    text += std::to_string(magnitude);
    return text;
}

} // namespace

std::string frequencyText(double value, const Separators& separators) {
    const RoundedDecimal rounded = roundToSignificant(value);
    if (rounded.digits.empty())
        return "0";
    const bool plain = rounded.exponent >= -1 && rounded.exponent < significantDigits;
    const std::string body =
        plain ? plainForm(rounded, separators) : exponentForm(rounded, separators);
    return rounded.negative ? "-" + body : body;
}

} // namespace zental
