#pragma once

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>
#include <unistd.h>

namespace kadoru {

// A folder of the benchmark's own below $KADORU_BENCH_DIR (default: the temporary
// folder), removed with everything in it at the end.
class BenchFolder {
public:
    BenchFolder() {
        namespace stdfs = std::filesystem;
        const char* base = std::getenv("KADORU_BENCH_DIR");
        std::string pattern = (base != nullptr ? stdfs::path(base) : stdfs::temp_directory_path()) /
                              "kadoru-bench-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    BenchFolder(const BenchFolder&) = delete;
    BenchFolder& operator=(const BenchFolder&) = delete;
    BenchFolder(BenchFolder&&) = delete;
    BenchFolder& operator=(BenchFolder&&) = delete;
    ~BenchFolder() {
        std::error_code error;
        std::filesystem::remove_all(path_, error);
    }

    const std::string& path() const { return path_; }

private:
    std::string path_;
};

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
