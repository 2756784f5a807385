#pragma once

#include <benchmark/benchmark.h>
#include <cstdio>
#include <exception>

namespace kadoru {

// The main of a benchmark whose files are made by prepare() before anything is
// timed; a failure to make them ends the program with its message.
template <class Prepare> int run_benchmarks(int argc, char** argv, Prepare prepare) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    try {
        prepare();
        benchmark::RunSpecifiedBenchmarks();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    benchmark::Shutdown();
    return 0;
}

} // namespace kadoru
