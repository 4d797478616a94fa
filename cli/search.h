// Runs the engine over plain values for kehrzaehler-cli, optionally splitting a plain search
// over several threads.
#pragma once

#include "cli/options.h"

#include <string>

namespace kz::cli {

struct Outcome {
    std::string resultList; // final text of the result list
    std::string message;    // text of a message box, if one was shown
};

Outcome run(const Options &options);

} // namespace kz::cli
