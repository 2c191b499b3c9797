// zental-field's inputs, from its command line or from its window's boxes, read in one place.
#pragma once

#include "core/numbertext.h"
#include "core/result.h"
#include "field/core/fieldreport.h"

#include <QDate>
#include <QString>

#include <optional>

namespace zental {

// The inputs as the user gave them; an empty text stands for its default.
struct FieldInputs {
    std::optional<Site> place;   // a place chosen by name: where, and how high unless `height` says
    QString latitude, longitude; // degrees, when no place is chosen
    QString height;              // metres; default: the place's height, else 0
    QString date;                // YYYY-MM-DD or a decimal year; default: today
};

Result<FieldQuery> parseFieldInputs(const FieldInputs& inputs, const QDate& today,
                                    const Separators& separators);

// The NT value at which zental shows `text` hertz for hydrogen.
Result<double> parseProtonFrequency(const QString& text, const Separators& separators);

} // namespace zental
