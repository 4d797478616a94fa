#include "tests/support/reference.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kz::test {
namespace {

struct CliRun {
    std::string out, err;
    int status = -1;
};

// Runs the CLI with both output streams on pipes of their own: no file is shared between test
// runs, whoever runs them. stdoutFile, when given, takes standard output instead.
CliRun runCli(const std::vector<std::string> &arguments, const char *stdoutFile = nullptr)
{
    CliRun run;
    int out[2], err[2];
    if (pipe(out) != 0 || pipe(err) != 0)
        return run;
    std::vector<std::string> words = {KZ_CLI_PATH};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char *> argv;
    for (auto &w : words)
        argv.push_back(w.data());
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        const int target = stdoutFile ? open(stdoutFile, O_WRONLY) : out[1];
        dup2(target, 1);
        dup2(err[1], 2);
        close(out[0]);
        close(err[0]);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(out[1]);
    close(err[1]);
    pollfd streams[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    std::string *texts[2] = {&run.out, &run.err};
    for (int open = 2; open > 0;) {
        poll(streams, 2, -1);
        for (int k = 0; k < 2; ++k) {
            if (streams[k].fd < 0 || !(streams[k].revents & (POLLIN | POLLHUP)))
                continue;
            char buffer[65536];
            const ssize_t n = read(streams[k].fd, buffer, sizeof buffer);
            if (n > 0) {
                texts[k]->append(buffer, std::size_t(n));
            } else {
                close(streams[k].fd);
                streams[k].fd = -1;
                --open;
            }
        }
    }
    int status = 0;
    waitpid(child, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

TEST(Cli, DefaultsPrintTheStartUpList)
{
    const CliRun run = runCli({});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, referenceEntries(1, 100000, 10) + "fertig")
        << "byte for byte, no newline at the end";
    EXPECT_EQ(entriesOf(run.out).size(), 30u);
}

TEST(Cli, OptionsTakeFieldTexts)
{
    const CliRun run = runCli({"--basis", "16", "--von", " 1000", "--bis=4E3", "--filter", "000"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, referenceEntries(1000, 4000, 16, {0, 0, 0}) + "fertig");

    const CliRun typedBase = runCli({"--basis", "abc", "--bis", "2000"});
    EXPECT_EQ(typedBase.out, referenceEntries(1, 2000, 10) + "fertig")
        << "a base below 2 searches base 10";
}

TEST(Cli, ThreadsGiveTheSameList)
{
    const std::vector<std::vector<std::string>> settings = {
        {"--basis", "2", "--bis", "1500000", "--filter", "000"},
        {"--basis", "10", "--von", "99990", "--bis", "1000005", "--filter", "000"},
        {"--basis", "16", "--von", "-300000", "--bis", "300000", "--filter", "100"},
        {"--basis", "7.9", "--bis", "20", "--filter", "000"},
        {"--basis", "10", "--von", "0.5", "--bis", "600000", "--filter", "000"},
    };
    for (auto arguments : settings) {
        auto single = arguments, split = arguments;
        single.insert(single.end(), {"--threads", "1"});
        // 256 is the most a user may ask for.
        split.insert(split.end(), {"--threads", arguments[1] == "2" ? "256" : "3"});
        const CliRun one = runCli(single), three = runCli(split);
        EXPECT_EQ(one.status, 0);
        EXPECT_EQ(three.status, 0);
        EXPECT_EQ(one.out, three.out) << arguments[1] << " " << arguments[3];
        EXPECT_EQ(one.out.substr(one.out.size() - 6), "fertig");
    }
}

TEST(Cli, SingleCaseTest)
{
    const CliRun run = runCli({"--basis", "2", "--einzelfall", "1011"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "Im Zehnersystem ist das\r\n 11\r\nfertig");
}

TEST(Cli, MessageBoxesGoToStandardError)
{
    const struct {
        std::vector<std::string> arguments;
        const char *message;
    } cases[] = {
        {{"--basis", "11", "--einzelfall", "9801"}, "S muß kleiner als 10 sein\n"},
        {{"--einzelfall", "12.5"}, "Bitte eine ganze Zahl mit höchstens 15 Stellen eingeben\n"},
        {{"--basis", "2147483648"}, "S muß kleiner als 2147483648 sein\n"},
    };
    for (const auto &c : cases) {
        const CliRun run = runCli(c.arguments);
        EXPECT_EQ(run.status, 2) << c.message;
        EXPECT_EQ(run.err, c.message);
        EXPECT_EQ(run.out, "");
    }
}

TEST(Cli, RefusesBoundsAboveTheTestableRange)
{
    for (auto arguments : std::vector<std::vector<std::string>>{
             {"--bis", "2147483648"}, {"--von", "5", "--bis", "1E300"}, {"--bis", "1E999"}}) {
        const CliRun run = runCli(arguments);
        EXPECT_EQ(run.status, 2) << arguments.back();
        EXPECT_NE(run.err.find("2147483648"), std::string::npos);
        EXPECT_EQ(run.out, "");
    }
    const CliRun empty = runCli({"--von", "4E9", "--bis", "3E9"});
    EXPECT_EQ(empty.status, 0) << "an empty range includes no number";
    EXPECT_EQ(empty.out, "fertig");
    const CliRun highest =
        runCli({"--von", "2147483600", "--bis", "2147483647", "--filter", "000"});
    EXPECT_EQ(highest.status, 0);
    EXPECT_EQ(highest.out, referenceEntries(2147483600, 2147483647, 10, {0, 0, 0}) + "fertig");
}

TEST(Cli, BadOptionsGiveAUsageError)
{
    for (auto arguments : std::vector<std::vector<std::string>>{{"--foo"},
                                                                {"positional"},
                                                                {"--basis"},
                                                                {"--filter", "12"},
                                                                {"--filter", "113"},
                                                                {"--filter", "1100"},
                                                                {"--threads", "0"},
                                                                {"--threads", "257"},
                                                                {"--threads", "two"},
                                                                {"--help=yes"}}) {
        const CliRun run = runCli(arguments);
        EXPECT_EQ(run.status, 64) << arguments[0];
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
}

TEST(Cli, FailedOutputIsNoSuccess)
{
    // A long list fails while it is written, a short one only when it is flushed at the end.
    for (auto arguments : std::vector<std::vector<std::string>>{
             {"--filter", "000"}, {"--bis", "10"}, {"--einzelfall", "9801"}}) {
        const CliRun run = runCli(arguments, "/dev/full");
        EXPECT_EQ(run.status, 74) << arguments[1];
        EXPECT_NE(run.err.find("nicht geschrieben"), std::string::npos) << arguments[1];
    }
}

TEST(Cli, VersionAndHelp)
{
    EXPECT_EQ(runCli({"--version"}).out, "Kehrzähler 1.00\n");
    const CliRun help = runCli({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char *option :
         {"--basis", "--von", "--bis", "--filter", "--einzelfall", "--threads"})
        EXPECT_NE(help.out.find(option), std::string::npos) << option;
}

} // namespace
} // namespace kz::test
