// The file-system services against the system's own tools, in the same run:
//   listing and sizing a folder of 20,000 files   vs  find DIR -maxdepth 1 -type f -printf '%s\n'
//   copying a 512 MiB file                         vs  cp FROM TO && sync TO
// The files live below $KADORU_BENCH_DIR (default: the temporary folder). Compare the
// medians; --benchmark_enable_random_interleaving=true spreads the machine's noise
// over both sides of each pair.
#include "bench_support.h"
#include "platform/linux/posix_file_system.h"

#include <array>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace kadoru {
namespace {

namespace stdfs = std::filesystem;

constexpr int folder_files = 20000;
constexpr std::size_t copy_size = std::size_t{512} << 20;

// The benchmark's files, made once and removed at the end of the run.
class Workbench {
public:
    Workbench() {
        stdfs::create_directory(folder());
        for (int i = 0; i < folder_files; ++i) {
            const std::string name = folder() + "/track " + std::to_string(i) + ".mp3";
            const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
            if (fd < 0 || ::ftruncate(fd, static_cast<off_t>(i % 97) * 4099) != 0)
                throw std::runtime_error("cannot make " + name);
            ::close(fd);
        }
        const std::vector<char> block(std::size_t{1} << 20, 'k');
        const int fd = ::open(source().c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        for (std::size_t done = 0; done < copy_size; done += block.size())
            if (::write(fd, block.data(), block.size()) != static_cast<ssize_t>(block.size()))
                throw std::runtime_error("cannot make the source file");
        ::fsync(fd);
        ::close(fd);
    }
    Workbench(const Workbench&) = delete;
    Workbench& operator=(const Workbench&) = delete;
    Workbench(Workbench&&) = delete;
    Workbench& operator=(Workbench&&) = delete;

    std::string folder() const { return root_.path() + "/folder"; }
    std::string source() const { return root_.path() + "/source.mp3"; }
    std::string target(const char* who) const { return root_.path() + "/copy-" + who + ".mp3"; }

private:
    BenchFolder root_;
};

const Workbench& workbench() {
    static const Workbench bench;
    return bench;
}

// Runs a command with its output read through a pipe, as a shell would.
void run(const std::vector<std::string>& command) {
    std::array<int, 2> out{};
    if (::pipe2(out.data(), O_CLOEXEC) != 0)
        throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    std::vector<char*> argv;
    argv.reserve(command.size() + 1);
    for (const auto& word : command)
        argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = ::posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    if (spawned != 0)
        throw std::runtime_error("cannot start " + command[0]);
    std::vector<char> buffer(std::size_t{1} << 16);
    std::size_t total = 0;
    for (ssize_t got; (got = ::read(out[0], buffer.data(), buffer.size())) > 0;)
        total += static_cast<std::size_t>(got);
    ::close(out[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(command[0] + " failed");
    benchmark::DoNotOptimize(total);
}

void list_folder(benchmark::State& state) {
    const PosixFileSystem fs;
    for (auto _ : state) {
        auto files = fs.files(workbench().folder());
        std::uint64_t bytes = 0;
        for (const auto& file : files)
            bytes += file.size;
        benchmark::DoNotOptimize(bytes);
        if (files.size() != folder_files)
            state.SkipWithError("wrong number of files");
    }
}

void list_folder_with_find(benchmark::State& state) {
    for (auto _ : state)
        run({"find", workbench().folder(), "-maxdepth", "1", "-type", "f", "-printf", "%s\n"});
}

void copy_file(benchmark::State& state) {
    PosixFileSystem fs;
    const std::string to = workbench().target("kadoru");
    for (auto _ : state)
        fs.copy_file(workbench().source(), to);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * copy_size));
}

void copy_file_with_cp_and_sync(benchmark::State& state) {
    const std::string to = workbench().target("cp");
    for (auto _ : state) {
        run({"cp", workbench().source(), to});
        run({"sync", to});
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * copy_size));
}

BENCHMARK(list_folder)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(9);
BENCHMARK(list_folder_with_find)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(9);
BENCHMARK(copy_file)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(7);
BENCHMARK(copy_file_with_cp_and_sync)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(7);

} // namespace
} // namespace kadoru

int main(int argc, char** argv) {
    return kadoru::run_benchmarks(argc, argv, [] { kadoru::workbench(); });
}
