#include "field/core/commandline.h"

#include "field/core/fieldmessages.h"
#include "field/core/fieldquery.h"
#include "field/core/gazetteer.h"

#include <QCommandLineParser>

using namespace Qt::StringLiterals;

namespace zental {
namespace {

// Numbers on a command line do not follow the locale.
std::optional<double> numberOf(const QString& text) {
    return parseNumber(text.toStdString(), plainSeparators);
}

// "47,37": a number as a locale with a decimal comma writes it.
bool writtenWithCommas(const QString& text) {
    return text.contains(u',') && parseNumber(text.toStdString(), {",", ""});
}

// A negative longitude looks like an option to QCommandLineParser: keep every option (and the
// value of one that takes a value) in front and all other arguments behind "--".
QStringList optionsFirst(const QStringList& arguments) {
    static const QStringList takingValue{u"--date"_s, u"--height"_s, u"--proton"_s, u"--model"_s};
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
    double ntValue = 0;
    QStringList lines;
};

Result<Answer> protonAnswer(const QString& text, const QStringList& others) {
    if (!others.isEmpty())
        return Failure{fieldtext::protonNeedsNoPlace(others.join(u' '))};
    const Result<double> nt = parseProtonFrequency(text, plainSeparators);
    if (!nt)
        return Failure{nt.error()};
    return Answer{*nt,
                  {u"Proton frequency: %1 Hz"_s.arg(text),
                   u"NT value: %1 nT"_s.arg(ntValueText(*nt, plainSeparators))}};
}

// The positional arguments: two numbers are coordinates, anything else names a place.
Result<FieldInputs> whereOf(const QStringList& words, const QString& placesPath) {
    if (words.isEmpty())
        return Failure{fieldtext::nothingToComputeOnCommandLine};
    if (words.size() == 2 && numberOf(words[0]) && numberOf(words[1]))
        return FieldInputs{std::nullopt, words[0], words[1], {}, {}};
    if (words.size() == 2 && writtenWithCommas(words[0]) && writtenWithCommas(words[1]))
        return Failure{fieldtext::writtenWithOtherSeparator(u"Coordinates"_s, words.join(u' '),
                                                            plainSeparators.decimal)};
    const QString name = words.join(u' ');
    const Result<Gazetteer> places = Gazetteer::open(placesPath);
    if (!places)
        return Failure{places.error()};
    const QList<Place> found = places->search(name, 1);
    if (found.isEmpty())
        return Failure{fieldtext::noPlaceCalled(name)};
    return FieldInputs{siteOf(found.first()), {}, {}, {}, {}};
}

Result<Answer> fieldAnswer(const QCommandLineParser& parser, const QDate& today,
                           const FieldFiles& files) {
    Result<FieldInputs> inputs = whereOf(parser.positionalArguments(), files.places);
    if (!inputs)
        return Failure{inputs.error()};
    FieldInputs where = std::move(inputs).value();
    where.height = parser.value(u"height"_s);
    where.date = parser.value(u"date"_s);
    const Result<FieldQuery> query = parseFieldInputs(where, today, plainSeparators);
    if (!query)
        return Failure{query.error()};
    const Result<FieldModels> models = FieldModels::load(files.models);
    if (!models)
        return Failure{models.error()};
    const Result<FieldReport> report = reportOf(*models, *query, parser.value(u"model"_s));
    if (!report)
        return Failure{report.error()};
    return Answer{report->field.total, reportLines(*report, plainSeparators)};
}

// The models with their spans, the default for each date first.
QString modelsHelp(const QStringList& paths) {
    const Result<FieldModels> models = FieldModels::load(paths);
    if (!models)
        return models.error() + u'\n';
    QString text = u"\nModels (without --model, the first that covers the date):\n"_s;
    for (const MagneticModel& model : models->models())
        text += u"  %1  %2 to %3\n"_s.arg(model.name().leftJustified(11),
                                          model.firstDay().toString(Qt::ISODate),
                                          model.lastDay().toString(Qt::ISODate));
    return text;
}

} // namespace

int runCommandLine(const QStringList& arguments, const QDate& today, const FieldFiles& files,
                   QTextStream& out, QTextStream& err) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"The Earth's magnetic field (the NT value, in nanotesla) at a place and date. Models: "
        "WMMHR-2025 and WMM-2025 (NOAA NCEI, public domain), IGRF-14 (IAGA Working Group V-MOD, "
        "CC BY 4.0). Places: GeoNames (CC BY 4.0). Without arguments, opens the window."_s);
    parser.addOptions(
        {{u"nt"_s, u"Print only the NT value, in nT with one decimal."_s},
         {u"date"_s, u"The date, YYYY-MM-DD or a decimal year (default: today)."_s, u"DATE"_s},
         {u"height"_s, u"Height above sea level in metres (default: the place's, or 0)."_s,
          u"METRES"_s},
         {u"proton"_s, u"The NT value at which hydrogen resonates at HZ."_s, u"HZ"_s},
         {u"model"_s, u"The model: WMMHR2025, WMM2025 or IGRF14 (default: by the date)."_s,
          u"NAME"_s}});
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version(u"version"_s, u"Print the program's name and version."_s);
    parser.addOption(version);
    parser.addPositionalArgument(
        u"where"_s,
        u"LATITUDE LONGITUDE in degrees, or a place name such as \"Paris, France\" or \"Denver, CO\"."_s,
        u"LATITUDE LONGITUDE | PLACE..."_s);
    if (!parser.parse(optionsFirst(arguments))) {
        err << parser.errorText() << Qt::endl;
        return 2;
    }
    if (parser.isSet(help)) {
        out << parser.helpText() << modelsHelp(files.models);
        return 0;
    }
    if (parser.isSet(version)) {
        out << u"zental-field "_s << QLatin1StringView(ZENTAL_VERSION) << Qt::endl;
        return 0;
    }
    const Result<Answer> answer =
        parser.isSet(u"proton"_s)
            ? protonAnswer(parser.value(u"proton"_s), parser.positionalArguments())
            : fieldAnswer(parser, today, files);
    if (!answer) {
        err << answer.error() << Qt::endl;
        return 1;
    }
    out << (parser.isSet(u"nt"_s) ? ntValueText(answer->ntValue, plainSeparators)
                                  : answer->lines.join(u'\n'))
        << Qt::endl;
    return 0;
}

} // namespace zental
