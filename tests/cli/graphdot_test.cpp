// The carry graph in DOT: what Graphviz reads, the notation of the atlas, and known Kehrzahlen as
// walks in it.
#include "cli/graphdot.h"

#include "kehrzahlen/kehrzahlen.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <regex>
#include <set>
#include <sstream>

namespace kz::cli {
namespace {

// Bases and quotients with and without Kehrzahlen, with (0,0) reached again or not, and with
// edges that carry several digit pairs.
const std::pair<int, int> kGraphs[] = {{10, 4}, {10, 9},  {10, 3},  {18, 7},
                                       {5, 2},  {16, 15}, {29, 18}, {33, 8}};

const std::regex kEdge(R"re(^    ("\d+,\d+"|start) -> "(\d+,\d+)" \[label="([^"]*)"\];$)re");

// Catches output that `dot` rejects (quoting, escapes, the UTF-8 of the arrows).
TEST(StateGraph, DotReadsEveryDrawing)
{
    if (std::system("command -v dot >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "Graphviz dot is not installed";
    for (const auto [base, quotient] : kGraphs) {
        // Through a pipe: no file that another run of the tests could share.
        FILE *dot = popen("dot -Tsvg -o /dev/null", "w");
        ASSERT_NE(dot, nullptr);
        const std::string text = stateGraphDot(base, quotient);
        std::fwrite(text.data(), 1, text.size(), dot);
        EXPECT_EQ(pclose(dot), 0) << base << ' ' << quotient;
    }
}

// Catches an edge drawn twice between the same states, and steps lost or doubled: every step of
// the graph is one edge with one digit pair.
TEST(StateGraph, OneEdgePerStatePairCarryingEveryStep)
{
    for (const auto [base, quotient] : kGraphs) {
        const kehr::CarryGraph g = *kehr::carryGraph(base, quotient);
        std::set<std::pair<std::string, std::string>> ends;
        std::size_t pairs = 0;
        std::istringstream lines(stateGraphDot(base, quotient));
        for (std::string line; std::getline(lines, line);) {
            std::smatch m;
            if (!std::regex_match(line, m, kEdge))
                continue;
            EXPECT_TRUE(ends.insert({m[1], m[2]}).second)
                << base << ' ' << quotient << ": " << line;
            pairs += 1 + std::size_t(std::count(line.begin(), line.end(), '\\'));
        }
        EXPECT_EQ(pairs, g.steps.size() + g.firstSteps.size()) << base << ' ' << quotient;
    }
}

// Follows the digit pairs of n (its digits from the top paired with those from the bottom) from
// the start box; returns the attributes of the state reached, or "" when some pair has no edge.
std::string walk(const std::string &dot, const std::string &n)
{
    std::multimap<std::string, std::pair<std::string, std::string>> edges; // from -> (pairs, to)
    std::map<std::string, std::string> attributes;
    const std::regex node(R"re(^    "(\d+,\d+)" \[(.*)\];$)re");
    std::istringstream lines(dot);
    for (std::string line; std::getline(lines, line);) {
        std::smatch m;
        if (std::regex_match(line, m, kEdge))
            edges.emplace(m[1], std::pair{"\\n" + m[3].str() + "\\n", '"' + m[2].str() + '"'});
        else if (std::regex_match(line, m, node))
            attributes['"' + m[1].str() + '"'] += m[2];
    }
    std::string state = "start";
    for (std::size_t i = 0; i < n.size() / 2; ++i) {
        const std::string pair = "\\n" + std::string(1, n[i]) + "→" + n[n.size() - 1 - i] + "\\n";
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
// even walk, 87912 = 4·21978 an odd one with middle digit 9, 9801 = 9·1089 an even one.
TEST(StateGraph, HoldsTheWalksOf8712And87912And9801)
{
    const std::string dot = stateGraphDot(10, 4);
    EXPECT_NE(walk(dot, "8712").find("doublecircle"), std::string::npos) << dot;
    EXPECT_NE(walk(dot, "87912").find("z=9"), std::string::npos) << dot;
    EXPECT_EQ(walk(dot, "8722"), "") << "no edge carries the pair 7→2 after 8→2";
    EXPECT_NE(walk(stateGraphDot(10, 9), "9801").find("doublecircle"), std::string::npos);
}

// Catches any drift from the notation: states [low,high], pairs x→y, the start box, the legend
// and the smallest Kehrzahl in the title. Worked out by hand for S = 10, Q = 4: from the start
// only x = 8 gives y = 4·8 mod 10 = 2 with the upper carry 8 - 4·2 = 0 in [0,4), reaching
// [32 div 10, 0] = [3,0]; from [3,0] only 7→1 (31: low 3, high 7 - 4 = 3); from [3,3] 1→7 to
// [0,3] and 9→9 back to itself; from [0,3] 2→8 to [0,0]; from [0,0] 0→0 and 8→2. States are
// numbered breadth first ([3,0], [3,3], [0,3], [0,0]); a state's edges go out in increasing x.
// [3,3] and [0,0] end both parities: (4-1)·z + low = 10·high gives z = 9 and z = 0.
TEST(StateGraph, SmallGraphInFull)
{
    EXPECT_EQ(
        stateGraphDot(10, 4),
        "digraph kehrzahlen {\n"
        "    label=\"S = 10, Q = 4 – kleinste Kehrzahl: 8712 = 4 · 2178\";\n"
        "    labelloc=t;\n"
        "    rankdir=LR;\n"
        "    node [shape=circle];\n"
        "    start [shape=box, label=\"Start\\nerste Ziffern ≠ 0\"];\n"
        "    \"3,0\" [label=\"[3,0]\"];\n"
        "    \"3,3\" [shape=doublecircle, style=filled, fillcolor=lightgrey, "
        "label=\"[3,3]\\nz=9\"];\n"
        "    \"0,3\" [label=\"[0,3]\"];\n"
        "    \"0,0\" [shape=doublecircle, style=filled, fillcolor=lightgrey, "
        "label=\"[0,0]\\nz=0\"];\n"
        "    start -> \"3,0\" [label=\"8→2\"];\n"
        "    \"3,0\" -> \"3,3\" [label=\"7→1\"];\n"
        "    \"3,3\" -> \"0,3\" [label=\"1→7\"];\n"
        "    \"3,3\" -> \"3,3\" [label=\"9→9\"];\n"
        "    \"0,3\" -> \"0,0\" [label=\"2→8\"];\n"
        "    \"0,0\" -> \"0,0\" [label=\"0→0\"];\n"
        "    \"0,0\" -> \"3,0\" [label=\"8→2\"];\n"
        "    { rank=sink; legend [shape=note, fontsize=10, label=\"Legende\\l"
        "[a,b]: Zustand, Übertrag von unten a, oben erwartet b\\l"
        "x→y: Ziffernpaar, x von vorn, y von hinten\\l"
        "Doppelkreis: hier endet eine gerade Stellenzahl\\l"
        "grau mit z: hier endet eine ungerade Stellenzahl, z ist die mittlere Ziffer\\l\"]; }\n"
        "}\n");
}

} // namespace
} // namespace kz::cli
