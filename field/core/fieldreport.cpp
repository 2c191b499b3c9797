#include "field/core/fieldreport.h"

#include "field/core/fielddate.h"

using namespace Qt::StringLiterals;

namespace zental {
namespace {

// γ'p/2π of the shielded proton in water at 25 °C (CODATA 2018), 42.57638474 MHz/T, in Hz per nT:
// what a water sample really resonates at, which the catalogue's 100 MHz at 2.35 T is not quite.
constexpr double waterProtonHzPerNt = 42.57638474e-3;
// NOAA's zones: declination is unreliable where H is below 6000 nT, unusable below 2000 nT.
constexpr double cautionHorizontal = 6000;
constexpr double blackoutHorizontal = 2000;

// A change per year with its sign always written, as "+5.2" or "-0.1".
QString changeText(double perYear, int decimals, const Separators& separators) {
    const QString text = fixedText(perYear, decimals, separators);
    return text.startsWith(u'-') ? text : u'+' + text;
}

QString componentLine(const QString& caption, double value, double perYear, const QString& unit,
                      int decimals, const Separators& separators) {
    return u"%1: %2%3 (%4%3/yr)"_s.arg(caption, fixedText(value, decimals, separators), unit,
                                       changeText(perYear, decimals, separators));
}

// How far to trust the field, and what its NT value gives at the proton line: as zental shows
// it, and for protons in water.
QStringList trustAndProtonLines(const FieldReport& report, const Separators& separators) {
    const FieldComponents& f = report.field;
    const std::optional<ModelUncertainty>& u = report.uncertainty;
    const double referenceMHz = findElementButton(hydrogenButton)->isotopes[0].referenceMHz;
    const auto hertz = [&](double nanotesla) {
        return scaledFrequency(nanotesla, elementDivisor, referenceMHz);
    };
    const QString plusMinusHz =
        u ? u" ± %1 Hz"_s.arg(fixedText(hertz(u->total), 1, separators)) : QString();
    QStringList lines;
    if (u)
        lines << u"Uncertainty of F: ± %1 nT,%2 (1σ, NOAA)"_s.arg(
                     fixedText(u->total, 0, separators), plusMinusHz)
              << u"Uncertainty of D: ± %1° (1σ, NOAA)"_s.arg(
                     fixedText(u->declinationAt(f.horizontal), 2, separators));
    else
        lines << u"Uncertainty of F: none published for "_s + report.modelName;
    if (f.horizontal < blackoutHorizontal)
        lines << u"Blackout zone: H below 2000 nT, declination unusable"_s;
    else if (f.horizontal < cautionHorizontal)
        lines << u"Caution zone: H below 6000 nT, declination unreliable"_s;
    const double shown = ntValueText(f.total, plainSeparators).toDouble();
    const double water = f.total * waterProtonHzPerNt;
    const double below = 1 - referenceMHz / (waterProtonHzPerNt * elementDivisor);
    return lines << u"1 H in zental: %1 Hz%2"_s.arg(
                        QString::fromStdString(frequencyText(hertz(shown), separators)),
                        plusMinusHz)
                 << u"Protons in water: %1 Hz (42.57638474 MHz/T)"_s.arg(
                        fixedText(water, 2, separators))
                 << u"zental's scale: %1 % (%2 Hz) below water"_s.arg(
                        fixedText(below * 100, 4, separators),
                        fixedText(water - hertz(shown), 2, separators));
}

} // namespace

Site siteOf(const Place& place) {
    return {placeText(place), place.latitude, place.longitude, place.heightMetres};
}

QString fixedText(double value, int decimals, const Separators& separators) {
    QString text = QString::number(value, 'f', decimals);
    if (text.toDouble() == 0) // "-0.0" would show a sign that is not there
        text = QString::number(0.0, 'f', decimals);
    return text.replace(u'.', QString::fromStdString(separators.decimal));
}

QString siteName(const Site& site, const Separators& separators) {
    if (!site.name.isEmpty())
        return site.name;
    return fixedText(site.latitude, 5, separators) + u' ' +
           fixedText(site.longitude, 5, separators);
}

Result<FieldReport> reportOf(const MagneticModel& model, const FieldQuery& query) {
    const Site& site = query.site;
    const Result<FieldComponents> field =
        model.field(site.latitude, site.longitude, site.heightMetres, query.decimalYear);
    if (!field)
        return Failure{field.error()};
    return FieldReport{site,   dateOf(query.decimalYear), query.decimalYear, model.name(),
                       *field, model.uncertainty()};
}

Result<FieldReport> reportOf(const FieldModels& models, const FieldQuery& query,
                             const QString& modelName) {
    const Result<MagneticModel> model = models.pick(query.decimalYear, modelName);
    if (!model)
        return Failure{model.error()};
    return reportOf(*model, query);
}

QStringList reportLines(const FieldReport& report, const Separators& separators) {
    const Site& site = report.site;
    const FieldComponents& f = report.field;
    const FieldElements& d = f.perYear;
    QStringList lines;
    if (!site.name.isEmpty())
        lines << u"Place: "_s + site.name;
    lines << u"Latitude: "_s + fixedText(site.latitude, 5, separators)
          << u"Longitude: "_s + fixedText(site.longitude, 5, separators)
          << u"Height: %1 m"_s.arg(fixedText(site.heightMetres, 0, separators))
          << u"Date: %1 (%2)"_s.arg(report.date.toString(Qt::ISODate),
                                    fixedText(report.decimalYear, 3, separators))
          << u"Model: "_s + report.modelName
          << componentLine(u"NT value"_s, f.total, d.total, u" nT"_s, 1, separators)
          << componentLine(u"Horizontal H"_s, f.horizontal, d.horizontal, u" nT"_s, 1, separators)
          << componentLine(u"North X"_s, f.north, d.north, u" nT"_s, 1, separators)
          << componentLine(u"East Y"_s, f.east, d.east, u" nT"_s, 1, separators)
          << componentLine(u"Vertical Z (down)"_s, f.down, d.down, u" nT"_s, 1, separators)
          << componentLine(u"Declination D"_s, f.declination, d.declination, u"°"_s, 2, separators)
          << componentLine(u"Inclination I"_s, f.inclination, d.inclination, u"°"_s, 2, separators);
    return lines + trustAndProtonLines(report, separators);
}

} // namespace zental
