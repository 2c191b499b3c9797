// What zental-field tells about the field at a place, as text lines shared by the command line
// and the window, with the number separators passed in.
#pragma once

#include "core/display.h"
#include "core/numbertext.h"
#include "core/result.h"
#include "field/core/fieldmodels.h"
#include "field/core/gazetteer.h"
#include "field/core/magneticmodel.h"

#include <QDate>
#include <QStringList>

namespace zental {

// A place the field is computed at: a gazetteer entry or typed coordinates.
struct Site {
    QString name; // the place as shown, or empty for bare coordinates
    double latitude = 0;
    double longitude = 0;
    double heightMetres = 0;
};

// A gazetteer entry as a site: shown as placeText(), at its own height.
Site siteOf(const Place& place);

// `value` with `decimals` decimals and the locale's decimal separator, never grouped.
QString fixedText(double value, int decimals, const Separators& separators);

// The NT value as the windows show it and the profile file stores it: one decimal.
inline QString ntValueText(double nanotesla, const Separators& separators) {
    return fixedText(nanotesla, 1, separators);
}

// The NT value at which zental shows `hertz` for hydrogen's first isotope, the proton.
inline double protonNtValue(double hertz) {
    return ntValueAt(hertz, findElementButton(hydrogenButton)->isotopes[0]);
}

// The site's name, or its coordinates when it has none: the name of its profile.
QString siteName(const Site& site, const Separators& separators);

struct FieldReport {
    Site site;
    QDate date;
    double decimalYear = 0;
    QString modelName;
    FieldComponents field;
    std::optional<ModelUncertainty> uncertainty = std::nullopt; // none when none is published
};

struct FieldQuery {
    Site site;
    double decimalYear = 0;
};

// The field at the query's site and date, or why the model refuses them.
Result<FieldReport> reportOf(const MagneticModel& model, const FieldQuery& query);
// The same from the model FieldModels::pick gives for the date and `modelName`.
Result<FieldReport> reportOf(const FieldModels& models, const FieldQuery& query,
                             const QString& modelName = {});

// One line per fact: place, coordinates, height, date, model, every component; how far to trust
// the NT value and the declination; what the NT value means at the proton line.
QStringList reportLines(const FieldReport& report, const Separators& separators);

} // namespace zental
