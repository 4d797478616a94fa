// The digit-pair modes of kehrzaehler-cli: Kehrzahlen of any length listed, counted, their
// quotients per base and the carry graph, by the walks of kehrzahlen/ instead of a search. Each
// writes whole entries or lines and ends early, at an entry's end, once stop is set.
#pragma once

#include "cli/options.h"
#include "cli/output.h"

#include <atomic>

namespace kz::cli {

void runList(const Options &options, Output &out, std::atomic<bool> &stop);
void runCount(const Options &options, Output &out, std::atomic<bool> &stop);
void runMultiplikatoren(const Options &options, Output &out, std::atomic<bool> &stop);
void runGraph(const Options &options, Output &out, std::atomic<bool> &stop);
void runErzeugende(const Options &options, Output &out, std::atomic<bool> &stop);

} // namespace kz::cli
