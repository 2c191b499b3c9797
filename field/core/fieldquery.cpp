#include "field/core/fieldquery.h"

#include "field/core/fielddate.h"
#include "field/core/fieldmessages.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace zental {
namespace {

// The separator a number written the other way round would have: "," where "." is decimal.
QChar otherSeparator(const Separators& separators) {
    return separators.decimal == "," ? u'.' : u',';
}

Result<double> numberIn(const QString& caption, const QString& text, double whenEmpty,
                        const Separators& separators) {
    if (text.trimmed().isEmpty())
        return whenEmpty;
    // "47,37" where "," groups digits would read as 4737: no field here needs a group separator.
    if (text.contains(otherSeparator(separators)))
        return Failure{fieldtext::writtenWithOtherSeparator(caption, text, separators.decimal)};
    if (const std::optional<double> number = parseNumber(text.toStdString(), separators))
        return *number;
    return Failure{fieldtext::notANumber(caption, text)};
}

Result<double> decimalYearIn(const QString& text, const QDate& today) {
    if (text.trimmed().isEmpty())
        return decimalYearOf(today);
    return parseDate(text);
}

Result<Site> siteIn(const FieldInputs& inputs, const Separators& separators) {
    if (inputs.place)
        return *inputs.place;
    if (inputs.latitude.trimmed().isEmpty() || inputs.longitude.trimmed().isEmpty())
        return Failure{fieldtext::nothingToComputeInWindow};
    const Result<double> latitude = numberIn(u"Latitude"_s, inputs.latitude, 0, separators);
    if (!latitude)
        return Failure{latitude.error()};
    const Result<double> longitude = numberIn(u"Longitude"_s, inputs.longitude, 0, separators);
    if (!longitude)
        return Failure{longitude.error()};
    return Site{{}, *latitude, *longitude, 0};
}

} // namespace

Result<FieldQuery> parseFieldInputs(const FieldInputs& inputs, const QDate& today,
                                    const Separators& separators) {
    Result<Site> site = siteIn(inputs, separators);
    if (!site)
        return Failure{site.error()};
    const Result<double> height =
        numberIn(u"Height"_s, inputs.height, site->heightMetres, separators);
    if (!height)
        return Failure{height.error()};
    const Result<double> year = decimalYearIn(inputs.date, today);
    if (!year)
        return Failure{year.error()};
    FieldQuery query{std::move(site).value(), *year};
    query.site.heightMetres = *height;
    return query;
}

Result<double> parseProtonFrequency(const QString& text, const Separators& separators) {
    const std::optional<double> hertz = parseNumber(text.toStdString(), separators);
    if (!hertz || !(*hertz > 0) || !std::isfinite(*hertz))
        return Failure{fieldtext::notAProtonFrequency(text)};
    const double nanotesla = protonNtValue(*hertz);
    if (const QString shown = ntValueText(nanotesla, separators); shown.size() > ntValueMaxTyped)
        return Failure{fieldtext::protonNtValueTooLong(text, shown, ntValueMaxTyped)};
    return nanotesla;
}

} // namespace zental
