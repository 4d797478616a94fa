#include "reference_loop.h"

namespace kz::bench {

std::uint64_t incrementalReferenceLoop(std::uint32_t last, std::uint32_t base)
{
    // digit[k] is the k-th digit from the right; in the mirror number it weighs base^(len-1-k).
    std::uint32_t digit[33] = {1};
    std::uint64_t weight[33] = {1};
    int len = 1;
    std::uint64_t mirror = 1;
    std::uint64_t divisible = 0;
    for (std::uint32_t n = 1;; ++n) {
        if (mirror <= n && n % static_cast<std::uint32_t>(mirror) == 0)
            ++divisible;
        if (n == last)
            break;
        int k = 0;
        while (k < len && digit[k] == base - 1) {
            mirror -= (base - 1) * weight[k];
            digit[k++] = 0;
        }
        if (k < len) {
            ++digit[k];
            mirror += weight[k];
            continue;
        }
        // n + 1 is base^len: one digit more, mirror number 1.
        digit[len] = 1;
        ++len;
        weight[len - 1] = 1;
        for (int j = len - 2; j >= 0; --j)
            weight[j] = weight[j + 1] * base;
        mirror = 1;
    }
    return divisible;
}

std::uint64_t naiveReferenceLoop(std::uint32_t last, std::uint32_t base)
{
    std::uint64_t divisible = 0;
    for (std::uint32_t n = 1; n <= last; ++n) {
        std::uint64_t mirror = 0;
        for (std::uint32_t rest = n; rest > 0; rest /= base)
            mirror = mirror * base + rest % base;
        if (mirror <= n && n % mirror == 0)
            ++divisible;
    }
    return divisible;
}

} // namespace kz::bench
