#include "field/core/fieldmodels.h"

#include "field/core/fieldmessages.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zental {
namespace {

QString comparable(QString name) {
    return name.remove(u'-').toCaseFolded();
}

} // namespace

Result<FieldModels> FieldModels::load(const QStringList& paths) {
    FieldModels catalogue;
    for (const QString& path : paths) {
        Result<MagneticModel> model = MagneticModel::load(path);
        if (!model)
            return Failure{model.error()};
        catalogue.m_models.push_back(std::move(model).value());
    }
    if (catalogue.m_models.empty())
        return Failure{fieldtext::noModels};
    return catalogue;
}

QDate FieldModels::firstDay() const {
    return std::min_element(
               m_models.begin(), m_models.end(),
               [](const auto& a, const auto& b) { return a.firstDay() < b.firstDay(); })
        ->firstDay();
}

QDate FieldModels::lastDay() const {
    return std::max_element(m_models.begin(), m_models.end(),
                            [](const auto& a, const auto& b) { return a.lastDay() < b.lastDay(); })
        ->lastDay();
}

Result<MagneticModel> FieldModels::pick(double decimalYear, const QString& name) const {
    if (name.isEmpty()) {
        for (const MagneticModel& model : m_models)
            if (model.covers(decimalYear))
                return model;
        return Failure{fieldtext::dateOutsideModels(firstDay(), lastDay())};
    }
    QStringList names;
    for (const MagneticModel& model : m_models) {
        if (comparable(model.name()) != comparable(name)) {
            names << model.name();
            continue;
        }
        if (!model.covers(decimalYear))
            return Failure{
                fieldtext::dateOutsideModel(model.name(), model.firstDay(), model.lastDay())};
        return model;
    }
    return Failure{fieldtext::unknownModel(name, names)};
}

} // namespace zental
