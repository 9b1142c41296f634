#pragma once
// Start-up of the benchmark programs that need the window system: Qt's offscreen screen
// unless another platform is set, the application object made before any benchmark runs,
// then Google Benchmark's command line.

#include "plataforma/gui/kernel/qt_bridge.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

// Readies the window system and the benchmark library; false when the command line holds
// an argument that neither knows (it has been reported): the program should end with 1.
inline bool PrepararBancosConVentanas(int& argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    EnsureQtApplication();
    benchmark::Initialize(&argc, argv);
    return !benchmark::ReportUnrecognizedArguments(argc, argv);
}

// The whole of a main whose benchmarks are all registered with BENCHMARK().
inline int EjecutarBancosConVentanas(int argc, char** argv) {
    if (!PrepararBancosConVentanas(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
