// The carry graph of S and Q laid out by Graphviz (dot) and read back as plain geometry: where
// each state sits, the curve of each edge with its digit pairs, in scene coordinates (y down).
// A separate start node stands for the first step, whose digits are not 0. Nothing here draws:
// the scene (atlas/graphscene.h) makes items of it.
#pragma once

#include "kehrzahlen/carrygraph.h"

#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace kz::atlas {

// Graphs beyond either bound are not laid out: dot would take longer than a user waits (bounds
// measured in bench/atlas_bench.cpp: the largest drawn graph lays out in about a second).
inline constexpr std::size_t kMostStatesDrawn = 400;
inline constexpr std::size_t kMostEdgesDrawn = 800;

using DigitPair = std::pair<std::int32_t, std::int32_t>; // x (from the top), y (from the bottom)

// "[3,3]" and "8→2": states and digit pairs never look alike.
QString stateText(kehr::CarryPair p);
QString pairText(DigitPair pair);
// The start node says why it is not the state [0,0]: the first digit pair has no 0.
QString startLabel();

struct DrawnNode {
    std::optional<kehr::CarryPair> state; // none: the start
    kehr::Ending ending;
    QPointF centre;
    QSizeF size;
};

struct DrawnEdge {
    int from = 0, to = 0;            // node indices; node 0 is the start
    std::vector<DigitPair> pairs;    // every digit pair that steps along this edge, increasing x
    std::vector<QPointF> curve;      // cubic Bézier: p0, then c1, c2, p for each piece
    std::optional<QPointF> arrowTip; // the arrow head runs from curve.back() to here
    QPointF labelCentre;
};

struct GraphSize {
    std::size_t states = 0, edges = 0, steps = 0;
    bool drawable() const { return states <= kMostStatesDrawn && edges <= kMostEdgesDrawn; }
};

struct GraphDrawing {
    int base = 0, quotient = 0;
    std::vector<DrawnNode> nodes; // nodes[0] is the start, nodes[s + 1] state s of the graph
    std::vector<DrawnEdge> edges;
    QRectF bounds;
};

// The states, distinct edges (start edges included) and digit pairs of g.
GraphSize sizeOf(const kehr::CarryGraph &g);
// Edge labels name at most this many digit pairs; the tool tip names them all.
inline constexpr std::size_t kPairsInLabel = 4;
QString edgeLabel(const std::vector<DigitPair> &pairs);
// Lays g out with dot. Takes a lock: Graphviz keeps global state, one layout runs at a time.
GraphDrawing layOut(const kehr::CarryGraph &g);

} // namespace kz::atlas
