// Starting the text editor on a data file and the web browser on the calculator page. Programs
// start detached and are never waited for.
#pragma once

#include "core/result.h"
#include "launch/programs.h"

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

// Tries the platform's programs in turn; a failure names every command line tried.
class Launcher {
public:
    Launcher(ProcessStarter& starter, PlatformPrograms programs);

    Status openInEditor(const QString& filePath);
    Status openCalculatorPage();

private:
    bool start(const Program& program, const QString& argument, QStringList& tried);

    ProcessStarter& m_starter;
    PlatformPrograms m_programs;
};

} // namespace zental
