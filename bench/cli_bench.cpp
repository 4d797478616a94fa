// kehrzaehler-cli as a whole process, output to /dev/null.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

bool runCli(const std::vector<std::string> &arguments)
{
    std::vector<char *> argv{const_cast<char *>(KZ_CLI_PATH)};
    for (const auto &a : arguments)
        argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int error = posix_spawn(&pid, KZ_CLI_PATH, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    return error == 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

void runBenchmark(benchmark::State &state, const std::vector<std::string> &arguments)
{
    for (auto _ : state) {
        if (!runCli(arguments))
            state.SkipWithError("kehrzaehler-cli failed");
    }
}

void BM_CliDefaultFilters(benchmark::State &state)
{
    runBenchmark(state, {"--bis", std::to_string(state.range(0)), "--threads", "1"});
}
BENCHMARK(BM_CliDefaultFilters)->Arg(100000)->Arg(100000000)->Unit(benchmark::kMillisecond);

void BM_CliWholeRange(benchmark::State &state)
{
    runBenchmark(
        state, {"--von", "1", "--bis", "2147483647", "--threads", std::to_string(state.range(0))});
}
BENCHMARK(BM_CliWholeRange)
    ->ArgName("threads")
    ->Arg(1)
    ->Arg(2)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

// The digit-pair modes as whole processes, beside a process that only starts and says its version.
void BM_CliVersion(benchmark::State &state)
{
    runBenchmark(state, {"--version"});
}
BENCHMARK(BM_CliVersion)->Unit(benchmark::kMillisecond);

void BM_CliKehrCounts(benchmark::State &state)
{
    runBenchmark(state, {"--stellen", "1-1000", "--anzahl"});
}
BENCHMARK(BM_CliKehrCounts)->Unit(benchmark::kMillisecond);

void BM_CliKehrList40(benchmark::State &state)
{
    runBenchmark(state, {"--stellen", "40"});
}
BENCHMARK(BM_CliKehrList40)->Unit(benchmark::kMillisecond);

void BM_CliKehrmultiplikatoren(benchmark::State &state)
{
    runBenchmark(state, {"--multiplikatoren", "--basis", "2-1000"});
}
BENCHMARK(BM_CliKehrmultiplikatoren)->Unit(benchmark::kMillisecond);

} // namespace
