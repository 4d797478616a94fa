#include "tests/support/reference.h"

#include "engine/conversions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace kz::test {
namespace {

struct CliRun {
    std::string out, err;
    int status = -1;
};

struct HowToRun {
    const char *stdoutFile = nullptr;    // takes standard output instead of a pipe
    rlim_t addressSpace = RLIM_INFINITY; // bytes the program may map
    bool terminal = false;               // standard output on a terminal in raw mode
};

// Runs the CLI with both output streams on pipes of their own: no file is shared between test
// runs, whoever runs them.
CliRun runCli(const std::vector<std::string> &arguments, HowToRun how = {})
{
    CliRun run;
    int out[2], err[2];
    if (how.terminal) {
        if (openpty(&out[0], &out[1], nullptr, nullptr, nullptr) != 0)
            return run;
        termios raw;
        tcgetattr(out[1], &raw);
        cfmakeraw(&raw); // the bytes as written, without the terminal's line-end translation
        tcsetattr(out[1], TCSANOW, &raw);
    } else if (pipe(out) != 0) {
        return run;
    }
    if (pipe(err) != 0)
        return run;
    std::vector<std::string> words = {KZ_CLI_PATH};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char *> argv;
    for (auto &w : words)
        argv.push_back(w.data());
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        const int target = how.stdoutFile ? open(how.stdoutFile, O_WRONLY) : out[1];
        dup2(target, 1);
        dup2(err[1], 2);
        close(out[0]);
        close(err[0]);
        const rlimit limit{how.addressSpace, how.addressSpace};
        setrlimit(RLIMIT_AS, &limit);
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
            if (streams[k].fd < 0 || !(streams[k].revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            char buffer[65536];
            const ssize_t n = read(streams[k].fd, buffer, sizeof buffer);
            if (n > 0) {
                texts[k]->append(buffer, std::size_t(n));
            } else {
                close(streams[k].fd); // a terminal's end reads as an error once the child is gone
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
    const CliRun run = runCli({"--basis", "16", "--von", " 1000", "--bis=4E3", "--filter", "202"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, referenceEntries(1000, 4000, 16, {2, 0, 2}) + "fertig") << "greyed is clear";

    const CliRun typedBase = runCli({"--basis", "abc", "--bis", "2000"});
    EXPECT_EQ(typedBase.out, referenceEntries(1, 2000, 10) + "fertig")
        << "a base below 2 searches base 10";
}

TEST(Cli, ThreadsGiveTheSameList)
{
    const struct {
        const char *name;
        std::vector<std::string> arguments;
        const char *threads;
        int runs;
    } rows[] = {
        {"base 2 on the most threads a user may ask for",
         {"--basis", "2", "--bis", "1500000", "--filter", "000"},
         "256",
         1},
        {"a range across a decade",
         {"--von", "99990", "--bis", "1000005", "--filter", "000"},
         "3",
         1},
        {"negative numbers",
         {"--basis", "16", "--von", "-300000", "--bis", "300000", "--filter", "100"},
         "3",
         1},
        {"a fractional base", {"--basis", "7.9", "--bis", "20", "--filter", "000"}, "3", 1},
        {"a fractional lower bound",
         {"--von", "0.5", "--bis", "600000", "--filter", "000"},
         "3",
         1},
        // Caught fault: the last chunk ending at the bound rounded up, which adds 700007.
        {"a fractional upper bound over more numbers than one chunk",
         {"--bis", "700006.5", "--filter", "000"},
         "3",
         1},
        // Caught fault: a finished chunk written into the slot of another one that still waits.
        {"64 chunks through 8 slots, run after run",
         {"--bis", "16777216", "--filter", "000"},
         "2",
         5},
    };
    for (const auto &row : rows) {
        auto single = row.arguments, split = row.arguments;
        single.insert(single.end(), {"--threads", "1"});
        split.insert(split.end(), {"--threads", row.threads});
        const CliRun one = runCli(single);
        EXPECT_EQ(one.status, 0) << row.name;
        EXPECT_EQ(one.out.substr(one.out.size() - 6), "fertig") << row.name;
        for (int run = 1; run <= row.runs; ++run) {
            const CliRun many = runCli(split);
            EXPECT_EQ(many.status, 0) << row.name;
            EXPECT_EQ(one.out, many.out) << row.name << ", run " << run;
        }
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
        {{"--basis", "11", "--einzelfall", "9801"}, "kehrzaehler-cli: S muß kleiner als 10 sein\n"},
        {{"--einzelfall", "12.5"},
         "kehrzaehler-cli: Bitte eine ganze Zahl mit höchstens 15 Stellen eingeben\n"},
        {{"--basis", "2147483648"}, "kehrzaehler-cli: S muß kleiner als 2147483648 sein\n"},
        {{"--basis", "1", "--stellen", "4"},
         "kehrzaehler-cli: Die Basis muß zwischen 2 und 10000 liegen\n"},
        {{"--basis", "2-10001", "--multiplikatoren"},
         "kehrzaehler-cli: Die Basis muß zwischen 2 und 10000 liegen\n"},
        {{"--stellen", "0-3"},
         "kehrzaehler-cli: Die Stellenzahl muß zwischen 1 und 1000000 liegen\n"},
        {{"--graph", "10"},
         "kehrzaehler-cli: Q muß mindestens 2 und kleiner als die Basis S = 10 sein\n"},
        // Refused at once, not after hours of counting.
        {{"--basis", "1000", "--erzeugende"},
         "kehrzaehler-cli: Die erzeugende Funktion dieser Basis hätte mehr als 4000 Glieder; sie "
         "wird nicht berechnet\n"},
    };
    for (const auto &c : cases) {
        const CliRun run = runCli(c.arguments);
        EXPECT_EQ(run.status, 2) << c.message;
        EXPECT_EQ(run.err, c.message);
        EXPECT_EQ(run.out, "");
    }
}

// Catches a list that runs the machine out of memory instead of being refused: base 10000 lists
// its 2-digit Kehrzahlen, then needs the graphs of every Q for walks of half a million steps.
TEST(Cli, ListTooLargeForMemoryIsRefused)
{
    const CliRun run = runCli({"--basis", "10000", "--stellen", "2-1000000"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "kehrzaehler-cli: Die Liste bis 1000000 Stellen bräuchte mehr als 160 MB "
                       "Arbeitsspeicher\n");
    EXPECT_EQ(run.out.find("fertig"), std::string::npos) << "a refused list is not finished";
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
    for (auto arguments :
         std::vector<std::vector<std::string>>{{"--foo"},
                                               {"positional"},
                                               {"--basis"},
                                               {"--filter", "12"},
                                               {"--filter", "113"},
                                               {"--filter", "1100"},
                                               {"--threads", "0"},
                                               {"--threads", "257"},
                                               {"--threads", "two"},
                                               {"--help=yes"},
                                               {"--stellen", "4.5"},
                                               {"--stellen", "8-4"},
                                               {"--stellen", "-4"},
                                               {"--anzahl"},
                                               {"--basis", "abc", "--stellen", "4"},
                                               {"--basis", "2-5", "--graph", "2"},
                                               {"--graph", "Q"},
                                               {"--stellen", "4", "--von", "1"},
                                               {"--graph", "4", "--stellen", "4"}}) {
        const CliRun run = runCli(arguments);
        EXPECT_EQ(run.status, 64) << arguments[0];
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
}

// Kehrzahlen are the search's hits with Q > 1 that do not end in 0, found without a search.
TEST(Cli, DigitPairListIsTheSearchsList)
{
    const CliRun walk = runCli({"--basis", "7", "--stellen", "2-5"});
    const CliRun search =
        runCli({"--basis", "7", "--von", "7", "--bis", "16806", "--filter", "100"});
    std::string rest, kept;
    for (const auto &entry : entriesOf(search.out, &rest))
        if (static_cast<std::int64_t>(Val(entry)) % 7 != 0)
            kept += entry;
    EXPECT_EQ(walk.status, 0);
    EXPECT_EQ(walk.out, kept + rest);
    EXPECT_EQ(rest, "fertig");
}

TEST(Cli, CountsAndMultipliersLineByLine)
{
    // Sloane, "2178 and all that" (2014): two with 4 digits in base 10, 1089 and 2178 reversed;
    // OEIS A222817: the quotients of bases 3 to 5.
    EXPECT_EQ(runCli({"--stellen", "3-4", "--anzahl"}).out,
              "3 Stellen: 0\n4 Stellen: 2  (Q=4: 1, Q=9: 1)\n");
    EXPECT_EQ(runCli({"--multiplikatoren", "--basis", "2-5"}).out, "2:\n3: 2\n4: 3\n5: 2 4\n");
    // The widest range of bases these modes take: 2 to 10000, both ends included. The two-digit
    // counts of base 10000 come from trying every pair of digits a, b: (aS + b) / (bS + a).
    EXPECT_EQ(runCli({"--multiplikatoren", "--basis", "2-2"}).out, "2:\n");
    EXPECT_EQ(runCli({"--stellen", "2", "--anzahl", "--basis", "10000"}).out,
              "2 Stellen: 28  (Q=72: 1, Q=136: 9, Q=145: 4, Q=364: 6, Q=958: 4, Q=2627: 2, "
              "Q=2773: 2)\n");
    // Both quotients of base 10 have F(k) Kehrzahlen with 2k + 2 and 2k + 3 digits, F the
    // Fibonacci numbers: 8712, 87912, 879912, 8799912, then 87128712 and 87999912, and so on.
    EXPECT_EQ(runCli({"--erzeugende"}).out, "Q=4: (x^4 + x^5)/(1 - x^2 - x^4)\n"
                                            "Q=9: (x^4 + x^5)/(1 - x^2 - x^4)\n"
                                            "Summe: (2*x^4 + 2*x^5)/(1 - x^2 - x^4)\n");
    const CliRun graph = runCli({"--graph", "4"});
    EXPECT_EQ(graph.status, 0);
    EXPECT_EQ(graph.out.rfind("digraph", 0), 0u);
}

TEST(Cli, FailedOutputIsNoSuccess)
{
    // A long list fails while it is written, a short one only when it is flushed at the end.
    for (auto arguments :
         std::vector<std::vector<std::string>>{{"--filter", "000"},
                                               {"--bis", "10"},
                                               {"--einzelfall", "9801"},
                                               {"--stellen", "4"},
                                               {"--stellen", "1-40", "--anzahl"}}) {
        const CliRun run = runCli(arguments, {.stdoutFile = "/dev/full"});
        EXPECT_EQ(run.status, 74) << arguments[1];
        EXPECT_NE(run.err.find("nicht geschrieben"), std::string::npos) << arguments[1];
    }
}

TEST(Cli, VersionAndHelp)
{
    EXPECT_EQ(runCli({"--version"}).out, "Kehrzähler 1.00\n");
    const CliRun help = runCli({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char *option : {"--basis", "--von", "--bis", "--filter", "--einzelfall", "--threads",
                               "--stellen", "--anzahl", "--multiplikatoren", "--graph"})
        EXPECT_NE(help.out.find(option), std::string::npos) << option;
}

} // namespace
} // namespace kz::test
