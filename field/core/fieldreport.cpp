#include "field/core/fieldreport.h"

#include "field/core/fielddate.h"

using namespace Qt::StringLiterals;

namespace zental {
namespace {

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
    return FieldReport{site, dateOf(query.decimalYear), query.decimalYear, model.name(), *field};
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
    return lines;
}

} // namespace zental
