// The digit-pair modes of kehrzaehler-cli: Kehrzahlen of any length listed, counted, their
// quotients per base and the carry graph, by the walk of kehrzahlen/ instead of a search. Each
// returns the message that refuses its values, or nothing.
#pragma once

#include "cli/options.h"
#include "cli/output.h"

#include <string>

namespace kz::cli {

std::string runList(const Options &options, Output &out);
std::string runCount(const Options &options, Output &out);
std::string runMultiplikatoren(const Options &options, Output &out);
std::string runGraph(const Options &options, Output &out);

} // namespace kz::cli
