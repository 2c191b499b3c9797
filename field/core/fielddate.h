// Dates as the World Magnetic Model takes them: decimal years, counted the way NOAA counts them
// (the year plus the days gone by over the days in that year).
#pragma once

#include "core/result.h"

#include <QDate>
#include <QString>

namespace zental {

// 2026-07-02 is 2026 + 182 / 365.
double decimalYearOf(const QDate& date);

// The day a decimal year falls in; an invalid date when it is not a finite year QDate can hold.
QDate dateOf(double decimalYear);

// "YYYY-MM-DD" of a real day (2026-02-30 is not one) or a decimal year with a plain dot ("2026.5"),
// or why the text is neither.
Result<double> parseDate(const QString& text);

} // namespace zental
