// The bare Qt main window that startup_bench starts beside the program: a QApplication and one
// QMainWindow of the size given (the program's main window's), nothing else linked.
//   startup_bare_qt --start-report=<fd> <width> <height>
#include "bench/StartupChild.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    const int fd = StartReportFd(argc, argv);
    const int width = argc > 3 ? atoi(argv[2]) : 640;
    const int height = argc > 3 ? atoi(argv[3]) : 480;
    int qtArgc = 1;
    QApplication qtApp(qtArgc, argv);
    QMainWindow window;
    window.resize(width, height);
    TFirstExposure exposure([fd, &window] {
        ReportShown(fd, &window);
        QCoreApplication::quit();
    });
    window.show();
    return QApplication::exec();
}
