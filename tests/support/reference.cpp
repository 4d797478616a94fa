#include "tests/support/reference.h"

#include <algorithm>

namespace kz::test {

namespace {

std::string number(std::int64_t x)
{
    return (x < 0 ? "" : " ") + std::to_string(x);
}

std::vector<std::int64_t> digitsOf(std::int64_t x, std::int64_t base) // least significant first
{
    std::vector<std::int64_t> digits;
    do {
        digits.push_back(x % base);
        x /= base;
    } while (x > 0);
    return digits;
}

} // namespace

std::string referenceEntry(std::int64_t n, std::int64_t base, Filters f)
{
    const auto digits = digitsOf(n, base);
    std::int64_t mirror = 0;
    for (auto d : digits)
        mirror = mirror * base + d;
    if (mirror == 0 || n % mirror != 0)
        return {};
    const std::int64_t q = n / mirror;
    if ((f.nichttrivial == 1 && q == 1) || (f.teiler == 1 && q % base == 0) ||
        (f.zugross == 1 && q > base))
        return {};
    std::string e = number(n) + " :" + number(mirror) + " = " + number(q) + "\r\n";
    e += number(base) + "er System:\r\n";
    for (auto it = digits.rbegin(); it != digits.rend(); ++it)
        e += number(*it);
    e += " : ";
    for (auto d : digits)
        e += number(d);
    e += " = ";
    const auto qDigits = digitsOf(q, base);
    for (auto it = qDigits.rbegin(); it != qDigits.rend(); ++it)
        e += number(*it);
    return e + "\r\n\r\n";
}

std::string referenceEntries(std::int64_t from, std::int64_t to, std::int64_t base, Filters f)
{
    std::string all;
    for (std::int64_t n = from; n <= to; ++n)
        all += referenceEntry(n, base, f);
    return all;
}

std::vector<std::string> entriesOf(const std::string &list, std::string *rest)
{
    std::vector<std::string> entries;
    std::size_t start = 0;
    for (std::size_t end; (end = list.find("\r\n\r\n", start)) != std::string::npos;
         start = end + 4)
        entries.push_back(list.substr(start, end + 4 - start));
    if (rest)
        *rest = list.substr(start);
    return entries;
}

} // namespace kz::test
