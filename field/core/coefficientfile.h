// The two coefficient files a field model comes in, read into one form: NOAA's (WMM.COF,
// WMMHR.COF: one epoch and the change per year) and IAGA's IGRF table (an epoch every five
// years, the change per year after the last). A model is summed the same way from either.
#pragma once

#include <QString>

#include <optional>
#include <vector>

namespace zental {

// Schmidt semi-normalised Gauss coefficients g and h of degree n and order m, at gaussIndex(n, m)
// (degree first, as both files list them); h of order 0 is 0.
struct GaussCoefficients {
    std::vector<double> g, h;
};

inline size_t gaussIndex(int degree, int order) {
    const auto n = static_cast<size_t>(degree);
    return n * (n + 1) / 2 + static_cast<size_t>(order);
}

struct CoefficientTable {
    QString name; // as the file names its model: "WMMHR-2025", "IGRF-14"
    int degree = 0;
    std::vector<double> epochs;             // decimal years, rising
    std::vector<GaussCoefficients> atEpoch; // one per epoch
    GaussCoefficients perYear;              // the change per year from the last epoch on
    double end = 0;                         // the decimal year the model stops holding
};

// Nothing when the file is missing or is not a complete coefficient file of either kind.
std::optional<CoefficientTable> readCoefficientFile(const QString& path);

} // namespace zental
