// The gazetteer: GeoNames' places of at least 1000 people, found by name as the user types.
#pragma once

#include "core/result.h"

#include <QList>
#include <QString>
#include <QStringView>

#include <memory>
#include <optional>

namespace zental {

struct Place {
    QString name;        // as GeoNames writes it, accents and all
    QString countryCode; // ISO 3166, two letters
    QString region;      // GeoNames' first-level region code: the state code in the United States
    double latitude = 0;
    double longitude = 0;
    qint64 population = 0;
    double heightMetres = 0; // the elevation, else the DEM height; 0 when neither is known
};

// How a place is shown and found again: "Denver, CO, United States", "Paris, France".
QString placeText(const Place& place);

// The places file (tools/prepare-places.py writes it), mapped read-only and indexed by line.
// Copies share the mapping and nothing changes after open(), so any thread may search any copy.
class Gazetteer {
public:
    // Fails when the file cannot be mapped or is not a gazetteer.
    static Result<Gazetteer> open(const QString& path);

    // Up to `limit` places whose name starts with the name in `text`, ignoring case and accents:
    // exact names first, then the other names, each most populous first. Qualifiers after commas
    // narrow: a two-letter country code or US state code, or a country's English name, as in
    // "Denver, CO, United States".
    QList<Place> search(QStringView text, int limit) const;

    qsizetype size() const;
    Place at(qsizetype index) const; // the most populous first

private:
    struct Data;
    explicit Gazetteer(std::shared_ptr<const Data> data);
    std::shared_ptr<const Data> m_data;
};

} // namespace zental
