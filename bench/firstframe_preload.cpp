// Loaded with LD_PRELOAD into a Qt Widgets program (the real one or the minimal window alike):
// notes when the program's first frame has been painted, writes the times and ends the process.
//
// "First painted frame": the first QEvent::Paint delivered to any widget starts the first
// backing-store sync; a queued call made at that moment runs when the event loop regains
// control, i.e. after every widget of that sync has painted and the frame has been flushed to
// the platform window. That moment is the mark. Nothing in the program is changed: the library
// only installs an application-wide event filter from a QCoreApplication start-up routine.
//
// Environment (read by this library only):
//   FIRSTFRAME_REPORT  file to write the one-line report to (default: standard error)
//   FIRSTFRAME_CENSUS  when set, also lists the widget classes of every top-level window
//   FIRSTFRAME_GRAB    when set, saves the first visible top-level window as this PNG file
//
// Report: "firstframe loaded=<ns> app=<ns> shown=<ns> exposed=<ns> paint=<ns> frame=<ns>",
// CLOCK_MONOTONIC nanoseconds (the clock Python's time.monotonic_ns and steady_clock read).
//   loaded  this library's static initialiser: every shared library mapped and relocated
//   app     QCoreApplication's start-up routines (inside the QApplication constructor)
//   shown   first QEvent::Show to a top-level widget
//   exposed first QEvent::Expose to a QWindow
//   paint   first QEvent::Paint to a widget
//   frame   the first frame painted and flushed
#include <QApplication>
#include <QEvent>
#include <QMetaObject>
#include <QPixmap>
#include <QWidget>

#include <fcntl.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

namespace {

long long monotonicNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

struct Marks {
    long long loaded = 0;
    long long app = 0;
    long long shown = 0;
    long long exposed = 0;
    long long paint = 0;
};

Marks marks;
const long long loadedAt = (marks.loaded = monotonicNs());

void writeAll(int fd, const std::string& text) {
    const char* data = text.data();
    size_t left = text.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, left);
        if (written <= 0)
            return;
        data += written;
        left -= static_cast<size_t>(written);
    }
}

std::string census() {
    std::string text;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (!top->isVisible())
            continue;
        std::map<std::string, int> counts;
        for (QWidget* widget : top->findChildren<QWidget*>())
            ++counts[widget->metaObject()->className()];
        text += "census window=";
        text += top->metaObject()->className();
        for (const auto& [name, count] : counts)
            text += " " + name + "=" + std::to_string(count);
        text += " actions=" + std::to_string(top->findChildren<QAction*>().size());
        text += "\n";
    }
    return text;
}

class FirstFrameFilter : public QObject {
public:
    bool eventFilter(QObject* object, QEvent* event) override {
        switch (event->type()) {
        case QEvent::Show:
            if (!marks.shown && object->isWidgetType() && static_cast<QWidget*>(object)->isWindow())
                marks.shown = monotonicNs();
            break;
        case QEvent::Expose:
            if (!marks.exposed && object->isWindowType())
                marks.exposed = monotonicNs();
            break;
        case QEvent::Paint:
            if (!marks.paint && object->isWidgetType()) {
                marks.paint = monotonicNs();
                QMetaObject::invokeMethod(this, &FirstFrameFilter::finish, Qt::QueuedConnection);
            }
            break;
        default:
            break;
        }
        return false;
    }

private:
    void finish() {
        const long long frame = monotonicNs();
        std::string text =
            "firstframe loaded=" + std::to_string(marks.loaded) +
            " app=" + std::to_string(marks.app) + " shown=" + std::to_string(marks.shown) +
            " exposed=" + std::to_string(marks.exposed) + " paint=" + std::to_string(marks.paint) +
            " frame=" + std::to_string(frame) + "\n";
        if (std::getenv("FIRSTFRAME_CENSUS"))
            text += census();
        if (const char* path = std::getenv("FIRSTFRAME_GRAB"))
            for (QWidget* top : QApplication::topLevelWidgets())
                if (top->isVisible()) {
                    top->grab().save(QString::fromLocal8Bit(path), "PNG");
                    break;
                }
        int fd = 2;
        if (const char* path = std::getenv("FIRSTFRAME_REPORT"))
            fd = ::open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd >= 0)
            writeAll(fd, text);
        std::_Exit(fd >= 0 ? 0 : 3);
    }
};

void installFirstFrameFilter() {
    (void)loadedAt;
    marks.app = monotonicNs();
    // Never deleted: the process ends in finish().
    QCoreApplication::instance()->installEventFilter(new FirstFrameFilter);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installFirstFrameFilter)
