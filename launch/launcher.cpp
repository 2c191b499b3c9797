#include "launch/launcher.h"

#include "core/messages.h"

#include <QDir>
#include <QProcess>
#include <QTimer>

#ifdef Q_OS_WIN
#include <windows.h>

#include <shellapi.h>
#endif

namespace zental {
namespace {

#ifdef Q_OS_WIN
// Starts the program with the command line exactly as typed, the argument appended unquoted as
// the original appended it: Notepad takes all that follows its name, blanks and all, as one file
// name, where QProcess would quote it. The program is named apart from the line, so that no blank
// in its path makes Windows try a shorter one first. Shown normally, like window style 1.
bool startCommandLine(const Program& program, const QString& argument) {
    const std::wstring path = QDir::toNativeSeparators(program.path).toStdWString();
    std::wstring line = program.commandLine(argument).toStdWString();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(path.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

// The shell opens the address with the program the user chose for it, and says at once when
// there is none.
bool openWithShell(const QString& argument) {
    const std::wstring address = argument.toStdWString();
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32; // smaller values are errors
}
#else

// An opener runs as a child while it is watched, its output passed through, so that a pipe
// nobody reads never stops it. The child is never killed and its QProcess never deleted while
// it runs: the editor it may have become outlives the program.
void startWatched(const Program& program, const QString& argument,
                  std::function<void(bool)> started) {
    auto* process = new QProcess;
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setStandardInputFile(QProcess::nullDevice());
    auto report = std::make_shared<std::function<void(bool)>>(std::move(started));
    const auto once = [report](bool outcome) {
        if (*report)
            std::exchange(*report, nullptr)(outcome);
    };
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process, once](QProcess::ProcessError error) {
                         if (error == QProcess::FailedToStart) {
                             once(false);
                             process->deleteLater();
                         }
                     });
    QObject::connect(process, &QProcess::finished, process,
                     [process, once](int exitCode, QProcess::ExitStatus status) {
                         once(status == QProcess::NormalExit && exitCode == 0);
                         process->deleteLater();
                     });
    QTimer::singleShot(openerWatchMilliseconds, process, [once] { once(true); });
    process->start(program.path, program.arguments(argument));
}
#endif

} // namespace

void DetachedProcessStarter::start(const Program& program, const QString& argument,
                                   std::function<void(bool)> started) {
#ifdef Q_OS_WIN
    started(program.isOpener ? openWithShell(argument) : startCommandLine(program, argument));
#else
    if (program.isOpener)
        startWatched(program, argument, std::move(started));
    else
        started(QProcess::startDetached(program.path, program.arguments(argument)));
#endif
}

struct Launcher::Attempt {
    QList<Program> candidates;
    QString argument;
    std::function<QString(const QStringList&)> failure;
    Outcome done;
    QStringList tried;
};

Launcher::Launcher(ProcessStarter& starter, PlatformPrograms programs, QObject* context)
    : m_starter(starter)
    , m_programs(std::move(programs))
    , m_context(context) {}

void Launcher::openInEditor(const QString& filePath, Outcome done) {
    tryNext(std::make_shared<Attempt>(Attempt{
        m_programs.editors,
        filePath,
        [filePath](const QStringList& tried) { return editorFailureMessage(filePath, tried); },
        std::move(done),
        {}}));
}

void Launcher::openCalculatorPage(Outcome done) {
    tryNext(std::make_shared<Attempt>(Attempt{
        m_programs.browsers, calculatorPageAddress, browserFailureMessage, std::move(done), {}}));
}

void Launcher::tryNext(const std::shared_ptr<Attempt>& attempt) {
    if (attempt->tried.size() == attempt->candidates.size())
        return attempt->done(Failure{attempt->failure(attempt->tried)});
    const Program& program = attempt->candidates[attempt->tried.size()];
    attempt->tried << program.commandLine(attempt->argument);
    // The window that asked may be closed before an opener's outcome is known.
    m_starter.start(program, attempt->argument, [this, context = m_context, attempt](bool started) {
        if (!context)
            return;
        if (started)
            attempt->done(Done{});
        else
            tryNext(attempt);
    });
}

} // namespace zental
