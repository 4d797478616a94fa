// kehrzaehler-cli: the search engine without a window. Writes the final text of the result
// list to standard output, byte for byte.
#include "cli/options.h"
#include "cli/search.h"

#include "engine/conversions.h"
#include "engine/searchlimits.h"
#include "engine/texts.h"
#include "engine/version.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kExitMessage = 2;
constexpr int kExitUsage = 64;
constexpr int kExitOutput = 74;

bool write(std::FILE *stream, const std::string &text)
{
    return std::fwrite(text.data(), 1, text.size(), stream) == text.size() &&
           std::fflush(stream) == 0;
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
    if (options.help)
        return write(stdout, cli::kUsage) ? 0 : kExitOutput;
    if (options.version)
        return write(stdout, std::string(texts::kProgramTitle) + " " + kVersion + "\n")
                   ? 0
                   : kExitOutput;

    if (!options.einzelfall && !rangeIsSearchable(Val(options.von), Val(options.bis))) {
        std::fprintf(stderr, "%s\n", rangeTooLargeMessage().c_str());
        return kExitMessage;
    }

    const cli::Outcome outcome = cli::run(options, stdout);
    if (!outcome.message.empty()) {
        std::fprintf(stderr, "%s\n", outcome.message.c_str());
        return kExitMessage;
    }
    if (outcome.writeFailed) {
        std::fprintf(stderr, "kehrzaehler-cli: Ausgabe konnte nicht geschrieben werden\n");
        return kExitOutput;
    }
    return 0;
}
