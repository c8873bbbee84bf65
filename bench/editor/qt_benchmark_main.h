#pragma once

// Editor benchmarks need a QApplication; without a display they draw offscreen.

#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdlib>

inline int run_editor_benchmarks(int argc, char* argv[]) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
