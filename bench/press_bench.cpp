// Times presses in the real main window, built from the project's own libraries: the element
// button "1  H" (and "50 Sn", three isotopes) with NT value 50000, with and without painting,
// and "Compound freq" on a 51-pair Compounds.ini. Each press is timed alone with steady_clock;
// between timed presses an untimed press of another button and the paint it causes run, so
// every timed press really changes the labels and starts from a painted window.
//
// Usage: press_bench [--scale F] [--json FILE]   (run with QT_QPA_PLATFORM=offscreen or under X)
#include "launch/launcher.h"
#include "timingstats.h"
#include "widgets/messagebox.h"
#include "zental/mainwindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

// What the tests' recording sink and starter do, minus the recording.
class NoMessages : public zental::MessageSink {
public:
    void show(QWidget*, const QString&) override { ++shown; }
    int shown = 0;
};

class NoProcesses : public zental::ProcessStarter {
public:
    void start(const zental::Program&, const QString&, std::function<void(bool)> started) override {
        started(true);
    }
};

class PaintCounter : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
    long long paints = 0;
};

bool writeFile(const QString& name, const QByteArray& bytes) {
    QFile file(name);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "press_bench: %s\n", what);
    std::exit(2);
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    double scale = 1.0;
    QString jsonPath; // absolute: the working directory changes below
    for (int k = 1; k < argc; ++k) {
        if (!std::strcmp(argv[k], "--scale") && k + 1 < argc)
            scale = std::atof(argv[++k]);
        else if (!std::strcmp(argv[k], "--json") && k + 1 < argc)
            jsonPath = QDir::current().absoluteFilePath(QString::fromLocal8Bit(argv[++k]));
    }
    const auto iterations = [scale](int n) {
        return std::max(10, static_cast<int>(n * scale));
    };

    // The window's data files in a fresh working directory.
    QTemporaryDir dir;
    if (!dir.isValid() || !QDir::setCurrent(dir.path()))
        fail("no temporary directory");
    QByteArray compounds;
    for (int k = 1; k <= 51; ++k)
        compounds += QStringLiteral("Compound %1\r\n%2\r\n").arg(k).arg(100.0 + k * 1.25).toUtf8();
    if (!writeFile("ZENTAL.ini", "\r\n50000\r\n\r\n") || !writeFile("Compounds.ini", compounds) ||
        !writeFile("Profiles.ini", "Home\r\n50000\r\nAway\r\n48500\r\n"))
        fail("data files not written");

    NoMessages messages;
    NoProcesses processes;
    zental::MainWindow window({messages, processes, zental::Separators{".", ","}});
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        fail("window not exposed");
    QApplication::processEvents();

    auto* hydrogen = window.findChild<QAbstractButton*>(QStringLiteral("Command0"));
    auto* tin = window.findChild<QAbstractButton*>(QStringLiteral("Command50"));
    auto* compoundFreq = window.findChild<QAbstractButton*>(QStringLiteral("C_F"));
    auto* combo = window.findChild<QComboBox*>(QStringLiteral("Combo1"));
    auto* ntValue = window.findChild<QLineEdit*>(QStringLiteral("NT_V"));
    auto* frequency0 = window.findChild<QLabel*>(QStringLiteral("NMR_f_0"));
    auto* frequency2 = window.findChild<QLabel*>(QStringLiteral("NMR_f_2"));
    if (!hydrogen || !tin || !compoundFreq || !combo || !ntValue || !frequency0 || !frequency2)
        fail("a control was not found by its object name");
    if (ntValue->text() != QStringLiteral("50000"))
        fail("NT value not read from ZENTAL.ini");
    if (combo->count() != 51)
        fail("Compounds.ini did not give 51 entries");

    // The presses do what they should before they are timed.
    hydrogen->click();
    if (frequency0->text() != QStringLiteral("2127.65957446808"))
        fail("hydrogen press shows a wrong frequency");
    tin->click();
    if (frequency2->text() != QStringLiteral("793.021276595745"))
        fail("tin press shows a wrong frequency");
    combo->setCurrentIndex(50);
    compoundFreq->click();
    if (frequency0->text().isEmpty() || messages.shown != 0)
        fail("compound press failed");
    QApplication::processEvents();

    PaintCounter paintCounter;
    app.installEventFilter(&paintCounter);

    using Clock = std::chrono::steady_clock;
    const auto paintPending = [] {
        QApplication::processEvents();
    };
    const auto measure = [&](const std::string& name, int n, const std::function<void()>& timed,
                             const std::function<void()>& between) {
        std::vector<double> us;
        us.reserve(static_cast<size_t>(n));
        long long paints = 0;
        for (int k = -n / 20 - 1; k < n; ++k) { // the first few are warm-up
            between();
            paintPending();
            const long long paintsBefore = paintCounter.paints;
            const Clock::time_point start = Clock::now();
            timed();
            const Clock::time_point end = Clock::now();
            if (k >= 0) {
                us.push_back(std::chrono::duration<double, std::micro>(end - start).count());
                paints += paintCounter.paints - paintsBefore;
            }
            paintPending();
        }
        return summarise(name, std::move(us), static_cast<double>(paints) / n);
    };

    QWidget* const windowWidget = &window;
    std::vector<Stats> results;
    const auto pressH = [&] {
        hydrogen->click();
    };
    const auto pressSn = [&] {
        tin->click();
    };
    const auto pressCompound = [&] {
        compoundFreq->click();
    };

    results.push_back(measure("press 1 H", iterations(20000), pressH, pressSn));
    results.push_back(measure("press 50 Sn", iterations(20000), pressSn, pressH));
    results.push_back(measure(
        "press 1 H + paint of what changed", iterations(5000),
        [&] {
            pressH();
            paintPending();
        },
        pressSn));
    results.push_back(measure(
        "press 1 H + repaint of the window", iterations(2000),
        [&] {
            pressH();
            windowWidget->repaint();
        },
        pressSn));
    results.push_back(measure(
        "repaint of the window alone", iterations(2000), [&] { windowWidget->repaint(); }, [] {}));
    combo->setCurrentIndex(50);
    results.push_back(
        measure("Compound freq, pair 51 of 51", iterations(10000), pressCompound, pressH));
    results.push_back(measure(
        "Compound freq, pair 51 + paint", iterations(5000),
        [&] {
            pressCompound();
            paintPending();
        },
        pressH));
    combo->setCurrentIndex(0);
    results.push_back(
        measure("Compound freq, pair 1 of 51", iterations(10000), pressCompound, pressH));

    if (messages.shown != 0)
        fail("a message was shown while timing");

    printStats(results, true);
    if (!jsonPath.isEmpty() && !writeStatsJson(QFile::encodeName(jsonPath).constData(), results))
        fail("cannot write the JSON file");
    // Closing would write ZENTAL.ini into the temporary folder; skip it, the folder goes anyway.
    return 0;
}
