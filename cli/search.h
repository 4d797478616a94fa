// The window's search and single-case test over plain values for kehrzaehler-cli, writing the
// final text of the result list. A plain search may be split over several threads. A message box
// of the engine is thrown as a MessageError; a set stop flag ends a search at an entry's end.
#pragma once

#include "cli/options.h"
#include "cli/output.h"

#include <atomic>

namespace kz::cli {

void runSearch(const Options &options, Output &out, std::atomic<bool> &stop);
void runSingleCase(const Options &options, Output &out);

} // namespace kz::cli
