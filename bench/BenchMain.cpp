#include "bench/BenchMain.h"

#include <QApplication>
#include <benchmark/benchmark.h>

int RunBenchmarks(int argc, char** argv, TRegisterBenchmarks Register)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (Register) Register();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
