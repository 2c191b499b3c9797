#include "field/core/fielddate.h"

#include "core/numbertext.h"
#include "field/core/fieldmessages.h"

#include <QRegularExpression>

#include <cmath>

namespace zental {

double decimalYearOf(const QDate& date) {
    return date.year() + (date.dayOfYear() - 1.0) / date.daysInYear();
}

QDate dateOf(double decimalYear) {
    const double year = std::floor(decimalYear);
    const QDate newYear = std::abs(year) < 1e6 ? QDate(static_cast<int>(year), 1, 1) : QDate();
    if (!newYear.isValid()) // beyond an int, or the year 0, which QDate does not have
        return {};
    // The nudge keeps a day's own decimal year from rounding down into the day before.
    const double day = std::floor((decimalYear - year) * newYear.daysInYear() + 1e-6);
    return newYear.addDays(std::min(static_cast<qint64>(day), qint64(newYear.daysInYear() - 1)));
}

Result<double> parseDate(const QString& text) {
    static const QRegularExpression isoDay(QStringLiteral("^([0-9]{4})-([0-9]{2})-([0-9]{2})$"));
    const QString trimmed = text.trimmed();
    if (const QRegularExpressionMatch day = isoDay.match(trimmed); day.hasMatch()) {
        const QDate date(day.captured(1).toInt(), day.captured(2).toInt(), day.captured(3).toInt());
        if (!date.isValid())
            return Failure{fieldtext::notARealDay(trimmed)};
        return decimalYearOf(date);
    }
    if (const std::optional<double> year = parseNumber(trimmed.toStdString(), plainSeparators))
        return *year;
    return Failure{fieldtext::notADate(trimmed)};
}

} // namespace zental
