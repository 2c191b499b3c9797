// The World Magnetic Model, read from NOAA's own coefficient file (WMM.COF) and summed by
// GeographicLib. A later model replaces that one file: name, epoch and span come from it.
#pragma once

#include "core/result.h"

#include <QDate>
#include <QString>

#include <memory>

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

class MagneticModel {
public:
    // Fails when the file is missing or is not a complete WMM coefficient file.
    static Result<MagneticModel> load(const QString& path);

    const QString& name() const { return m_name; } // "WMM-2025"
    QDate firstDay() const;                        // the epoch
    QDate lastDay() const;                         // the day before epoch + 5 years
    bool covers(double decimalYear) const;

    // Latitude and longitude in degrees, height in metres above the WGS84 ellipsoid (sea level
    // will do: they differ by less than WMM's error), the date as a decimal year.
    Result<FieldComponents> field(double latitude, double longitude, double heightMetres,
                                  double decimalYear) const;

private:
    struct Sums; // GeographicLib's sums over the coefficients, shared by copies, never changed

    QString m_name;
    double m_epoch = 0; // decimal year
    std::shared_ptr<const Sums> m_sums;
};

} // namespace zental
