#include "launch/launcher.h"

#include "core/messages.h"

#include <QProcess>

namespace zental {

bool DetachedProcessStarter::startDetached(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}

Launcher::Launcher(ProcessStarter& starter, PlatformPrograms programs)
    : m_starter(starter)
    , m_programs(std::move(programs)) {}

bool Launcher::start(const Program& program, const QString& argument, QStringList& tried) {
    tried << program.commandLine(argument);
    return m_starter.startDetached(program.path, program.arguments(argument));
}

Status Launcher::openInEditor(const QString& filePath) {
    QStringList tried;
    if (start(m_programs.firstEditor, filePath, tried) ||
        start(m_programs.secondEditor, filePath, tried))
        return Done{};
    return Failure{editorFailureMessage(filePath, tried)};
}

Status Launcher::openCalculatorPage() {
    QStringList tried;
    if (start(m_programs.browser, calculatorPageAddress, tried))
        return Done{};
    return Failure{browserFailureMessage(tried)};
}

} // namespace zental
