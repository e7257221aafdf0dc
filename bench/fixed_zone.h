// For benchmark programs whose figures depend on local time: every run reads local times in
// Tokyo's zone, so that runs on machines set to different zones compare.
#pragma once
#include <benchmark/benchmark.h>

#include <cstdlib>

// The whole of such a program's main.
inline int RunBenchmarksInFixedZone(int argc, char** argv) {
    setenv("TZ", "Asia/Tokyo", 1);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
