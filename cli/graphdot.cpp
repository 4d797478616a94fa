#include "cli/graphdot.h"

#include "kehrzahlen/kehrzahlen.h"

namespace kz::cli {

using namespace kehr;

namespace {

constexpr std::string_view kStart = "start";

std::string nameOf(CarryPair p)
{
    std::string name = "\"";
    name += std::to_string(p.low);
    name += ',';
    name += std::to_string(p.high);
    return name += '"';
}

std::string pairOf(const Step &s)
{
    std::string pair = std::to_string(s.x);
    pair += "→";
    return pair += std::to_string(s.y);
}

// A title stays one line: numbers beyond 40 digits keep their first 12 and last 8.
std::string shortened(const std::string &decimal)
{
    if (decimal.size() <= 40)
        return decimal;
    return decimal.substr(0, 12) + "…" + decimal.substr(decimal.size() - 8) + " (" +
           std::to_string(decimal.size()) + " Stellen)";
}

std::string titleOf(const CarryGraph &g, std::span<const std::int32_t> smallest)
{
    std::string title = "S = " + std::to_string(g.base);
    title += ", Q = " + std::to_string(g.quotient);
    if (smallest.empty())
        return title + " – keine Kehrzahl";
    const Values v = valuesOf(g.base, {smallest, g.quotient});
    return title + " – kleinste Kehrzahl: " + shortened(v.n.get_str()) + " = " +
           std::to_string(g.quotient) + " · " + shortened(v.m.get_str());
}

std::string stateLine(const CarryGraph &g, std::uint32_t s)
{
    const CarryPair p = g.states[s];
    const Ending e = g.endingOf(s);
    std::string line = "    " + nameOf(p) + " [";
    if (e.even)
        line += "shape=doublecircle, ";
    if (e.middle)
        line += "style=filled, fillcolor=lightgrey, ";
    line += "label=\"[" + std::to_string(p.low) + ',' + std::to_string(p.high) + ']';
    if (e.middle)
        line += "\\nz=" + std::to_string(*e.middle);
    return line += "\"];\n";
}

// One edge per step: between two states at most one digit pair steps, since
// (Q^2 - 1)·y = S·low' - low - Q·high' + Q·S·high fixes y, and y fixes x.
bool writeEdges(const DotSink &write, const std::string &from, std::span<const Step> steps,
                const CarryGraph &g)
{
    for (const Step &s : steps) {
        if (!write("    " + from + " -> " + nameOf(g.states[s.to]) + " [label=\"" + pairOf(s) +
                   "\"];\n"))
            return false;
    }
    return true;
}

} // namespace

bool writeStateGraphDot(const DotSink &write, const CarryGraph &g,
                        std::span<const std::int32_t> smallest)
{
    const std::string head = "digraph kehrzahlen {\n"
                             "    label=\"" +
                             titleOf(g, smallest) +
                             "\";\n"
                             "    labelloc=t;\n"
                             "    rankdir=LR;\n"
                             "    node [shape=circle];\n"
                             "    start [shape=box, label=\"Start\\nerste Ziffern ≠ 0\"];\n";
    if (!write(head))
        return false;
    for (std::uint32_t s = 0; s < g.states.size(); ++s) {
        if (!write(stateLine(g, s)))
            return false;
    }
    if (!writeEdges(write, std::string(kStart), g.firstSteps, g))
        return false;
    for (std::uint32_t s = 0; s < g.states.size(); ++s) {
        if (!writeEdges(write, nameOf(g.states[s]), g.stepsFrom(s), g))
            return false;
    }
    return write(
        "    { rank=sink; legend [shape=note, fontsize=10, label=\"Legende\\l"
        "[a,b]: Zustand, Übertrag von unten a, oben erwartet b\\l"
        "x→y: Ziffernpaar, x von vorn, y von hinten\\l"
        "Doppelkreis: hier endet eine gerade Stellenzahl\\l"
        "grau mit z: hier endet eine ungerade Stellenzahl, z ist die mittlere Ziffer\\l\"]; }\n"
        "}\n");
}

std::string stateGraphDot(int base, int quotient)
{
    std::string dot;
    const auto smallest = smallestKehrzahl(base, quotient);
    writeStateGraphDot(
        [&](std::string_view line) {
            dot += line;
            return true;
        },
        *carryGraph(base, quotient), *smallest);
    return dot;
}

} // namespace kz::cli
