// Runs the engine over plain values for kehrzaehler-cli and writes the final text of the result
// list, optionally splitting a plain search over several threads. Each returns the text of the
// message box the run showed instead of a list, or nothing.
#pragma once

#include "cli/options.h"
#include "cli/output.h"

#include <string>

namespace kz::cli {

std::string runSearch(const Options &options, Output &out);
std::string runSingleCase(const Options &options, Output &out);

} // namespace kz::cli
