// Command-line options of kehrzaehler-cli: each takes the text a user would type into the
// matching field of the window.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kz::cli {

struct Options {
    std::string basis = "10";
    std::string von = "1";
    std::string bis = "100000";
    int filter[3] = {1, 1, 0}; // chkNichttrivial, chkTeiler, chkzugross
    std::optional<std::string> einzelfall;
    unsigned threads = 0; // 0: one per core
    bool help = false;
    bool version = false;
};

struct ParseResult {
    Options options;
    std::string error; // empty when the command line was understood
};

ParseResult parseOptions(const std::vector<std::string> &arguments);

extern const char kUsage[];

} // namespace kz::cli
