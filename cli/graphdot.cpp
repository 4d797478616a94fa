#include "cli/graphdot.h"

#include "kehrzahlen/kehrzahlen.h"

#include <map>
#include <stdexcept>
#include <string>

namespace kz::cli {

using namespace kehr;

namespace {

std::string nameOf(CarryPair p)
{
    return '"' + std::to_string(p.low) + ',' + std::to_string(p.high) + '"';
}

} // namespace

void writeStateGraphDot(std::ostream &out, int base, int quotient)
{
    writeStateGraphDot(out, *carryGraph(base, quotient));
}

void writeStateGraphDot(std::ostream &out, const CarryGraph &g)
{
    const int base = g.base, quotient = g.quotient;

    out << "digraph kehrzahlen {\n"
        << "    label=\"S = " << base << ", Q = " << quotient << "\";\n"
        << "    labelloc=t;\n    rankdir=LR;\n    node [shape=circle];\n"
        << "    start [shape=point];\n    start -> \"0,0\";\n"
        << "    \"0,0\" [penwidth=2];\n";
    for (std::uint32_t s = 0; s < g.states.size(); ++s) {
        const CarryPair p = g.states[s];
        const Ending e = g.endingOf(s);
        if (!e.any())
            continue;
        out << "    " << nameOf(p) << " [";
        if (e.even)
            out << "shape=doublecircle";
        if (e.middle) {
            out << (e.even ? ", " : "") << "style=filled, fillcolor=lightgrey, label=\"" << p.low
                << ',' << p.high << "\\nz=" << *e.middle << '"';
        }
        out << "];\n";
    }

    // Pairs grouped by their two ends, in the order the states were found.
    std::map<std::pair<std::uint32_t, std::uint32_t>, std::string> labels;
    auto add = [&](std::uint32_t from, const Step &s) {
        std::string &label = labels[{from, s.to}];
        label += (label.empty() ? "" : "\\n") + std::to_string(s.x) + ',' + std::to_string(s.y);
    };
    constexpr std::uint32_t kStart = ~std::uint32_t(0);
    bool startReached = false;
    for (std::uint32_t s = 0; s < g.states.size(); ++s) {
        startReached = startReached || g.states[s] == CarryPair{0, 0};
        for (const Step &step : g.stepsFrom(s))
            add(s, step);
    }
    if (!startReached) {
        for (const Step &step : g.firstSteps)
            add(kStart, step);
    }
    for (const auto &[ends, label] : labels) {
        out << "    " << (ends.first == kStart ? nameOf({0, 0}) : nameOf(g.states[ends.first]))
            << " -> " << nameOf(g.states[ends.second]) << " [label=\"" << label << "\"];\n";
    }
    out << "}\n";
}

} // namespace kz::cli
