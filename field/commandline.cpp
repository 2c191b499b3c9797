#include "commandline.h"

#include "fielddate.h"
#include "fieldreport.h"
#include "gazetteer.h"

#include <QCommandLineParser>

using namespace Qt::StringLiterals;

namespace zental {
namespace {

const Separators plainDot{".", ""}; // numbers on a command line do not follow the locale

std::optional<double> numberOf(const QString& text) {
    return parseNumber(text.toStdString(), plainDot);
}

// A negative longitude looks like an option to QCommandLineParser: keep every option (and the
// value of one that takes a value) in front and all other arguments behind "--".
QStringList optionsFirst(const QStringList& arguments) {
    static const QStringList takingValue{u"--date"_s, u"--height"_s, u"--proton"_s};
    QStringList options{u"zental-field"_s};
    QStringList others;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == u"--") {
            others += arguments.mid(i + 1);
            break;
        }
        if (!argument.startsWith(u'-') || numberOf(argument)) {
            others += argument;
            continue;
        }
        options += argument;
        if (takingValue.contains(argument) && i + 1 < arguments.size())
            options += arguments[++i];
    }
    return options + QStringList{u"--"_s} + others;
}

struct Answer {
    QString error; // empty when the answer holds
    double ntValue = 0;
    QStringList lines;
};

Answer failure(QString error) {
    return {std::move(error), 0, {}};
}

Answer protonAnswer(const QString& text, const QStringList& others) {
    if (!others.isEmpty())
        return failure(
            u"A proton frequency needs no place: \"%1\" is one too many."_s.arg(others.join(u' ')));
    const std::optional<double> hertz = numberOf(text);
    if (!hertz || !(*hertz > 0) || !std::isfinite(*hertz))
        return failure(
            u"The proton frequency \"%1\" is not a positive number of hertz."_s.arg(text));
    const double nt = protonNtValue(*hertz);
    return {{},
            nt,
            {u"Proton frequency: %1 Hz"_s.arg(text),
             u"NT value: %1 nT"_s.arg(ntValueText(nt, plainDot))}};
}

// The site the positional arguments name: two numbers are coordinates, anything else a place.
std::variant<Site, QString> siteOf(const QStringList& words, const QString& placesPath) {
    if (words.isEmpty())
        return u"Name a place or give a latitude and a longitude (see --help)."_s;
    if (words.size() == 2 && numberOf(words[0]) && numberOf(words[1]))
        return Site{{}, *numberOf(words[0]), *numberOf(words[1]), 0};
    const QString query = words.join(u' ');
    const std::optional<Gazetteer> places = Gazetteer::open(placesPath);
    if (!places)
        return u"The places file \"%1\" could not be read."_s.arg(placesPath);
    const QList<Place> found = places->search(query, 1);
    if (found.isEmpty())
        return u"No place called \"%1\" is known."_s.arg(query);
    return siteOf(found.first());
}

Answer fieldAnswer(const QCommandLineParser& parser, const QDate& today, const FieldFiles& files) {
    std::variant<Site, QString> site = siteOf(parser.positionalArguments(), files.places);
    if (const QString* error = std::get_if<QString>(&site))
        return failure(*error);
    FieldQuery query{std::get<Site>(site), decimalYearOf(today)};
    if (parser.isSet(u"height"_s)) {
        const std::optional<double> height = numberOf(parser.value(u"height"_s));
        if (!height)
            return failure(
                u"The height \"%1\" is not a number of metres."_s.arg(parser.value(u"height"_s)));
        query.site.heightMetres = *height;
    }
    if (parser.isSet(u"date"_s)) {
        const std::optional<double> year = parseDate(parser.value(u"date"_s));
        if (!year)
            return failure(u"The date \"%1\" is neither YYYY-MM-DD nor a decimal year."_s.arg(
                parser.value(u"date"_s)));
        query.decimalYear = *year;
    }
    const std::optional<MagneticModel> model = MagneticModel::load(files.model);
    if (!model)
        return failure(u"The model file \"%1\" could not be read."_s.arg(files.model));
    const std::variant<FieldReport, QString> report = reportOf(*model, query);
    if (const QString* error = std::get_if<QString>(&report))
        return failure(*error);
    const auto& facts = std::get<FieldReport>(report);
    return {{}, facts.field.total, reportLines(facts, plainDot)};
}

} // namespace

int runCommandLine(const QStringList& arguments, const QDate& today, const FieldFiles& files,
                   QTextStream& out, QTextStream& err) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"The Earth's magnetic field (the NT value, in nanotesla) at a place and date, from the "
        "World Magnetic Model. Places: GeoNames (CC BY 4.0). Without arguments, opens the window."_s);
    parser.addOptions(
        {{u"nt"_s, u"Print only the NT value, in nT with one decimal."_s},
         {u"date"_s, u"The date, YYYY-MM-DD or a decimal year (default: today)."_s, u"DATE"_s},
         {u"height"_s, u"Height above sea level in metres (default: the place's, or 0)."_s,
          u"METRES"_s},
         {u"proton"_s, u"The NT value at which hydrogen resonates at HZ."_s, u"HZ"_s}});
    const QCommandLineOption help = parser.addHelpOption();
    parser.addPositionalArgument(
        u"where"_s,
        u"LATITUDE LONGITUDE in degrees, or a place name such as \"Paris, France\" or \"Denver, CO\"."_s,
        u"LATITUDE LONGITUDE | PLACE..."_s);
    if (!parser.parse(optionsFirst(arguments))) {
        err << parser.errorText() << Qt::endl;
        return 2;
    }
    if (parser.isSet(help)) {
        out << parser.helpText();
        return 0;
    }
    const Answer answer = parser.isSet(u"proton"_s) ? protonAnswer(parser.value(u"proton"_s),
                                                                   parser.positionalArguments())
                                                    : fieldAnswer(parser, today, files);
    if (!answer.error.isEmpty()) {
        err << answer.error << Qt::endl;
        return 1;
    }
    out << (parser.isSet(u"nt"_s) ? ntValueText(answer.ntValue, plainDot)
                                  : answer.lines.join(u'\n'))
        << Qt::endl;
    return 0;
}

} // namespace zental
