// The two number conversions: number text to double, and a computed frequency to its label text.
// Both take the locale's separators as a parameter so they never read global state.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zental {

// The user's decimal and digit grouping separators, UTF-8. An empty group disables grouping.
struct Separators {
    std::string decimal = ".";
    std::string group = ",";
};

// Numbers written for programs rather than people (NOAA's files, command lines): a dot, no
// grouping, whatever the locale.
inline const Separators plainSeparators{".", ""};

// Accepts: blanks, optional sign, digits with at most one decimal separator (grouping separators
// only between digits before it), optional exponent, blanks. Yields the correctly rounded double;
// fails on anything else and on magnitudes beyond the double range.
std::optional<double> parseNumber(std::string_view text, const Separators& separators);

// 15 significant digits, trailing zeros dropped, "0" for any zero. Plain form from 0.1 up to
// 1E15, exponent form ("4.25531914893617E+18", "1.5E-05") outside that range.
std::string frequencyText(double value, const Separators& separators);

} // namespace zental
