#include "atlas/graphlayout.h"

#include <graphviz/cgraph.h>
#include <graphviz/gvc.h>

#include <algorithm>
#include <map>
#include <mutex>
#include <string>

namespace kz::atlas {

namespace {

constexpr double kPointsPerInch = 72;
const std::string kStartName = "start";

std::string nodeName(std::size_t node)
{
    if (node == 0)
        return kStartName;
    std::string name = "s";
    return name += std::to_string(node - 1);
}

// The edges of g between distinct node pairs (node 0 is the start), their pairs in step order.
std::map<std::pair<int, int>, std::vector<DigitPair>> edgesOf(const kehr::CarryGraph &g)
{
    std::map<std::pair<int, int>, std::vector<DigitPair>> edges;
    for (const kehr::Step &s : g.firstSteps)
        edges[{0, int(s.to) + 1}].push_back({s.x, s.y});
    for (std::uint32_t state = 0; state < g.states.size(); ++state) {
        for (const kehr::Step &s : g.stepsFrom(state))
            edges[{int(state) + 1, int(s.to) + 1}].push_back({s.x, s.y});
    }
    return edges;
}

void set(void *object, const char *name, const std::string &value)
{
    agsafeset(object, const_cast<char *>(name), const_cast<char *>(value.c_str()),
              const_cast<char *>(""));
}

// Graphviz estimates text sizes from its own tables, which know no arrow: the layout gets an
// ASCII stand-in a little wider than what is drawn.
std::string asciiLabel(const QString &text)
{
    QString ascii = text;
    ascii.replace(QChar(u'→'), QStringLiteral("->")).replace(QChar(u'…'), QStringLiteral("..."));
    ascii.replace(QChar(u'≠'), QStringLiteral("!="));
    ascii.replace(QChar(u'\n'), QStringLiteral("\\n"));
    return ascii.toStdString();
}

QString nodeLabel(const kehr::CarryGraph &g, std::size_t node)
{
    if (node == 0)
        return startLabel();
    const kehr::Ending e = g.endingOf(std::uint32_t(node - 1));
    QString label = stateText(g.states[node - 1]);
    if (e.middle)
        label += QStringLiteral("\nz=%1").arg(*e.middle);
    return label;
}

std::mutex g_graphviz;

// One Graphviz context for the whole run, under g_graphviz: freeing a context frees the font
// names that Graphviz's text measuring still remembers from the last layout, and the next layout,
// on another thread, would read them.
GVC_t *graphvizContext()
{
    static GVC_t *const context = gvContext();
    return context;
}

} // namespace

QString stateText(kehr::CarryPair p)
{
    return QStringLiteral("[%1,%2]").arg(p.low).arg(p.high);
}

QString startLabel()
{
    return QStringLiteral("Start\nerste Ziffern ≠ 0");
}

QString pairText(DigitPair pair)
{
    return QStringLiteral("%1→%2").arg(pair.first).arg(pair.second);
}

QString edgeLabel(const std::vector<DigitPair> &pairs)
{
    QStringList lines;
    for (std::size_t i = 0; i < pairs.size() && i < kPairsInLabel; ++i)
        lines << pairText(pairs[i]);
    if (pairs.size() > kPairsInLabel)
        lines.back() = QStringLiteral("… (%1 Paare)").arg(pairs.size());
    return lines.join(QChar(u'\n'));
}

GraphSize sizeOf(const kehr::CarryGraph &g)
{
    // Counted state by state: a graph too big to draw can have millions of edges.
    std::vector<std::uint32_t> targets;
    auto distinct = [&](std::span<const kehr::Step> steps) {
        targets.clear();
        for (const kehr::Step &s : steps)
            targets.push_back(s.to);
        std::sort(targets.begin(), targets.end());
        return std::size_t(std::unique(targets.begin(), targets.end()) - targets.begin());
    };
    GraphSize size{g.states.size(), distinct(g.firstSteps), g.steps.size() + g.firstSteps.size()};
    for (std::uint32_t state = 0; state < g.states.size(); ++state)
        size.edges += distinct(g.stepsFrom(state));
    return size;
}

GraphDrawing layOut(const kehr::CarryGraph &g)
{
    const std::lock_guard lock(g_graphviz);
    GraphDrawing drawing{g.base, g.quotient, {}, {}, {}};
    const auto edges = edgesOf(g);

    agseterr(AGERR); // warnings about estimated font sizes are not for the user
    GVC_t *gvc = graphvizContext();
    Agraph_t *graph = agopen(const_cast<char *>("carry"), Agdirected, nullptr);
    set(graph, "rankdir", "LR");
    set(graph, "nodesep", "0.35");
    set(graph, "ranksep", "0.6");
    std::vector<Agnode_t *> nodes;
    for (std::size_t node = 0; node <= g.states.size(); ++node) {
        Agnode_t *n = agnode(graph, const_cast<char *>(nodeName(node).c_str()), 1);
        set(n, "fontname", "Helvetica");
        set(n, "fontsize", "12");
        set(n, "label", asciiLabel(nodeLabel(g, node)));
        if (node == 0)
            set(n, "shape", "box");
        else
            set(n, "shape",
                g.endsAt(std::uint32_t(node - 1), kehr::Parity::Even) ? "doublecircle" : "circle");
        nodes.push_back(n);
    }
    std::vector<Agedge_t *> drawnEdges;
    for (const auto &[ends, pairs] : edges) {
        Agedge_t *e = agedge(graph, nodes[std::size_t(ends.first)], nodes[std::size_t(ends.second)],
                             nullptr, 1);
        set(e, "fontname", "Helvetica");
        set(e, "fontsize", "12");
        set(e, "label", asciiLabel(edgeLabel(pairs)));
        drawnEdges.push_back(e);
    }
    gvLayout(gvc, graph, "dot");

    const boxf bb = GD_bb(graph);
    auto toScene = [&](pointf p) { return QPointF(p.x, bb.UR.y - p.y); };
    drawing.bounds = QRectF(0, 0, bb.UR.x - bb.LL.x, bb.UR.y - bb.LL.y);
    for (std::size_t node = 0; node < nodes.size(); ++node) {
        DrawnNode d;
        if (node > 0) {
            d.state = g.states[node - 1];
            d.ending = g.endingOf(std::uint32_t(node - 1));
        }
        d.centre = toScene(ND_coord(nodes[node]));
        d.size =
            QSizeF(ND_width(nodes[node]) * kPointsPerInch, ND_height(nodes[node]) * kPointsPerInch);
        drawing.nodes.push_back(d);
    }
    std::size_t i = 0;
    for (const auto &[ends, pairs] : edges) {
        Agedge_t *e = drawnEdges[i++];
        DrawnEdge d{ends.first, ends.second, pairs, {}, {}, {}};
        if (const splines *spl = ED_spl(e); spl && spl->size > 0) {
            const bezier &bz = spl->list[0];
            for (int p = 0; p < bz.size; ++p)
                d.curve.push_back(toScene(bz.list[p]));
            if (bz.eflag)
                d.arrowTip = toScene(bz.ep);
        }
        if (ED_label(e))
            d.labelCentre = toScene(ED_label(e)->pos);
        drawing.edges.push_back(std::move(d));
    }
    gvFreeLayout(gvc, graph);
    agclose(graph);
    return drawing;
}

} // namespace kz::atlas
