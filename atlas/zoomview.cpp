#include "atlas/zoomview.h"

#include <QWheelEvent>

#include <cmath>

namespace kz::atlas {

namespace {

constexpr double kSmallest = 0.02, kLargest = 8;

} // namespace

ZoomView::ZoomView(QWidget *parent) : QGraphicsView(parent)
{
    setDragMode(QGraphicsView::ScrollHandDrag);
    setTransformationAnchor(QGraphicsView::AnchorUnderMouse);
    setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    setBackgroundBrush(Qt::white);
}

void ZoomView::fit()
{
    m_fitPending = !isVisible();
    if (m_fitPending)
        return;
    if (scene())
        fitInView(scene()->sceneRect(), Qt::KeepAspectRatio);
    // A small graph is not blown up beyond its own size.
    if (zoom() > 1.5)
        setTransform(QTransform::fromScale(1.5, 1.5));
}

void ZoomView::showEvent(QShowEvent *event)
{
    QGraphicsView::showEvent(event);
    if (m_fitPending)
        fit();
}

void ZoomView::resizeEvent(QResizeEvent *event)
{
    QGraphicsView::resizeEvent(event);
    if (m_fitPending)
        fit();
}

void ZoomView::wheelEvent(QWheelEvent *event)
{
    const double steps = event->angleDelta().y() / 120.0;
    const double factor = std::pow(1.2, steps);
    const double target = std::clamp(zoom() * factor, kSmallest, kLargest);
    scale(target / zoom(), target / zoom());
    event->accept();
}

} // namespace kz::atlas
