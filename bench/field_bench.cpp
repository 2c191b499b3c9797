// Times what zental-field computes, as it uses it. The models: loading each shipped coefficient
// file and the catalogue of all three, and one field evaluation of each at places from pole to
// pole. The gazetteer: opening the shipped
// places file (map it, read its first line) and single searches, the window's 10 suggestions and
// the command line's one place: the queries that cost most, one letter (every name starting with
// it is read) alone and narrowed to a small country (and every one weighed), a common start, no
// match at all; narrowing by a country's or a region's code or name, and a place found by another
// of its names. Each run is timed alone with steady_clock.
//
// Usage: field_bench [--scale F] [--json FILE]
#include "field/core/fielddate.h"
#include "field/core/fieldmodels.h"
#include "field/core/gazetteer.h"
#include "timingstats.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <variant>
#include <vector>

namespace {

Stats measure(const std::string& name, int n, const std::function<void()>& timed) {
    using Clock = std::chrono::steady_clock;
    std::vector<double> us;
    us.reserve(static_cast<size_t>(n));
    for (int k = -n / 20 - 1; k < n; ++k) { // the first few are warm-up
        const Clock::time_point start = Clock::now();
        timed();
        const Clock::time_point end = Clock::now();
        if (k >= 0)
            us.push_back(std::chrono::duration<double, std::micro>(end - start).count());
    }
    return summarise(name, std::move(us));
}

// The searches find what they should before they are timed.
bool findsWhatItShould(const zental::Gazetteer& places) {
    const QList<zental::Place> paris = places.search(u"paris, us", 1);
    const QList<zental::Place> geneva = places.search(u"geneva", 1);
    return paris.size() == 1 && paris[0].region == u"TX" && places.search(u"s", 10).size() == 10 &&
           places.search(u"zzz", 10).isEmpty() && geneva.size() == 1 &&
           geneva[0].countryCode == u"CH" && places.search(u"Denver, Colorado", 1).size() == 1;
}

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "field_bench: %s\n", what);
    std::exit(2);
}

} // namespace

int main(int argc, char* argv[]) {
    double scale = 1.0;
    const char* jsonPath = nullptr;
    const QString placesPath = QStringLiteral(FIELD_DATA_DIR "/places.tsv");
    const QStringList modelPaths{QStringLiteral(FIELD_DATA_DIR "/wmmhr.cof"),
                                 QStringLiteral(FIELD_DATA_DIR "/wmm.cof"),
                                 QStringLiteral(FIELD_DATA_DIR "/igrfcoeffs.txt")};
    for (int k = 1; k < argc; ++k) {
        if (!std::strcmp(argv[k], "--scale") && k + 1 < argc)
            scale = std::atof(argv[++k]);
        else if (!std::strcmp(argv[k], "--json") && k + 1 < argc)
            jsonPath = argv[++k];
        else
            fail("unknown argument");
    }
    const auto iterations = [scale](int n) {
        return std::max(10, static_cast<int>(n * scale));
    };

    const zental::Result<zental::Gazetteer> places = zental::Gazetteer::open(placesPath);
    if (!places)
        fail("the places file could not be opened");
    if (!findsWhatItShould(*places))
        fail("a search found something unexpected");

    const zental::Result<zental::FieldModels> models = zental::FieldModels::load(modelPaths);
    if (!models)
        fail("a model file could not be read");
    std::vector<Stats> results;
    results.push_back(measure("models: load all three files", iterations(50), [&] {
        if (!zental::FieldModels::load(modelPaths))
            fail("load failed");
    }));
    for (size_t k = 0; k < models->models().size(); ++k) {
        const zental::MagneticModel& model = models->models()[k];
        const std::string name = model.name().toStdString();
        results.push_back(measure(name + ": load its file", iterations(50), [&] {
            if (!zental::MagneticModel::load(modelPaths[static_cast<qsizetype>(k)]))
                fail("load failed");
        }));
        // Latitudes -89.5 to 89.5 by 7 degrees, longitudes and heights varying with them, in the
        // middle of the model's span.
        const double year =
            (zental::decimalYearOf(model.firstDay()) + zental::decimalYearOf(model.lastDay())) / 2;
        int point = 0;
        results.push_back(measure(name + ": one field evaluation", iterations(5000), [&] {
            const double latitude = -89.5 + 7 * (point % 26);
            const double longitude = -180 + 13 * (point % 28);
            ++point;
            if (!model.field(latitude, longitude, 100.0 * (point % 50), year))
                fail("a field evaluation was refused");
        }));
    }
    results.push_back(measure("open (map, read the first line)", iterations(200), [&] {
        if (!zental::Gazetteer::open(placesPath))
            fail("open failed");
    }));
    for (const char* query : {"s", "s, Liechtenstein", "san", "zzz", "paris, us",
                              "Denver, CO, United States", "Denver, Colorado", "geneva"})
        for (int limit : {10, 1})
            results.push_back(
                measure("search \"" + std::string(query) + "\", " + std::to_string(limit),
                        iterations(2000), [&] {
                            if (places->search(QString::fromUtf8(query), limit).size() > limit)
                                fail("too many results");
                        }));

    std::printf("models from %s; %lld places in %s\n", qPrintable(modelPaths.join(u", ")),
                static_cast<long long>(places->size()), qPrintable(placesPath));
    printStats(results, false);
    if (jsonPath && !writeStatsJson(jsonPath, results))
        fail("cannot write the JSON file");
    return 0;
}
