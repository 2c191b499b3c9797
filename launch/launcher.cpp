#include "launcher.h"

#include <QProcess>

namespace zental {

bool DetachedProcessStarter::startDetached(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}

QString editorFailureMessage(const QString& filePath, const LaunchOutcome& outcome) {
    return QStringLiteral("No text editor could be started to open \"%1\". Tried:\n%2")
        .arg(filePath, outcome.commandLines.join(u'\n'));
}

QString browserFailureMessage(const LaunchOutcome& outcome) {
    return QStringLiteral("The web browser could not be started to open the calculator page. "
                          "Tried:\n%1")
        .arg(outcome.commandLines.join(u'\n'));
}

Launcher::Launcher(ProcessStarter& starter, PlatformPrograms programs)
    : m_starter(starter)
    , m_programs(std::move(programs)) {}

bool Launcher::start(const Program& program, const QString& argument, LaunchOutcome& outcome) {
    outcome.commandLines << program.commandLine(argument);
    outcome.started = m_starter.startDetached(program.path, program.arguments(argument));
    return outcome.started;
}

LaunchOutcome Launcher::openInEditor(const QString& filePath) {
    LaunchOutcome outcome;
    if (!start(m_programs.firstEditor, filePath, outcome))
        start(m_programs.secondEditor, filePath, outcome);
    return outcome;
}

LaunchOutcome Launcher::openCalculatorPage() {
    LaunchOutcome outcome;
    start(m_programs.browser, calculatorPageAddress, outcome);
    return outcome;
}

} // namespace zental
