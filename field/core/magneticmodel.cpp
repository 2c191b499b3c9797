#include "field/core/magneticmodel.h"

#include "core/numbertext.h"
#include "core/textfile.h"
#include "field/core/fielddate.h"
#include "field/core/fieldmessages.h"

#include <GeographicLib/Geocentric.hpp>
#include <GeographicLib/MagneticModel.hpp>
#include <GeographicLib/SphericalHarmonic.hpp>

#include <array>
#include <cmath>

using namespace Qt::StringLiterals;

namespace zental {
namespace {

constexpr double modelYears = 5;            // every WMM holds for five years from its epoch
constexpr double referenceRadius = 6371200; // metres, WMM's
constexpr double lowestMetres = -1000;      // WMM's heights: -1 km to 850 km
constexpr double highestMetres = 850000;
constexpr int highestDegree = 1000; // far beyond any WMM; keeps a bad file's sizes sane

struct Header {
    double epoch = 0;
    QString name;
};

// A line "n m g h dg dh" of NOAA's file.
struct Row {
    int degree = 0;
    int order = 0;
    std::array<double, 4> values{}; // g, h and their changes per year
};

// Schmidt semi-normalised coefficients in GeographicLib's layout: by order m, then degree n, with
// the sine terms starting at m = 1. NOAA's file runs by degree first.
struct Coefficients {
    int degree = 0;
    std::vector<double> g, h, gPerYear, hPerYear;
};

std::optional<std::vector<double>> numbersOf(const QString& line) {
    std::vector<double> numbers;
    for (const QString& word : line.simplified().split(u' ', Qt::SkipEmptyParts)) {
        const std::optional<double> number = parseNumber(word.toStdString(), plainSeparators);
        if (!number)
            return std::nullopt;
        numbers.push_back(*number);
    }
    return numbers;
}

// "    2025.0            WMM-2025     11/13/2024": epoch, name, release date.
std::optional<Header> headerOf(const std::optional<QString>& line) {
    const QStringList words = line ? line->simplified().split(u' ') : QStringList();
    const std::optional<double> epoch =
        words.size() == 3 ? parseNumber(words[0].toStdString(), plainSeparators) : std::nullopt;
    if (!epoch || !dateOf(*epoch + modelYears).isValid())
        return std::nullopt;
    return Header{*epoch, words[1]};
}

std::optional<Row> rowOf(const QString& line) {
    const std::optional<std::vector<double>> numbers = numbersOf(line);
    if (!numbers || numbers->size() != 6)
        return std::nullopt;
    const std::vector<double>& v = *numbers;
    if (!(v[0] >= 1 && v[0] <= highestDegree && v[1] >= 0 && v[1] <= v[0]) ||
        v[0] != std::floor(v[0]) || v[1] != std::floor(v[1]))
        return std::nullopt;
    return Row{static_cast<int>(v[0]), static_cast<int>(v[1]), {v[2], v[3], v[4], v[5]}};
}

// The rows up to NOAA's closing line of nines; nothing when one is malformed or the close is
// missing (a cut file).
std::optional<std::vector<Row>> rowsOf(LineReader& reader) {
    std::vector<Row> rows;
    while (const std::optional<QString> line = reader.next()) {
        if (line->trimmed().startsWith(u"9999"))
            return rows;
        const std::optional<Row> row = rowOf(*line);
        if (!row)
            return std::nullopt;
        rows.push_back(*row);
    }
    return std::nullopt;
}

// Nothing unless every (n, m) from degree 1 to the highest appears exactly once.
std::optional<Coefficients> coefficientsOf(const std::vector<Row>& rows) {
    Coefficients c;
    for (const Row& row : rows)
        c.degree = std::max(c.degree, row.degree);
    const int n = c.degree;
    const auto cosines = static_cast<size_t>((n + 1) * (n + 2) / 2);
    if (n == 0 || rows.size() != static_cast<size_t>(n * (n + 3) / 2))
        return std::nullopt;
    c.g.assign(cosines, 0);
    c.gPerYear.assign(cosines, 0);
    c.h.assign(cosines - static_cast<size_t>(n + 1), 0);
    c.hPerYear.assign(c.h.size(), 0);
    std::vector<bool> seen(cosines);
    for (const Row& row : rows) {
        const int index = row.order * n - row.order * (row.order - 1) / 2 + row.degree;
        const auto k = static_cast<size_t>(index);
        if (seen[k])
            return std::nullopt;
        seen[k] = true;
        c.g[k] = row.values[0];
        c.gPerYear[k] = row.values[2];
        if (row.order > 0) {
            c.h[k - static_cast<size_t>(n + 1)] = row.values[1];
            c.hPerYear[k - static_cast<size_t>(n + 1)] = row.values[3];
        }
    }
    return c;
}

using Vector = std::array<double, 3>;

Vector gradientAt(const GeographicLib::SphericalHarmonic& sum, const Vector& point) {
    Vector gradient;
    sum(point[0], point[1], point[2], gradient[0], gradient[1], gradient[2]);
    return gradient;
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
    explicit Sums(Coefficients c)
        : coefficients(std::move(c))
        , mainField(coefficients.g, coefficients.h, coefficients.degree, referenceRadius,
                    GeographicLib::SphericalHarmonic::SCHMIDT)
        , perYear(coefficients.gPerYear, coefficients.hPerYear, coefficients.degree,
                  referenceRadius, GeographicLib::SphericalHarmonic::SCHMIDT) {}

    const Coefficients coefficients; // the sums keep pointers into these
    const GeographicLib::SphericalHarmonic mainField;
    const GeographicLib::SphericalHarmonic perYear;
};

Result<MagneticModel> MagneticModel::load(const QString& path) {
    LineReader reader(path);
    const std::optional<Header> header = headerOf(reader.next());
    const std::optional<std::vector<Row>> rows = header ? rowsOf(reader) : std::nullopt;
    std::optional<Coefficients> coefficients = rows ? coefficientsOf(*rows) : std::nullopt;
    if (!coefficients)
        return Failure{fieldtext::modelUnreadable(path)};
    MagneticModel model;
    model.m_name = header->name;
    model.m_epoch = header->epoch;
    model.m_sums = std::make_shared<const Sums>(std::move(*coefficients));
    return model;
}

QDate MagneticModel::firstDay() const {
    return dateOf(m_epoch);
}

QDate MagneticModel::lastDay() const {
    return dateOf(m_epoch + modelYears).addDays(-1);
}

bool MagneticModel::covers(double decimalYear) const {
    return decimalYear >= m_epoch && decimalYear < m_epoch + modelYears;
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
    const Vector main = gradientAt(m_sums->mainField, point);
    const Vector change = gradientAt(m_sums->perYear, point);
    const double years = decimalYear - m_epoch;
    return componentsOf(
        localField(rotation, {main[0] + years * change[0], main[1] + years * change[1],
                              main[2] + years * change[2]}),
        localField(rotation, change));
}

} // namespace zental
