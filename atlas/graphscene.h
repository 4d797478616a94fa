// The laid-out carry graph drawn natively: states as circles named by their carry pair, edges
// with their digit pairs, a start node, a title and a legend. The scene knows nothing of the
// listing: it is handed a walk (kehr::Walk) and highlights its states and edges, numbered in the
// order the walk passes them.
#pragma once

#include "atlas/graphlayout.h"
#include "kehrzahlen/kehrzahlen.h"

#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QHash>

#include <map>
#include <vector>

namespace kz::atlas {

class StateItem;
class EdgeItem;

class GraphScene : public QGraphicsScene {
    Q_OBJECT
  public:
    GraphScene(const GraphDrawing &drawing, const QString &title, QObject *parent = nullptr);

    int base() const { return m_base; }
    int quotient() const { return m_quotient; }
    // Highlights the walk's states and edges with their step numbers; false, and nothing
    // highlighted, when the walk leaves this graph.
    bool showWalk(const kehr::Walk &walk);
    void clearWalk();

    const std::vector<StateItem *> &states() const { return m_states; } // [0] is the start
    const std::vector<EdgeItem *> &edges() const { return m_edges; }
    EdgeItem *edgeBetween(int from, int to) const;
    // The node of a carry pair, or -1.
    int nodeOf(kehr::CarryPair p) const;

  private:
    void addLegend(QPointF at);

    int m_base, m_quotient;
    std::vector<StateItem *> m_states;
    std::vector<EdgeItem *> m_edges;
    std::map<std::pair<int, int>, EdgeItem *> m_edgeOf;
    QHash<quint64, int> m_nodeOf;
};

// A state, or the start (no carry pair).
class StateItem : public QGraphicsItem {
  public:
    explicit StateItem(const DrawnNode &node);
    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *) override;

    const DrawnNode &node() const { return m_node; }
    // Walk steps that arrive here, 1-based; the start has step 0.
    const std::vector<int> &steps() const { return m_steps; }
    bool highlighted() const { return m_highlighted; }
    void setHighlight(bool on, std::vector<int> steps = {});

  private:
    DrawnNode m_node;
    QString m_label;
    bool m_highlighted = false;
    std::vector<int> m_steps;
};

class EdgeItem : public QGraphicsItem {
  public:
    explicit EdgeItem(const DrawnEdge &edge);
    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *) override;

    int from() const { return m_from; }
    int to() const { return m_to; }
    const std::vector<DigitPair> &pairs() const { return m_pairs; }
    // The walk steps along this edge, 1-based, and the digit pair of each.
    const std::vector<int> &steps() const { return m_steps; }
    const std::vector<DigitPair> &walkedPairs() const { return m_walked; }
    bool highlighted() const { return !m_steps.empty(); }
    void addStep(int step, DigitPair pair);
    void clearSteps();

  private:
    QString stepsText() const;

    int m_from, m_to;
    std::vector<DigitPair> m_pairs;
    QPainterPath m_path;
    QPolygonF m_arrow;
    QString m_label;
    QRectF m_labelRect;
    std::vector<int> m_steps;
    std::vector<DigitPair> m_walked;
};

} // namespace kz::atlas
