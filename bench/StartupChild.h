#pragma once
// The child side of bench/startup_bench: a started program says over a pipe when its first window
// is on the screen. The program's own start (in startup_bench) and the bare Qt window
// (startup_bare_qt) use the same watch, so both stop the clock at the same moment.
//   <program> --start-report=<fd>
// The line written is "<QPA platform> <width>x<height>" of the window shown.

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <utility>

#include <unistd.h>

inline constexpr char Start_Report_Option[] = "--start-report=";

// The pipe to report on when the program was started by the benchmark, else -1.
inline int StartReportFd(int argc, char** argv)
{
    const size_t length = strlen(Start_Report_Option);
    for (int i = 1; i < argc; ++i)
        if (strncmp(argv[i], Start_Report_Option, length) == 0) return atoi(argv[i] + length);
    return -1;
}

// Calls Shown once, after the first top-level window has been exposed and its expose, which
// paints and flushes the window, has been handled.
class TFirstExposure : public QObject {
public:
    explicit TFirstExposure(std::function<void()> Shown) : FShown(std::move(Shown))
    {
        QCoreApplication::instance()->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!FSeen && event->type() == QEvent::Expose) {
            auto* window = qobject_cast<QWindow*>(watched);
            if (window && window->isTopLevel() && window->isExposed()) {
                FSeen = true;
                QTimer::singleShot(0, this, [this] { FShown(); });
            }
        }
        return false;
    }

private:
    std::function<void()> FShown;
    bool FSeen = false;
};

inline void ReportShown(int fd, const QWidget* window)
{
    const QSize size = window ? window->size() : QSize();
    const std::string line = QGuiApplication::platformName().toStdString() + " " + std::to_string(size.width()) +
                             "x" + std::to_string(size.height()) + "\n";
    [[maybe_unused]] const ssize_t written = write(fd, line.data(), line.size());
    close(fd);
}
