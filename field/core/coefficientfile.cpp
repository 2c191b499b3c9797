#include "field/core/coefficientfile.h"

#include "core/numbertext.h"
#include "core/textfile.h"
#include "field/core/fielddate.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <functional>

using namespace Qt::StringLiterals;

namespace zental {
namespace {

constexpr double noaaYears = 5;     // every WMM holds for five years from its epoch
constexpr int highestDegree = 1000; // far beyond any model; keeps a bad file's sizes sane

// One coefficient: g (cosine) or h (sine) of degree n and order m, its value at each epoch and,
// last, its change per year.
struct Entry {
    bool sine = false;
    int degree = 0;
    int order = 0;
    std::vector<double> values;
};

// The numbers of a text separated by blanks. WMMHR has 9,044 lines of them: no copies per word.
std::optional<std::vector<double>> numbersOf(const QString& text) {
    const QByteArray bytes = text.toLatin1();
    const std::string_view all(bytes.constData(), static_cast<size_t>(bytes.size()));
    std::vector<double> numbers;
    for (size_t start = all.find_first_not_of(" \t"); start != std::string_view::npos;) {
        const size_t end = std::min(all.find_first_of(" \t", start), all.size());
        const std::optional<double> number =
            parseNumber(all.substr(start, end - start), plainSeparators);
        if (!number)
            return std::nullopt;
        numbers.push_back(*number);
        start = all.find_first_not_of(" \t", end);
    }
    return numbers;
}

QStringList wordsOf(const QString& line) {
    return line.simplified().split(u' ', Qt::SkipEmptyParts);
}

bool isDegreeAndOrder(double n, double m) {
    return n >= 1 && n <= highestDegree && m >= 0 && m <= n && n == std::floor(n) &&
           m == std::floor(m);
}

// Every g of degree 1 to the highest and every h of order 1 up, each exactly once, all with as
// many values as the table has epochs plus the change per year; nothing otherwise.
std::optional<CoefficientTable> completed(CoefficientTable table,
                                          const std::vector<Entry>& entries) {
    for (const Entry& entry : entries)
        table.degree = std::max(table.degree, entry.degree);
    const size_t size = gaussIndex(table.degree, table.degree) + 1;
    const size_t columns = table.epochs.size() + 1;
    std::vector<GaussCoefficients> values(columns,
                                          {std::vector<double>(size), std::vector<double>(size)});
    std::vector<bool> seenG(size);
    std::vector<bool> seenH(size);
    for (const Entry& entry : entries) {
        const size_t k = gaussIndex(entry.degree, entry.order);
        std::vector<bool>& seen = entry.sine ? seenH : seenG;
        if (seen[k] || entry.values.size() != columns)
            return std::nullopt;
        seen[k] = true;
        for (size_t column = 0; column < columns; ++column)
            (entry.sine ? values[column].h : values[column].g)[k] = entry.values[column];
    }
    for (int n = 1; n <= table.degree; ++n)
        for (int m = 0; m <= n; ++m)
            if (!seenG[gaussIndex(n, m)] || (m > 0 && !seenH[gaussIndex(n, m)]))
                return std::nullopt;
    if (table.degree == 0)
        return std::nullopt;
    table.perYear = std::move(values.back());
    values.pop_back();
    table.atEpoch = std::move(values);
    return table;
}

// NOAA's file: "    2025.0            WMM-2025     11/13/2024" (epoch, name, release date), then
// rows "n m g h dg dh" up to a closing line of nines (a cut file has none).
std::optional<CoefficientTable> readNoaa(LineReader& reader, const QString& header) {
    const QStringList words = wordsOf(header);
    const std::optional<double> epoch =
        words.size() == 3 ? parseNumber(words[0].toStdString(), plainSeparators) : std::nullopt;
    if (!epoch || !dateOf(*epoch + noaaYears).isValid())
        return std::nullopt;
    std::vector<Entry> entries;
    while (const std::optional<QString> line = reader.next()) {
        if (line->trimmed().startsWith(u"9999"))
            return completed({words[1], 0, {*epoch}, {}, {}, *epoch + noaaYears}, entries);
        const std::optional<std::vector<double>> row = numbersOf(*line);
        if (!row || row->size() != 6 || !isDegreeAndOrder((*row)[0], (*row)[1]))
            return std::nullopt;
        const std::vector<double>& v = *row;
        const int n = static_cast<int>(v[0]);
        const int m = static_cast<int>(v[1]);
        entries.push_back({false, n, m, {v[2], v[4]}});
        if (m > 0)
            entries.push_back({true, n, m, {v[3], v[5]}});
    }
    return std::nullopt;
}

// IAGA's table: comment lines ("# 14th Generation International Geomagnetic Reference Field
// ..."), a line of column kinds, then "g/h n m 1900.0 ... 2025.0 2025-30" (the epochs and the
// years of the change per year), then rows "g 1 0 -31543 ... 12.6" to the end of the file.
std::optional<CoefficientTable> readIaga(LineReader& reader, QString line) {
    static const QRegularExpression generation(
        u"(\\d+)(?:st|nd|rd|th) Generation International Geomagnetic Reference Field"_s);
    static const QRegularExpression changeYears(u"^(\\d{4})-(\\d{2})$"_s);
    CoefficientTable table;
    for (; line.startsWith(u'#'); line = reader.next().value_or(QString()))
        if (const QRegularExpressionMatch found = generation.match(line); found.hasMatch())
            table.name = u"IGRF-"_s + found.captured(1);
    const QStringList columns = wordsOf(reader.next().value_or(QString()));
    const QRegularExpressionMatch change = changeYears.match(columns.value(columns.size() - 1));
    const std::optional<std::vector<double>> epochs =
        columns.size() > 4 && columns.first() == u"g/h"
            ? numbersOf(columns.mid(3, columns.size() - 4).join(u' '))
            : std::nullopt;
    if (table.name.isEmpty() || !wordsOf(line).startsWith(u"c/s"_s) || !epochs ||
        !change.hasMatch() ||
        std::adjacent_find(epochs->begin(), epochs->end(), std::greater_equal<>()) !=
            epochs->end() ||
        epochs->back() != change.captured(1).toDouble())
        return std::nullopt;
    table.epochs = *epochs;
    // "2025-30": the change holds up to 2030.
    const int start = change.captured(1).toInt();
    table.end = start - start % 100 + change.captured(2).toInt();
    table.end += table.end <= start ? 100 : 0;
    std::vector<Entry> entries;
    while (const std::optional<QString> row = reader.next()) {
        const QStringList words = wordsOf(*row);
        const std::optional<std::vector<double>> numbers = numbersOf(words.mid(1).join(u' '));
        if (words.isEmpty() || (words[0] != u"g" && words[0] != u"h") || !numbers ||
            numbers->size() < 2 || !isDegreeAndOrder((*numbers)[0], (*numbers)[1]))
            return std::nullopt;
        entries.push_back({words[0] == u"h",
                           static_cast<int>((*numbers)[0]),
                           static_cast<int>((*numbers)[1]),
                           {numbers->begin() + 2, numbers->end()}});
    }
    return completed(std::move(table), entries);
}

} // namespace

std::optional<CoefficientTable> readCoefficientFile(const QString& path) {
    LineReader reader(path);
    const std::optional<QString> first = reader.next();
    if (!first)
        return std::nullopt;
    return first->startsWith(u'#') ? readIaga(reader, *first) : readNoaa(reader, *first);
}

} // namespace zental
