// kehrzaehler-cli: the search engine without a window, and the digit-pair search of Kehrzahlen of
// any length. Writes the final text of the result list to standard output, byte for byte.
#include "cli/digitpairs.h"
#include "cli/options.h"
#include "cli/output.h"
#include "cli/search.h"

#include "engine/texts.h"
#include "engine/version.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kExitMessage = 2;
constexpr int kExitUsage = 64;
constexpr int kExitOutput = 74;

std::string run(const kz::cli::Options &options, kz::cli::Output &out)
{
    using namespace kz::cli;
    switch (options.mode) {
    case Mode::Search:
        return runSearch(options, out);
    case Mode::SingleCase:
        return runSingleCase(options, out);
    case Mode::List:
        return runList(options, out);
    case Mode::Count:
        return runCount(options, out);
    case Mode::Multiplikatoren:
        return runMultiplikatoren(options, out);
    case Mode::Graph:
        return runGraph(options, out);
    }
    return {};
}

} // namespace

int main(int argc, char **argv)
{
    using namespace kz;
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const cli::ParseResult parsed = cli::parseOptions(arguments);
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "kehrzaehler-cli: %s (Hilfe: kehrzaehler-cli --help)\n",
                     parsed.error.c_str());
        return kExitUsage;
    }
    const cli::Options &options = parsed.options;
    cli::Output out(stdout);
    if (options.help)
        out.write(cli::usage());
    else if (options.version)
        out.write(std::string(texts::kProgramTitle) + " " + kVersion + "\n");
    else if (const std::string message = run(options, out); !message.empty()) {
        std::fprintf(stderr, "%s\n", message.c_str());
        return kExitMessage;
    }
    if (!out.finish()) {
        std::fprintf(stderr, "kehrzaehler-cli: Ausgabe konnte nicht geschrieben werden\n");
        return kExitOutput;
    }
    return 0;
}
