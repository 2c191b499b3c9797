// A model of the Earth's main field, read from its coefficient file (NOAA's WMM.COF or WMMHR.COF,
// IAGA's IGRF table) and summed by GeographicLib. A later model replaces its one file: name,
// epochs and span come from it.
#pragma once

#include "core/result.h"

#include <QDate>
#include <QString>

#include <memory>
#include <optional>

namespace zental {

// The seven elements of the field (nT and degrees), or the change per year of each.
struct FieldElements {
    double north = 0; // X
    double east = 0;  // Y
    double down = 0;  // Z
    double horizontal = 0;
    double total = 0; // F, the NT value
    double declination = 0;
    double inclination = 0;
};

struct FieldComponents : FieldElements {
    FieldElements perYear;
};

// NOAA's error model of a WMM over the globe, one standard deviation: F in nT, and declination
// in degrees as sqrt(floor² + (scale / H)²), which grows without bound towards the magnetic poles.
struct ModelUncertainty {
    double total = 0;
    double declinationFloor = 0;
    double declinationScale = 0; // nT
    double declinationAt(double horizontal) const;
};

class MagneticModel {
public:
    // Fails when the file is missing or is not a complete coefficient file.
    static Result<MagneticModel> load(const QString& path);

    const QString& name() const { return m_name; } // "WMMHR-2025", "IGRF-14"
    QDate firstDay() const;                        // the first epoch
    QDate lastDay() const;                         // the day before the model stops holding
    bool covers(double decimalYear) const;
    // NOAA's, for the models it publishes one for; IGRF publishes none.
    const std::optional<ModelUncertainty>& uncertainty() const { return m_uncertainty; }

    // Latitude and longitude in degrees, height in metres above the WGS84 ellipsoid (sea level
    // will do: they differ by less than WMM's error), the date as a decimal year.
    Result<FieldComponents> field(double latitude, double longitude, double heightMetres,
                                  double decimalYear) const;

private:
    struct Sums; // GeographicLib's sums over the coefficients, shared by copies, never changed

    QString m_name;
    double m_start = 0, m_end = 0; // decimal years
    std::optional<ModelUncertainty> m_uncertainty;
    std::shared_ptr<const Sums> m_sums;
};

} // namespace zental
