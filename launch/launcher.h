// Starting the text editor on a data file and the web browser on the calculator page. Programs
// start detached; only an opener is watched, for a moment, to see whether it failed.
#pragma once

#include "core/result.h"
#include "launch/programs.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

namespace zental {

// The one place a process is started, so tests can see what would run without running it.
class ProcessStarter {
public:
    virtual ~ProcessStarter() = default;
    // Starts `program` with its arguments, never through a shell: each handed over whole, or on
    // Windows in the command line as typed. Tells `started` whether it did. An opener that exits
    // with an error within `openerWatchMilliseconds` did not. `started` may be called before this
    // returns.
    virtual void start(const Program& program, const QString& argument,
                       std::function<void(bool)> started) = 0;
};

inline constexpr int openerWatchMilliseconds = 2000;

class DetachedProcessStarter : public ProcessStarter {
public:
    void start(const Program& program, const QString& argument,
               std::function<void(bool)> started) override;
};

// Tries the candidates in turn until one starts; a failure names every command line tried.
// The outcome reaches `done` unless `context` (the window asking) has gone by then.
class Launcher {
public:
    using Outcome = std::function<void(const Status&)>;

    Launcher(ProcessStarter& starter, PlatformPrograms programs, QObject* context);

    void openInEditor(const QString& filePath, Outcome done);
    void openCalculatorPage(Outcome done);

private:
    struct Attempt;
    void tryNext(const std::shared_ptr<Attempt>& attempt);

    ProcessStarter& m_starter;
    PlatformPrograms m_programs;
    QPointer<QObject> m_context;
};

} // namespace zental
