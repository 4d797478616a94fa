// Runs the engine over plain values for kehrzaehler-cli and writes the final text of the result
// list, optionally splitting a plain search over several threads.
#pragma once

#include "cli/options.h"

#include <cstdio>
#include <string>

namespace kz::cli {

struct Outcome {
    std::string message; // text of a message box, if one was shown; then nothing was written
    bool writeFailed = false;
};

Outcome run(const Options &options, std::FILE *out);

} // namespace kz::cli
