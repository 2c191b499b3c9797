// Starting the text editor on a data file and the web browser on the calculator page. Programs
// start detached and are never waited for.
#pragma once

#include "programs.h"

namespace zental {

// The one place a process is started, so tests can see what would run without running it.
class ProcessStarter {
public:
    virtual ~ProcessStarter() = default;
    // Starts `program` with `arguments`, each handed over whole, never through a shell.
    virtual bool startDetached(const QString& program, const QStringList& arguments) = 0;
};

class DetachedProcessStarter : public ProcessStarter {
public:
    bool startDetached(const QString& program, const QStringList& arguments) override;
};

struct LaunchOutcome {
    bool started = false;
    QStringList commandLines; // every command line tried, in order
};

// What to tell the user when no program could be started.
QString editorFailureMessage(const QString& filePath, const LaunchOutcome& outcome);
QString browserFailureMessage(const LaunchOutcome& outcome);

class Launcher {
public:
    Launcher(ProcessStarter& starter, PlatformPrograms programs);

    LaunchOutcome openInEditor(const QString& filePath);
    LaunchOutcome openCalculatorPage();

private:
    bool start(const Program& program, const QString& argument, LaunchOutcome& outcome);

    ProcessStarter& m_starter;
    PlatformPrograms m_programs;
};

} // namespace zental
