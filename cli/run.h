// What kehrzaehler-cli does with its options: runs the mode they pick and writes its output.
#pragma once

#include "cli/options.h"
#include "cli/output.h"

#include <atomic>

namespace kz::cli {

// Throws MessageError (and whatever the library throws) where a run cannot go on. A set stop flag
// ends the run early, after whole entries; the run sets it itself once the output has failed.
void run(const Options &options, Output &out, std::atomic<bool> &stop);

} // namespace kz::cli
