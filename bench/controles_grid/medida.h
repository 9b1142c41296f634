#pragma once
// How the grid's whole-grid benchmarks are measured: one run per repetition, five
// repetitions, the minimum reported beside the median.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

inline double Minimo(const std::vector<double>& v) {
    return v.empty() ? 0.0 : *std::min_element(v.begin(), v.end());
}

#define MEDIDA_UNA_VEZ(f)                                                                          \
    BENCHMARK(f)                                                                                   \
        ->Unit(benchmark::kMillisecond)                                                            \
        ->Iterations(1)                                                                            \
        ->Repetitions(5)                                                                           \
        ->ComputeStatistics("min", Minimo)                                                         \
        ->ReportAggregatesOnly(true)
