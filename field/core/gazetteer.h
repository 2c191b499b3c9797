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

// The places file (tools/prepare-places.py writes it; field/data/README.md describes it), mapped
// read-only. Its names are sorted, so a search reads the names that start with what was typed
// and the lines of the places it returns; opening reads the first line and the sections' column
// headers. Copies share the mapping and nothing a search reads changes, so any thread may search
// any copy.
class Gazetteer {
public:
    // Fails when the file cannot be mapped or is not a gazetteer.
    static Result<Gazetteer> open(const QString& path);

    // Up to `limit` places one of whose names (GeoNames' name or one of its alternate names:
    // "Geneva" for Genève) starts with the name in `text`, ignoring case and accents: places
    // with a name as typed first (with or without its accents: "Lunen" for Lünen), then those
    // with a name of the same letters, then longer names, each most populous first; a place is
    // shown by its own name. Qualifiers after commas narrow: a country's two-letter code or
    // English name, or a first-level region's code of letters (the state code in the United
    // States) or English name, as in "Denver, CO, United States" or "Bonn, North Rhine-Westphalia".
    QList<Place> search(QStringView text, int limit) const;

    // Every place in turn, the most populous first; the first call indexes the places' lines.
    qsizetype size() const;
    Place at(qsizetype index) const;

private:
    struct Data;
    explicit Gazetteer(std::shared_ptr<const Data> data);
    std::shared_ptr<const Data> m_data;
};

} // namespace zental
