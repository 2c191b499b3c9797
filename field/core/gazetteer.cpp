#include "field/core/gazetteer.h"

#include "field/core/fieldmessages.h"

#include <QFile>
#include <QHash>
#include <QLocale>

#include <algorithm>
#include <array>
#include <vector>

#if __has_include(<sys/mman.h>)
#include <sys/mman.h>
#endif

using namespace Qt::StringLiterals;

namespace zental {

// The first line of the file, naming its columns; tools/prepare-places.py writes the same.
constexpr QByteArrayView header =
    "#key\tname\tcountry\tregion\tlatitude\tlongitude\tpopulation\theight\n";
enum Column { Key, Name, Country, Region, Latitude, Longitude, Population, Height, ColumnCount };
using Fields = std::array<QByteArrayView, ColumnCount>;

struct Gazetteer::Data {
    QFile file;
    QByteArrayView bytes;
    std::vector<quint32> lineStarts; // and one past the last line's end
};

namespace {

// Letters NFD does not take apart, and typographic quotes: the same table as the script's FOLDS.
struct Fold {
    char16_t letter;
    const char* replacement;
};
constexpr Fold folds[] = {
    {u'ß', "ss"}, {u'ẞ', "SS"}, {u'æ', "ae"}, {u'Æ', "AE"}, {u'œ', "oe"}, {u'Œ', "OE"}, {u'ø', "o"},
    {u'Ø', "O"},  {u'ł', "l"},  {u'Ł', "L"},  {u'đ', "d"},  {u'Đ', "D"},  {u'ð', "d"},  {u'Ð', "D"},
    {u'þ', "th"}, {u'Þ', "Th"}, {u'ħ', "h"},  {u'Ħ', "H"},  {u'ı', "i"},  {u'ə', "a"},  {u'Ə', "A"},
    {u'‘', "'"},  {u'’', "'"},  {u'ʻ', "'"},  {u'ʼ', "'"},  {u'“', "\""}, {u'”', "\""},
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

// What a part after a comma asks for: one country, or (two letters) a country or a US state.
struct Qualifier {
    QByteArray code;
    bool stateToo = false;

    bool admits(const Fields& place) const {
        return place[Country] == code ||
               (stateToo && place[Country] == "US" && place[Region] == code);
    }
};

std::optional<Qualifier> qualifierOf(QStringView part) {
    const auto asciiLetter = [](QChar c) {
        return c.unicode() < 128 && c.isLetter();
    };
    if (part.size() == 2 && asciiLetter(part[0]) && asciiLetter(part[1]))
        return Qualifier{part.toLatin1().toUpper(), true};
    const QString code = countryCodesByName().value(folded(part));
    if (code.isEmpty())
        return std::nullopt;
    return Qualifier{code.toLatin1(), false};
}

struct Query {
    QStringView typed; // the name as the user wrote it
    QByteArray name;   // the same folded, UTF-8
    std::vector<Qualifier> qualifiers;

    bool admits(const Fields& place) const {
        return std::all_of(qualifiers.begin(), qualifiers.end(),
                           [&place](const Qualifier& q) { return q.admits(place); });
    }
};

// Qualifiers are taken from the end while they are codes or country names, so that a name with
// commas in it ("Basford, Stoke-on-Trent") stays whole. Empty parts (typing "Paris, ") count
// for nothing.
std::optional<Query> parsedQuery(QStringView text) {
    Query query;
    qsizetype end = text.size();
    for (qsizetype comma; (comma = text.first(end).lastIndexOf(u',')) >= 0; end = comma) {
        const QStringView part = text.sliced(comma + 1, end - comma - 1).trimmed();
        if (part.isEmpty())
            continue;
        const std::optional<Qualifier> qualifier = qualifierOf(part);
        if (!qualifier)
            break;
        query.qualifiers.push_back(*qualifier);
    }
    query.typed = text.first(end).trimmed();
    query.name = folded(query.typed).toUtf8();
    if (query.name.isEmpty() || query.name.contains('\t') || query.name.contains('\n'))
        return std::nullopt;
    return query;
}

enum class Match { None, Prefix, Exact };

// `name` holds no tab or line break, so the comparison stops at the key's tab at the latest.
Match nameMatch(const char* key, QByteArrayView name) {
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char c = key[i];
        if ((c >= 'A' && c <= 'Z' ? char(c + ('a' - 'A')) : c) != name[i])
            return Match::None;
    }
    return key[name.size()] == '\t' ? Match::Exact : Match::Prefix;
}

std::optional<Fields> fieldsOf(QByteArrayView line) {
    Fields fields;
    qsizetype start = 0;
    for (int column = 0; column < ColumnCount; ++column) {
        const qsizetype tab = column + 1 < ColumnCount ? line.indexOf('\t', start) : line.size();
        if (tab < 0)
            return std::nullopt;
        fields[column] = line.sliced(start, tab - start);
        start = tab + 1;
    }
    return fields;
}

Place placeOf(const Fields& f) {
    const QByteArrayView name = f[Name].isEmpty() ? f[Key] : f[Name];
    return {
        QString::fromUtf8(name), QString::fromLatin1(f[Country]), QString::fromLatin1(f[Region]),
        f[Latitude].toDouble(),  f[Longitude].toDouble(),         f[Population].toLongLong(),
        f[Height].toDouble()};
}

std::vector<quint32> lineStartsOf(QByteArrayView bytes) {
    std::vector<quint32> starts;
    starts.reserve(bytes.size() / 40);
    for (qsizetype start = header.size(); start < bytes.size();) {
        starts.push_back(quint32(start));
        start = bytes.indexOf('\n', start) + 1;
    }
    starts.push_back(quint32(bytes.size()));
    return starts;
}

// Indexing reads every page; mapping them all in one call costs a tenth of a fault per page.
void prefault(QByteArrayView bytes) {
#ifdef MADV_POPULATE_READ
    madvise(const_cast<char*>(bytes.data()), size_t(bytes.size()), MADV_POPULATE_READ);
#else
    Q_UNUSED(bytes);
#endif
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
    prefault(data->bytes);
    if (!data->bytes.startsWith(header) || !data->bytes.endsWith('\n'))
        return unreadable;
    data->lineStarts = lineStartsOf(data->bytes);
    return Gazetteer(std::move(data));
}

qsizetype Gazetteer::size() const {
    return qsizetype(m_data->lineStarts.size()) - 1;
}

Place Gazetteer::at(qsizetype index) const {
    const auto& starts = m_data->lineStarts;
    const QByteArrayView line =
        m_data->bytes.sliced(starts[index], starts[index + 1] - starts[index] - 1);
    return placeOf(fieldsOf(line).value_or(Fields{}));
}

QList<Place> Gazetteer::search(QStringView text, int limit) const {
    const std::optional<Query> query = parsedQuery(text);
    if (!query || limit <= 0)
        return {};
    // The name as typed, then the same letters in other cases or accents, then longer names.
    std::array<QList<Place>, 3> tiers;
    const auto& starts = m_data->lineStarts;
    for (size_t i = 0; i + 1 < starts.size() && tiers[0].size() < limit; ++i) {
        const Match match = nameMatch(m_data->bytes.data() + starts[i], query->name);
        if (match == Match::None || (match == Match::Prefix && tiers[2].size() >= limit))
            continue;
        const std::optional<Fields> fields =
            fieldsOf(m_data->bytes.sliced(starts[i], starts[i + 1] - starts[i] - 1));
        if (!fields || !query->admits(*fields))
            continue;
        Place place = placeOf(*fields);
        QList<Place>& tier = match == Match::Prefix       ? tiers[2]
                             : place.name == query->typed ? tiers[0]
                                                          : tiers[1];
        if (tier.size() < limit)
            tier.append(std::move(place));
    }
    QList<Place> found = tiers[0] + tiers[1] + tiers[2];
    found.resize(std::min<qsizetype>(limit, found.size()));
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
