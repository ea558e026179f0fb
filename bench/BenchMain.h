#pragma once
// The start of every benchmark program: a headless application (the windows are real but never
// reach a screen, as in the tests), the benchmarks registered at run time, then Google Benchmark.

using TRegisterBenchmarks = void (*)();

int RunBenchmarks(int argc, char** argv, TRegisterBenchmarks Register = nullptr);
