#include "field/core/gazetteer.h"

#include "field/core/fieldmessages.h"

#include <QFile>
#include <QHash>
#include <QLocale>

#include <algorithm>
#include <array>
#include <cstring>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

namespace zental {

// The file's sections and their column headers; tools/prepare-places.py writes the same. The first
// line says where each section starts and where the file ends:
// "#sections\tplaces\tN\tnames\tN\tregions\tN\tend\tN".
constexpr std::array<QByteArrayView, 4> sectionNames{"places", "names", "regions", "end"};
constexpr std::array<QByteArrayView, 3> columnHeaders{
    "#name\tcountry\tregion\tlatitude\tlongitude\tpopulation\theight\n",
    "#key\tplace\tcountry\tregion\tname\n", "#key\tcountry\tregion\n"};
enum Column { Name, Country, Region, Latitude, Longitude, Population, Height, ColumnCount };
using Fields = std::array<QByteArrayView, ColumnCount>;

namespace {

// Where the sections' lines are, after their column headers.
struct Sections {
    qsizetype placesStart = 0; // the first place's line; a place is known by its line's offset
    qsizetype placesEnd = 0;
    QByteArrayView names;   // the names' lines: key, place, its country and region, name as written
    QByteArrayView regions; // the words naming regions: key, country, region code
};

} // namespace

struct Gazetteer::Data {
    QFile file;
    QByteArrayView bytes;
    Sections sections;

    mutable std::once_flag indexed;
    mutable std::vector<qsizetype> placeStarts; // for at(), made on first use
};

namespace {

// Letters NFD does not take apart, dashes and typographic quotes: the same table as the script's
// FOLDS.
struct Fold {
    char16_t letter;
    const char* replacement;
};
constexpr Fold folds[] = {
    {u'ß', "ss"}, {u'ẞ', "SS"}, {u'æ', "ae"}, {u'Æ', "AE"}, {u'œ', "oe"}, {u'Œ', "OE"},
    {u'ø', "o"},  {u'Ø', "O"},  {u'ł', "l"},  {u'Ł', "L"},  {u'đ', "d"},  {u'Đ', "D"},
    {u'ð', "d"},  {u'Ð', "D"},  {u'þ', "th"}, {u'Þ', "Th"}, {u'ħ', "h"},  {u'Ħ', "H"},
    {u'ı', "i"},  {u'ə', "a"},  {u'Ə', "A"},  {u'ǝ', "a"},  {u'Ǝ', "A"},  {u'‘', "'"},
    {u'’', "'"},  {u'ʻ', "'"},  {u'ʼ', "'"},  {u'“', "\""}, {u'”', "\""}, {u'–', "-"},
    {u'—', "-"},
};

// Lower case without accents: "Zürich" and "zurich" both give "zurich".
QString folded(QStringView text) {
    QString plain;
    plain.reserve(text.size());
    for (QChar c : text) {
        const auto* const fold =
            std::find_if(std::begin(folds), std::end(folds),
                         [c](const Fold& f) { return f.letter == c.unicode(); });
        if (fold == std::end(folds))
            plain += c;
        else
            plain += QLatin1StringView(fold->replacement);
    }
    plain = plain.normalized(QString::NormalizationForm_D);
    plain.removeIf([](QChar c) { return c.isMark(); });
    return plain.toLower();
}

uchar lowerAscii(char c) {
    return uchar(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
}

bool equalIgnoringAsciiCase(QByteArrayView a, QByteArrayView b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return lowerAscii(x) == lowerAscii(y);
           });
}

QString countryName(const QString& code) {
    const QLocale::Territory territory = QLocale::codeToTerritory(code);
    return territory == QLocale::AnyTerritory ? code : QLocale::territoryToString(territory);
}

// The two-letter code of each country by its folded English name, built once.
const QHash<QString, QString>& countryCodesByName() {
    static const QHash<QString, QString> codes = [] {
        QHash<QString, QString> byName;
        for (int t = QLocale::AnyTerritory + 1; t <= QLocale::LastTerritory; ++t) {
            const auto territory = static_cast<QLocale::Territory>(t);
            const QString code = QLocale::territoryToCode(territory);
            if (code.size() == 2 && code[0].isLetter())
                byName.insert(folded(QLocale::territoryToString(territory)), code);
        }
        return byName;
    }();
    return codes;
}

// The line that starts at `start` in `bytes`, without its line break.
QByteArrayView lineAt(QByteArrayView bytes, qsizetype start) {
    return bytes.sliced(start, bytes.indexOf('\n', start) - start);
}

// The line's first `count` fields, or nothing when it has fewer; the last one runs to the end.
template <size_t count>
std::optional<std::array<QByteArrayView, count>> split(QByteArrayView line) {
    std::array<QByteArrayView, count> fields;
    qsizetype start = 0;
    for (size_t column = 0; column < count; ++column) {
        const qsizetype tab = column + 1 < count ? line.indexOf('\t', start) : line.size();
        if (tab < 0)
            return std::nullopt;
        fields[column] = line.sliced(start, tab - start);
        start = tab + 1;
    }
    return fields;
}

// Where a name's key, in lower case, stands against the folded name searched for. The names are
// sorted so, and those that start with it are one run: the name itself first, then longer ones.
enum class Order { Below, Starts, Above };

Order orderOf(QByteArrayView line, QByteArrayView name) {
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (i == line.size() || line[i] == '\t')
            return Order::Below;
        const uchar key = lowerAscii(line[i]);
        if (key != uchar(name[i]))
            return key < uchar(name[i]) ? Order::Below : Order::Above;
    }
    return Order::Starts;
}

// Where the first line of `lines` for which `before` is false starts; `before` holds for a leading
// run of the lines and for none after it. A binary search over bytes: each step reads one line.
template <typename Before> qsizetype partitionPoint(QByteArrayView lines, Before before) {
    qsizetype low = 0; // a line's start: every line before it is before
    qsizetype high = lines.size();
    while (low < high) {
        const qsizetype middle = low + (high - low) / 2;
        const qsizetype start = lines.first(middle).lastIndexOf('\n') + 1;
        const QByteArrayView line = lineAt(lines, start);
        if (before(line))
            low = start + line.size() + 1;
        else
            high = start;
    }
    return low;
}

// A country's two-letter code as one number: a search may compare one with every name's.
quint16 codeOf(QByteArrayView country) {
    return country.size() == 2 ? quint16(uchar(country[0]) << 8 | uchar(country[1])) : 0;
}

// What a part after a comma asks for: any of some countries and first-level regions.
struct Qualifier {
    std::vector<quint16> countries;
    std::vector<std::pair<quint16, QByteArray>> regions; // country and region codes

    bool admits(quint16 country, QByteArrayView region) const {
        return std::find(countries.begin(), countries.end(), country) != countries.end() ||
               std::any_of(regions.begin(), regions.end(),
                           [&](const auto& r) { return r.first == country && r.second == region; });
    }
};

// Two letters are a country's code; a region's code of letters or a country's or a region's
// English name also qualify, as in "Bern, BE" (a canton, and Belgium) or "Georgia" (a country and
// a state). Nothing when the part is none of them.
std::optional<Qualifier> qualifierOf(QStringView part, QByteArrayView regions) {
    Qualifier qualifier;
    if (part.size() == 2 && std::all_of(part.begin(), part.end(),
                                        [](QChar c) { return c.unicode() < 128 && c.isLetter(); }))
        qualifier.countries.push_back(codeOf(part.toLatin1().toUpper()));
    const QString name = folded(part);
    if (const QString country = countryCodesByName().value(name); !country.isEmpty())
        qualifier.countries.push_back(codeOf(country.toLatin1()));
    // The regions' words are sorted like the names: those of this one are one run.
    const QByteArray key = name.toUtf8();
    for (qsizetype start = partitionPoint(
             regions, [&key](QByteArrayView line) { return orderOf(line, key) == Order::Below; });
         start < regions.size();) {
        const QByteArrayView line = lineAt(regions, start);
        start += line.size() + 1;
        const auto fields = split<3>(line);
        if (!fields || !equalIgnoringAsciiCase((*fields)[0], key))
            break;
        qualifier.regions.emplace_back(codeOf((*fields)[1]), (*fields)[2].toByteArray());
    }
    if (qualifier.countries.empty() && qualifier.regions.empty())
        return std::nullopt;
    return qualifier;
}

struct Query {
    QByteArray typed; // the name as the user wrote it, UTF-8
    QByteArray name;  // the same folded
    std::vector<Qualifier> qualifiers;

    bool admits(QByteArrayView country, QByteArrayView region) const {
        const quint16 code = codeOf(country);
        return std::all_of(qualifiers.begin(), qualifiers.end(),
                           [&](const Qualifier& q) { return q.admits(code, region); });
    }
};

// Qualifiers are taken from the end while they are codes or names of countries or regions, so
// that a name with commas in it ("Basford, Stoke-on-Trent") stays whole. Empty parts (typing
// "Paris, ") count for nothing.
std::optional<Query> parsedQuery(QStringView text, QByteArrayView regions) {
    Query query;
    qsizetype end = text.size();
    for (qsizetype comma; (comma = text.first(end).lastIndexOf(u',')) >= 0; end = comma) {
        const QStringView part = text.sliced(comma + 1, end - comma - 1).trimmed();
        if (part.isEmpty())
            continue;
        std::optional<Qualifier> qualifier = qualifierOf(part, regions);
        if (!qualifier)
            break;
        query.qualifiers.push_back(std::move(*qualifier));
    }
    const QStringView typed = text.first(end).trimmed();
    query.typed = typed.toUtf8();
    query.name = folded(typed).toUtf8();
    if (query.name.isEmpty() || query.name.contains('\t') || query.name.contains('\n'))
        return std::nullopt;
    return query;
}

// A name's line: its key, its place (the offset of the place's line, in digits), the place's
// country and region, and the name as written where it is not the key.
struct NameLine {
    QByteArrayView key;
    QByteArrayView place; // empty when the line is not one
    QByteArrayView country;
    QByteArrayView region;
    QByteArrayView name;

    QByteArrayView written() const { return name.isEmpty() ? key : name; }
};

// Reads the name's line at `line` and returns where the next one starts, or nothing at the end.
// `end` follows a line break. The longer names that start with a short one can be a third of the
// file, so this reads each byte once at most, and a line whose place has more than `mostDigits`
// digits (a search has better ones) only as far as those.
const char* nameLineAt(const char* line, const char* end, qsizetype mostDigits, NameLine& entry) {
    entry = NameLine();
    const auto* tab = static_cast<const char*>(std::memchr(line, '\t', size_t(end - line)));
    if (!tab)
        return nullptr;
    entry.key = QByteArrayView(line, tab);
    const char* field = tab + 1;
    const auto skip = [&field](auto inField) {
        const char* start = field;
        while (inField(*field)) // stops at the line break at the latest
            ++field;
        return QByteArrayView(start, field);
    };
    const auto notTab = [](char c) {
        return c != '\t' && c != '\n';
    };
    const QByteArrayView place = skip([](char c) { return unsigned(c - '0') < 10; });
    if (place.size() <= mostDigits && *field == '\t' &&
        (++field, entry.country = skip(notTab), *field == '\t') &&
        (++field, entry.region = skip(notTab), *field == '\t')) {
        entry.place = place;
        entry.name = QByteArrayView(++field, 0);
    }
    const char* lineEnd =
        *field == '\n' ? field
                       : static_cast<const char*>(std::memchr(field, '\n', size_t(end - field)));
    if (!entry.place.isEmpty())
        entry.name = QByteArrayView(entry.name.data(), lineEnd);
    return lineEnd + 1;
}

// The places most populous first (the smallest offsets), up to a number, each once.
class Best {
public:
    explicit Best(qsizetype count)
        : m_count(count) {}

    bool full() const { return qsizetype(m_places.size()) >= m_count; }
    bool wanted() const { return m_count > 0; }
    // Whether a place could still be one of them, by its digits alone: an offset of more digits
    // than the worst of the best is not.
    bool mayWant(QByteArrayView digits) const {
        return wanted() && !digits.isEmpty() && digits.size() <= m_mostDigits;
    }
    qsizetype mostDigits() const { return m_mostDigits; }
    bool wants(qsizetype place) const {
        return wanted() && (!full() || place < m_places.back()) && !contains(place);
    }
    bool contains(qsizetype place) const {
        return std::binary_search(m_places.begin(), m_places.end(), place);
    }
    void add(qsizetype place) {
        m_places.insert(std::upper_bound(m_places.begin(), m_places.end(), place), place);
        if (qsizetype(m_places.size()) > m_count)
            m_places.pop_back();
        if (full())
            m_mostDigits = QByteArray::number(m_places.back()).size();
    }
    const std::vector<qsizetype>& places() const { return m_places; }

    static qsizetype offsetOf(QByteArrayView digits) {
        qsizetype offset = 0;
        for (char digit : digits)
            offset = offset * 10 + (digit - '0');
        return offset;
    }

private:
    qsizetype m_count;
    std::vector<qsizetype> m_places;
    qsizetype m_mostDigits = 15; // more than any offset has, few enough not to overflow
};

// The fields of the place whose line starts at `place`, or nothing when no place's line does.
std::optional<Fields> placeFields(QByteArrayView bytes, const Sections& sections, qsizetype place) {
    if (place < sections.placesStart || place >= sections.placesEnd || bytes[place - 1] != '\n')
        return std::nullopt;
    return split<ColumnCount>(lineAt(bytes, place));
}

// The lines of the names that start with the folded `name`: the whole name first, most populous
// first, then longer names in no useful order.
QByteArrayView namesStartingWith(QByteArrayView names, QByteArrayView name) {
    const QByteArrayView from = names.sliced(partitionPoint(
        names, [name](QByteArrayView line) { return orderOf(line, name) == Order::Below; }));
    return from.first(partitionPoint(
        from, [name](QByteArrayView line) { return orderOf(line, name) == Order::Starts; }));
}

// The places a search finds: a name as typed (or as typed without its accents), then the same
// letters in other cases or accents, then longer names; the most populous first in each.
class Ranking {
public:
    Ranking(const Query& query, qsizetype limit)
        : m_query(query)
        , m_tiers{Best(limit), Best(limit), Best(0)}
        , m_limit(limit) {}

    // Reads the lines of `names`, those of the whole name first, and weighs a place only when it
    // is more populous than the worst of the best so far.
    void read(QByteArrayView names) {
        const char* line = names.data();
        const char* const end = line + names.size();
        NameLine entry;
        for (const char* next; line && line < end && !m_tiers[0].full(); line = next) {
            next = nameLineAt(line, end, m_tiers[0].mostDigits(), entry);
            if (!next || entry.key.size() != m_query.name.size())
                break;
            const bool typed = entry.written() == m_query.typed || entry.key == m_query.typed;
            offer(m_tiers[typed ? 0 : 1], entry);
        }
        Best& longer = m_tiers[2] =
            Best(m_limit - qsizetype(m_tiers[0].places().size() + m_tiers[1].places().size()));
        while (longer.wanted() && line && line < end) {
            line = nameLineAt(line, end, longer.mostDigits(), entry);
            offer(longer, entry);
        }
    }

    std::vector<qsizetype> places() const {
        std::vector<qsizetype> found;
        for (const Best& tier : m_tiers)
            found.insert(found.end(), tier.places().begin(), tier.places().end());
        found.resize(std::min(found.size(), size_t(m_limit)));
        return found;
    }

private:
    void offer(Best& tier, const NameLine& entry) {
        if (!tier.mayWant(entry.place) || !m_query.admits(entry.country, entry.region))
            return;
        const qsizetype place = Best::offsetOf(entry.place);
        if (tier.wants(place) && !m_tiers[0].contains(place) && !m_tiers[1].contains(place))
            tier.add(place);
    }

    const Query& m_query;
    std::array<Best, 3> m_tiers;
    qsizetype m_limit;
};

Place placeOf(const Fields& f) {
    return {
        QString::fromUtf8(f[Name]), QString::fromLatin1(f[Country]), QString::fromLatin1(f[Region]),
        f[Latitude].toDouble(),     f[Longitude].toDouble(),         f[Population].toLongLong(),
        f[Height].toDouble()};
}

// Where each section's lines start and end, from the first line and the column headers.
std::optional<Sections> sectionsOf(QByteArrayView bytes) {
    if (!bytes.endsWith('\n'))
        return std::nullopt;
    const QByteArrayView firstLine = lineAt(bytes, 0);
    const auto first = split<9>(firstLine);
    if (!first || (*first)[0] != "#sections")
        return std::nullopt;
    std::array<qsizetype, 4> starts{};
    for (size_t section = 0; section < sectionNames.size(); ++section) {
        bool number = false;
        starts[section] = (*first)[2 * section + 2].toLongLong(&number);
        if ((*first)[2 * section + 1] != sectionNames[section] || !number)
            return std::nullopt;
    }
    if (starts[0] != firstLine.size() + 1 || starts[3] != bytes.size())
        return std::nullopt;
    // Each section starts on a line of its own, after the one before it, with its column header.
    for (size_t section = 0; section < columnHeaders.size(); ++section) {
        const qsizetype start = starts[section];
        if (start >= starts[section + 1] || bytes[start - 1] != '\n' ||
            !bytes.sliced(start, starts[section + 1] - start).startsWith(columnHeaders[section]))
            return std::nullopt;
    }
    const auto lines = [&](size_t section) {
        const qsizetype start = starts[section] + columnHeaders[section].size();
        return bytes.sliced(start, starts[section + 1] - start);
    };
    return Sections{starts[0] + columnHeaders[0].size(), starts[1], lines(1), lines(2)};
}

} // namespace

Gazetteer::Gazetteer(std::shared_ptr<const Data> data)
    : m_data(std::move(data)) {}

Result<Gazetteer> Gazetteer::open(const QString& path) {
    auto data = std::make_shared<Data>();
    data->file.setFileName(path);
    const Failure unreadable{fieldtext::placesUnreadable(path)};
    if (!data->file.open(QIODevice::ReadOnly) || data->file.size() > qint64(UINT32_MAX))
        return unreadable;
    const uchar* mapped = data->file.map(0, data->file.size());
    if (!mapped)
        return unreadable;
    data->bytes = QByteArrayView(mapped, data->file.size());
    const std::optional<Sections> sections = sectionsOf(data->bytes);
    if (!sections)
        return unreadable;
    data->sections = *sections;
    return Gazetteer(std::move(data));
}

qsizetype Gazetteer::size() const {
    std::call_once(m_data->indexed, [data = m_data.get()] {
        for (qsizetype start = data->sections.placesStart; start < data->sections.placesEnd;
             start = data->bytes.indexOf('\n', start) + 1)
            data->placeStarts.push_back(start);
    });
    return qsizetype(m_data->placeStarts.size());
}

Place Gazetteer::at(qsizetype index) const {
    if (index < 0 || index >= size())
        return {};
    return placeOf(split<ColumnCount>(lineAt(m_data->bytes, m_data->placeStarts[size_t(index)]))
                       .value_or(Fields{}));
}

QList<Place> Gazetteer::search(QStringView text, int limit) const {
    const Sections& sections = m_data->sections;
    const std::optional<Query> query = parsedQuery(text, sections.regions);
    if (!query || limit <= 0)
        return {};
    Ranking ranking(*query, limit);
    ranking.read(namesStartingWith(sections.names, query->name));
    QList<Place> found;
    for (qsizetype place : ranking.places())
        if (const std::optional<Fields> fields = placeFields(m_data->bytes, sections, place))
            found.append(placeOf(*fields));
    return found;
}

QString placeText(const Place& place) {
    QStringList parts{place.name};
    if (place.countryCode == u"US"_s && !place.region.isEmpty())
        parts += place.region;
    parts += countryName(place.countryCode);
    return parts.join(u", "_s);
}

} // namespace zental
