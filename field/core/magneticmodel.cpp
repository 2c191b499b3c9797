#include "field/core/magneticmodel.h"

#include "field/core/coefficientfile.h"
#include "field/core/fielddate.h"
#include "field/core/fieldmessages.h"

#include <GeographicLib/Geocentric.hpp>
#include <GeographicLib/MagneticModel.hpp>
#include <GeographicLib/SphericalHarmonic.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <deque>

using namespace Qt::StringLiterals;

namespace zental {
namespace {

constexpr double referenceRadius = 6371200; // metres, WMM's and IGRF's
constexpr double lowestMetres = -1000;      // WMM's heights: -1 km to 850 km
constexpr double highestMetres = 850000;

// NOAA's error models as its reports on WMM2025 and WMMHR2025 give them.
std::optional<ModelUncertainty> noaaUncertaintyOf(const QString& name) {
    if (name == u"WMMHR-2025")
        return ModelUncertainty{134, 0.25, 5205};
    if (name == u"WMM-2025")
        return ModelUncertainty{138, 0.26, 5417};
    return std::nullopt;
}

using Vector = std::array<double, 3>;

// The highest degree up to `degree` with a coefficient other than 0.
int usedDegree(const GaussCoefficients& gauss, int degree) {
    const auto used = [&gauss](size_t k) {
        return gauss.g[k] != 0 || gauss.h[k] != 0;
    };
    for (size_t k = gaussIndex(degree, degree) + 1; k-- > 1;)
        if (used(k))
            return static_cast<int>((std::sqrt(8.0 * static_cast<double>(k) + 1) - 1) / 2);
    return 0;
}

// One sum in GeographicLib's layout: by order m, then degree n, with the sine terms starting at
// m = 1, up to the highest degree whose coefficients are not all 0. That keeps the changes of
// WMMHR (to degree 15 of its 133) and of IGRF before 2000 (10 of 13) from costing a full sum.
class Harmonic {
public:
    Harmonic(const GaussCoefficients& gauss, int degree)
        : m_degree(usedDegree(gauss, degree))
        , m_cosines(static_cast<size_t>((m_degree + 1) * (m_degree + 2) / 2))
        , m_sines(m_cosines.size() - static_cast<size_t>(m_degree + 1))
        , m_sum(filled(gauss)) {}
    Harmonic(const Harmonic&) = delete; // the sum points into the vectors
    Harmonic& operator=(const Harmonic&) = delete;

    Vector gradientAt(const Vector& point) const {
        Vector gradient;
        m_sum(point[0], point[1], point[2], gradient[0], gradient[1], gradient[2]);
        return gradient;
    }

private:
    GeographicLib::SphericalHarmonic filled(const GaussCoefficients& gauss) {
        const int n = m_degree;
        for (int degree = 1; degree <= n; ++degree)
            for (int order = 0; order <= degree; ++order) {
                const auto o = static_cast<size_t>(order);
                const size_t k =
                    o * static_cast<size_t>(n) - o * (o - 1) / 2 + static_cast<size_t>(degree);
                m_cosines[k] = gauss.g[gaussIndex(degree, order)];
                if (order > 0)
                    m_sines[k - static_cast<size_t>(n + 1)] = gauss.h[gaussIndex(degree, order)];
            }
        return {m_cosines, m_sines, n, referenceRadius, GeographicLib::SphericalHarmonic::SCHMIDT};
    }

    int m_degree;
    std::vector<double> m_cosines, m_sines;
    GeographicLib::SphericalHarmonic m_sum;
};

// From one epoch to the next (or to the model's end) the coefficients change linearly: the sum at
// the epoch plus the years since it times the sum of the changes.
struct Segment {
    Segment(double startYear, const GaussCoefficients& atStart, const GaussCoefficients& change,
            int degree)
        : start(startYear)
        , main(atStart, degree)
        , perYear(change, degree) {}
    double start;
    Harmonic main, perYear;
};

// The change per year between two epochs' coefficients.
GaussCoefficients changeBetween(const GaussCoefficients& from, const GaussCoefficients& to,
                                double years) {
    GaussCoefficients change = to;
    for (size_t k = 0; k < change.g.size(); ++k) {
        change.g[k] = (to.g[k] - from.g[k]) / years;
        change.h[k] = (to.h[k] - from.h[k]) / years;
    }
    return change;
}

// The field B = -a grad V of a geocentric gradient, turned into the local east, north, up frame
// by the transpose of GeographicLib's rotation (row-major, local to geocentric).
Vector localField(const std::vector<double>& m, const Vector& gradient) {
    const double s = -referenceRadius;
    return {s * (m[0] * gradient[0] + m[3] * gradient[1] + m[6] * gradient[2]),
            s * (m[1] * gradient[0] + m[4] * gradient[1] + m[7] * gradient[2]),
            s * (m[2] * gradient[0] + m[5] * gradient[1] + m[8] * gradient[2])};
}

// X, Y, Z, H, F, D, I and their changes from GeographicLib's east, north, up field and its change.
FieldComponents componentsOf(const Vector& b, const Vector& bPerYear) {
    FieldComponents f;
    f.north = b[1];
    f.east = b[0];
    f.down = -b[2];
    f.perYear.north = bPerYear[1];
    f.perYear.east = bPerYear[0];
    f.perYear.down = -bPerYear[2];
    GeographicLib::MagneticModel::FieldComponents(
        b[0], b[1], b[2], bPerYear[0], bPerYear[1], bPerYear[2], f.horizontal, f.total,
        f.declination, f.inclination, f.perYear.horizontal, f.perYear.total, f.perYear.declination,
        f.perYear.inclination);
    return f;
}

// GeographicLib gives NaN beyond the poles and extrapolates any date: both are refused here.
Status checkInputs(const MagneticModel& model, double latitude, double longitude,
                   double heightMetres, double decimalYear) {
    if (!(std::abs(latitude) <= 90))
        return Failure{fieldtext::latitudeOutOfRange};
    if (!(std::abs(longitude) <= 180))
        return Failure{fieldtext::longitudeOutOfRange};
    if (!(heightMetres >= lowestMetres && heightMetres <= highestMetres))
        return Failure{fieldtext::heightOutOfRange};
    if (!model.covers(decimalYear))
        return Failure{
            fieldtext::dateOutsideModel(model.name(), model.firstDay(), model.lastDay())};
    return Done{};
}

} // namespace

struct MagneticModel::Sums {
    explicit Sums(const CoefficientTable& table) {
        const std::vector<double>& epochs = table.epochs;
        for (size_t i = 0; i < epochs.size(); ++i)
            segments.emplace_back(epochs[i], table.atEpoch[i],
                                  i + 1 < epochs.size()
                                      ? changeBetween(table.atEpoch[i], table.atEpoch[i + 1],
                                                      epochs[i + 1] - epochs[i])
                                      : table.perYear,
                                  table.degree);
    }
    // The segment a covered date falls in.
    const Segment& at(double decimalYear) const {
        return *std::prev(std::upper_bound(
            segments.begin() + 1, segments.end(), decimalYear,
            [](double year, const Segment& segment) { return year < segment.start; }));
    }

    std::deque<Segment> segments; // in place: a sum points into its own coefficients
};

Result<MagneticModel> MagneticModel::load(const QString& path) {
    const std::optional<CoefficientTable> table = readCoefficientFile(path);
    if (!table)
        return Failure{fieldtext::modelUnreadable(path)};
    MagneticModel model;
    model.m_name = table->name;
    model.m_start = table->epochs.front();
    model.m_end = table->end;
    model.m_uncertainty = noaaUncertaintyOf(table->name);
    model.m_sums = std::make_shared<const Sums>(*table);
    return model;
}

double ModelUncertainty::declinationAt(double horizontal) const {
    return std::hypot(declinationFloor, declinationScale / horizontal);
}

QDate MagneticModel::firstDay() const {
    return dateOf(m_start);
}

QDate MagneticModel::lastDay() const {
    return dateOf(m_end).addDays(-1);
}

bool MagneticModel::covers(double decimalYear) const {
    return decimalYear >= m_start && decimalYear < m_end;
}

Result<FieldComponents> MagneticModel::field(double latitude, double longitude, double heightMetres,
                                             double decimalYear) const {
    if (const Status checked = checkInputs(*this, latitude, longitude, heightMetres, decimalYear);
        !checked)
        return Failure{checked.error()};
    Vector point;
    std::vector<double> rotation(9);
    GeographicLib::Geocentric::WGS84().Forward(latitude, longitude, heightMetres, point[0],
                                               point[1], point[2], rotation);
    const Segment& segment = m_sums->at(decimalYear);
    const Vector main = segment.main.gradientAt(point);
    const Vector change = segment.perYear.gradientAt(point);
    const double years = decimalYear - segment.start;
    return componentsOf(
        localField(rotation, {main[0] + years * change[0], main[1] + years * change[1],
                              main[2] + years * change[2]}),
        localField(rotation, change));
}

} // namespace zental
