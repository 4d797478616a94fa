// The state graph as Graphviz reads it, and a known Kehrzahl as a walk in it.
#include "cli/graphdot.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <regex>
#include <sstream>

namespace kz::cli {
namespace {

std::string dotOf(int base, int quotient)
{
    std::ostringstream out;
    writeStateGraphDot(out, base, quotient);
    return out.str();
}

// Catches output that `dot` rejects (quoting, escapes), with and without Kehrzahlen and with the
// start reached again or not.
TEST(StateGraph, DotReadsEveryDrawing)
{
    if (std::system("command -v dot >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "Graphviz dot is not installed";
    for (const auto [base, quotient] :
         {std::pair{10, 4}, {10, 9}, {10, 3}, {18, 7}, {5, 2}, {16, 15}, {29, 18}}) {
        // Through a pipe: no file that another run of the tests could share.
        FILE *dot = popen("dot -Tsvg -o /dev/null", "w");
        ASSERT_NE(dot, nullptr);
        const std::string text = dotOf(base, quotient);
        std::fwrite(text.data(), 1, text.size(), dot);
        EXPECT_EQ(pclose(dot), 0) << base << ' ' << quotient;
    }
}

// Follows the digit pairs of n (its digits from the top paired with those from the bottom) from
// the start; returns the attributes of the state reached, or "" when some pair has no edge.
std::string walk(const std::string &dot, const std::string &n)
{
    std::multimap<std::string, std::pair<std::string, std::string>> edges; // from -> (pairs, to)
    std::map<std::string, std::string> attributes;
    const std::regex edge(R"re("(\d+,\d+)" -> "(\d+,\d+)" \[label="([^"]*)"\];)re");
    const std::regex node(R"re(^    "(\d+,\d+)" \[(.*)\];$)re");
    std::string start;
    std::istringstream lines(dot);
    for (std::string line; std::getline(lines, line);) {
        std::smatch m;
        if (std::regex_search(line, m, edge))
            edges.emplace(m[1], std::pair{"\\n" + m[3].str() + "\\n", m[2]});
        else if (std::regex_search(line, m, node))
            attributes[m[1]] += m[2];
        else if (std::regex_search(line, m, std::regex(R"re(start -> "(\d+,\d+)")re")))
            start = m[1];
    }
    std::string state = start;
    for (std::size_t i = 0; i < n.size() / 2; ++i) {
        const std::string pair = "\\n" + std::string(1, n[i]) + ',' + n[n.size() - 1 - i] + "\\n";
        const auto [first, last] = edges.equal_range(state);
        const auto e = std::find_if(first, last, [&](const auto &e) {
            return e.second.first.find(pair) != std::string::npos;
        });
        if (e == last)
            return "";
        state = e->second.second;
    }
    return attributes[state];
}

// Catches wrong carries or digit pairs on the edges and wrong end marks: 8712 = 4·2178 ends an
// even walk, 87912 = 4·21978 an odd one with middle digit 9.
TEST(StateGraph, HoldsTheWalksOf8712And87912)
{
    const std::string dot = dotOf(10, 4);
    EXPECT_NE(walk(dot, "8712").find("doublecircle"), std::string::npos) << dot;
    EXPECT_NE(walk(dot, "87912").find("z=9"), std::string::npos) << dot;
    EXPECT_EQ(walk(dot, "8722"), "") << "no edge carries the pair 7,2 after 8,2";
}

} // namespace
} // namespace kz::cli
