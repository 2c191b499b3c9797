// The field models zental-field knows, and which of them answers for a date.
#pragma once

#include "core/result.h"
#include "field/core/magneticmodel.h"

#include <QDate>
#include <QStringList>

#include <vector>

namespace zental {

class FieldModels {
public:
    // Reads every file, in order of preference: for a date, the first model that covers it
    // answers. Fails naming the first file that is not a model. The catalogue never changes once
    // loaded, so one loaded on a worker thread may be used from any other.
    static Result<FieldModels> load(const QStringList& paths);

    const std::vector<MagneticModel>& models() const { return m_models; }
    QDate firstDay() const; // the earliest any model covers
    QDate lastDay() const;  // the latest

    // The model called `name` (letter case and "-" ignored: "wmmhr2025" is WMMHR-2025), or
    // without a name the first that covers the date; or why there is none.
    Result<MagneticModel> pick(double decimalYear, const QString& name = {}) const;

private:
    std::vector<MagneticModel> m_models;
};

} // namespace zental
