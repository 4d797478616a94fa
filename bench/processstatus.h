// What the kernel says of this process, for the benchmarks that measure memory.
#pragma once

#include <fstream>
#include <string>

namespace kz::bench {

// Kilobytes of a /proc/self/status field (VmRSS, VmHWM); -1 where there is none.
inline long statusKb(const std::string &field)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(field + ":", 0) == 0)
            return std::stol(line.substr(field.size() + 1));
    return -1;
}

} // namespace kz::bench
