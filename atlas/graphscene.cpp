#include "atlas/graphscene.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QGraphicsSimpleTextItem>
#include <QPainter>
#include <QPainterPathStroker>

#include <cmath>

namespace kz::atlas {

namespace {

const QColor kInk(48, 48, 48);
const QColor kOddEnd(211, 211, 211);
const QColor kWalk(214, 90, 0);
const QColor kWalkFill(255, 226, 190);
const QColor kEdgeText(40, 40, 120);
constexpr double kArrowWidth = 4;

QFont sceneFont(bool bold = false)
{
    QFont font = QApplication::font();
    font.setPixelSize(11);
    font.setBold(bold);
    return font;
}

quint64 keyOf(kehr::CarryPair p)
{
    return quint64(quint32(p.low)) << 32 | quint32(p.high);
}

QString stepList(const std::vector<int> &steps)
{
    QStringList shown;
    for (std::size_t i = 0; i < steps.size() && i < 4; ++i)
        shown << QString::number(steps[i]);
    QString text = shown.join(QChar(u','));
    if (steps.size() > 4)
        text += QStringLiteral("… (%1×)").arg(steps.size());
    return text;
}

void paintBadge(QPainter *painter, QPointF at, const QString &text)
{
    painter->setFont(sceneFont(true));
    const QRectF box = QFontMetricsF(painter->font())
                           .boundingRect(text)
                           .adjusted(-3, -1, 3, 1)
                           .translated(at - QPointF(0, 0));
    painter->setPen(Qt::NoPen);
    painter->setBrush(kWalk);
    painter->drawRoundedRect(box, 4, 4);
    painter->setPen(Qt::white);
    painter->drawText(box, Qt::AlignCenter, text);
}

QRectF badgeRect(QPointF at, const QString &text)
{
    return QFontMetricsF(sceneFont(true)).boundingRect(text).adjusted(-3, -1, 3, 1).translated(at);
}

QString stateToolTip(const DrawnNode &node)
{
    if (!node.state)
        return QStringLiteral("Start: hier beginnt jeder Weg; die ersten Ziffern x und y sind "
                              "nicht 0");
    QString tip = QStringLiteral("Zustand %1: Übertrag von unten %2, erwarteter Übertrag oben %3")
                      .arg(stateText(*node.state))
                      .arg(node.state->low)
                      .arg(node.state->high);
    if (node.ending.even)
        tip += QStringLiteral("\nHier endet eine gerade Stellenzahl");
    if (node.ending.middle)
        tip +=
            QStringLiteral("\nHier endet eine ungerade Stellenzahl mit der mittleren Ziffer z = %1")
                .arg(*node.ending.middle);
    return tip;
}

} // namespace

StateItem::StateItem(const DrawnNode &node) : m_node(node)
{
    setPos(node.centre);
    m_label = node.state ? stateText(*node.state) : startLabel();
    if (node.ending.middle)
        m_label += QStringLiteral("\nz=%1").arg(*node.ending.middle);
    setToolTip(stateToolTip(node));
    setAcceptHoverEvents(true);
    setZValue(1);
}

QRectF StateItem::boundingRect() const
{
    const QRectF body(-m_node.size.width() / 2, -m_node.size.height() / 2, m_node.size.width(),
                      m_node.size.height());
    return body.adjusted(-2, -18, 30, 2);
}

void StateItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    const QRectF body(-m_node.size.width() / 2, -m_node.size.height() / 2, m_node.size.width(),
                      m_node.size.height());
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(m_highlighted ? kWalk : kInk, m_highlighted ? 2.5 : 1.2));
    painter->setBrush(m_highlighted ? kWalkFill : m_node.ending.middle ? kOddEnd : Qt::white);
    if (!m_node.state) {
        painter->drawRoundedRect(body, 4, 4);
    } else {
        painter->drawEllipse(body);
        if (m_node.ending.even) {
            painter->setBrush(Qt::NoBrush);
            painter->drawEllipse(body.adjusted(4, 4, -4, -4));
        }
    }
    painter->setPen(kInk);
    painter->setFont(sceneFont(!m_node.state));
    painter->drawText(body, Qt::AlignCenter, m_label);
    if (m_highlighted && !m_steps.empty())
        paintBadge(painter, body.topRight() + QPointF(-6, 2), stepList(m_steps));
}

void StateItem::setHighlight(bool on, std::vector<int> steps)
{
    prepareGeometryChange();
    m_highlighted = on;
    m_steps = std::move(steps);
    update();
}

EdgeItem::EdgeItem(const DrawnEdge &edge) : m_from(edge.from), m_to(edge.to), m_pairs(edge.pairs)
{
    if (!edge.curve.empty()) {
        m_path.moveTo(edge.curve[0]);
        for (std::size_t i = 1; i + 2 < edge.curve.size(); i += 3)
            m_path.cubicTo(edge.curve[i], edge.curve[i + 1], edge.curve[i + 2]);
    }
    if (edge.arrowTip && !edge.curve.empty()) {
        const QPointF base = edge.curve.back(), tip = *edge.arrowTip;
        const QPointF along = tip - base;
        const double length = std::hypot(along.x(), along.y());
        const QPointF across =
            length > 0 ? QPointF(-along.y(), along.x()) / length * kArrowWidth : QPointF();
        m_arrow << tip << base + across << base - across;
    }
    m_label = edgeLabel(m_pairs);
    const QSizeF size = QFontMetricsF(sceneFont()).size(0, m_label);
    m_labelRect = QRectF(edge.labelCentre - QPointF(size.width() / 2, size.height() / 2), size);
    QStringList all;
    for (const DigitPair &p : m_pairs)
        all << pairText(p);
    setToolTip(QStringLiteral("Ziffernpaare x→y (x von vorn, y von hinten):\n") +
               all.join(QStringLiteral(", ")));
    setAcceptHoverEvents(true);
}

QRectF EdgeItem::boundingRect() const
{
    QRectF r = m_path.boundingRect().united(m_arrow.boundingRect()).united(m_labelRect);
    if (!m_steps.empty())
        r = r.united(badgeRect(m_labelRect.topRight(), stepsText()));
    return r.adjusted(-4, -4, 4, 4);
}

QPainterPath EdgeItem::shape() const
{
    // Wide enough to hover on: the curve as a band, and its label.
    QPainterPathStroker stroker;
    stroker.setWidth(8);
    QPainterPath band = stroker.createStroke(m_path);
    band.addRect(m_labelRect);
    band.addPolygon(m_arrow);
    return band;
}

void EdgeItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    const bool walked = highlighted();
    const QColor ink = walked ? kWalk : kInk;
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(ink, walked ? 2.6 : 1.0));
    painter->setBrush(Qt::NoBrush);
    painter->drawPath(m_path);
    painter->setBrush(ink);
    painter->drawPolygon(m_arrow);
    painter->setFont(sceneFont(walked));
    painter->setPen(walked ? kWalk : kEdgeText);
    painter->drawText(m_labelRect, Qt::AlignCenter, m_label);
    if (walked)
        paintBadge(painter, m_labelRect.topRight(), stepsText());
}

QString EdgeItem::stepsText() const
{
    return stepList(m_steps);
}

void EdgeItem::addStep(int step, DigitPair pair)
{
    prepareGeometryChange();
    m_steps.push_back(step);
    m_walked.push_back(pair);
    update();
}

void EdgeItem::clearSteps()
{
    prepareGeometryChange();
    m_steps.clear();
    m_walked.clear();
    update();
}

GraphScene::GraphScene(const GraphDrawing &drawing, const QString &title, QObject *parent)
    : QGraphicsScene(parent), m_base(drawing.base), m_quotient(drawing.quotient)
{
    setFont(sceneFont());
    for (std::size_t n = 0; n < drawing.nodes.size(); ++n) {
        auto *item = new StateItem(drawing.nodes[n]);
        addItem(item);
        m_states.push_back(item);
        if (drawing.nodes[n].state)
            m_nodeOf.insert(keyOf(*drawing.nodes[n].state), int(n));
    }
    for (const DrawnEdge &e : drawing.edges) {
        auto *item = new EdgeItem(e);
        addItem(item);
        m_edges.push_back(item);
        m_edgeOf[{e.from, e.to}] = item;
    }
    auto *heading = addSimpleText(title, sceneFont(true));
    heading->setPos(drawing.bounds.left(), drawing.bounds.top() - 28);
    heading->setToolTip(QStringLiteral("Basis, Quotient und die kleinste Kehrzahl als Beispiel"));
    addLegend(QPointF(drawing.bounds.left(), drawing.bounds.bottom() + 16));
    setSceneRect(itemsBoundingRect().adjusted(-12, -12, 12, 12));
}

void GraphScene::addLegend(QPointF at)
{
    const double size = 22;
    struct Entry {
        DrawnNode node;
        const char *text;
    };
    DrawnNode start, even, odd, plain;
    start.size = QSizeF(40, size);
    even.state = odd.state = plain.state = kehr::CarryPair{};
    even.ending.even = true;
    odd.ending.middle = 0;
    even.size = odd.size = plain.size = QSizeF(size, size);
    const Entry entries[] = {
        {start, "Start: die ersten Ziffern sind nicht 0"},
        {plain, "Zustand [a,b]: Übertrag von unten a, oben erwartet b"},
        {even, "doppelter Kreis: hier endet eine gerade Stellenzahl"},
        {odd, "grau mit z: hier endet eine ungerade Stellenzahl, z ist die mittlere Ziffer"},
    };
    const QFont font = sceneFont();
    double y = at.y();
    auto *caption = addSimpleText(QStringLiteral("Legende"), sceneFont(true));
    caption->setPos(at.x(), y);
    y += 20;
    for (const Entry &e : entries) {
        auto *shape = new QGraphicsEllipseItem(-size / 2, -size / 2, size, size);
        if (!e.node.state) {
            auto *box = new QGraphicsRectItem(-20, -size / 2, 40, size);
            box->setPen(QPen(kInk, 1.2));
            addItem(box);
            box->setPos(at.x() + 20, y + size / 2);
            delete shape;
        } else {
            shape->setPen(QPen(kInk, 1.2));
            shape->setBrush(e.node.ending.middle ? kOddEnd : Qt::white);
            addItem(shape);
            shape->setPos(at.x() + 20, y + size / 2);
            if (e.node.ending.even) {
                auto *inner = new QGraphicsEllipseItem(-size / 2 + 4, -size / 2 + 4, size - 8,
                                                       size - 8, shape);
                inner->setPen(QPen(kInk, 1.2));
            }
        }
        auto *text = addSimpleText(QString::fromUtf8(e.text), font);
        text->setPos(at.x() + 50, y + 4);
        y += size + 6;
    }
    auto *pairs = addSimpleText(
        QStringLiteral("8→2  Ziffernpaar eines Schritts: x von vorn → y von hinten"), font);
    pairs->setBrush(kEdgeText);
    pairs->setPos(at.x() + 4, y + 2);
    auto *walk = addSimpleText(
        QStringLiteral("orange, nummeriert: der Weg der in der Liste gewählten Kehrzahl"), font);
    walk->setBrush(kWalk);
    walk->setPos(at.x() + 4, y + 22);
}

EdgeItem *GraphScene::edgeBetween(int from, int to) const
{
    const auto it = m_edgeOf.find({from, to});
    return it == m_edgeOf.end() ? nullptr : it->second;
}

int GraphScene::nodeOf(kehr::CarryPair p) const
{
    return m_nodeOf.value(keyOf(p), -1);
}

bool GraphScene::showWalk(const kehr::Walk &walk)
{
    clearWalk();
    std::vector<std::vector<int>> arrivals(m_states.size());
    std::vector<std::pair<EdgeItem *, DigitPair>> steps;
    int at = 0; // the start
    for (const kehr::WalkStep &s : walk.steps) {
        const int next = nodeOf(s.to);
        EdgeItem *edge = next < 0 ? nullptr : edgeBetween(at, next);
        if (!edge)
            return false;
        steps.push_back({edge, {s.x, s.y}});
        arrivals[std::size_t(next)].push_back(int(steps.size()));
        at = next;
    }
    for (std::size_t i = 0; i < steps.size(); ++i)
        steps[i].first->addStep(int(i) + 1, steps[i].second);
    m_states[0]->setHighlight(true, {});
    for (std::size_t n = 1; n < m_states.size(); ++n) {
        if (!arrivals[n].empty())
            m_states[n]->setHighlight(true, std::move(arrivals[n]));
    }
    return true;
}

void GraphScene::clearWalk()
{
    for (StateItem *s : m_states) {
        if (s->highlighted())
            s->setHighlight(false);
    }
    for (EdgeItem *e : m_edges) {
        if (e->highlighted())
            e->clearSteps();
    }
}

} // namespace kz::atlas
