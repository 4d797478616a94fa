#include "window/drawing.h"

#include <QPainter>

#include <algorithm>

namespace kz {

LineControl::LineControl(QLine line, QColor color, QWidget *parent)
    : QWidget(parent), m_line(line), m_color(color)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // Both end points inside, whichever way the line runs (QRect::normalized() would drop one
    // end of a line drawn upwards).
    setGeometry(QRect(QPoint(std::min(line.x1(), line.x2()), std::min(line.y1(), line.y2())),
                      QPoint(std::max(line.x1(), line.x2()), std::max(line.y1(), line.y2()))));
}

void LineControl::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(m_color.isValid() ? m_color : palette().color(QPalette::WindowText));
    painter.drawLine(m_line.translated(-pos()));
}

ShapeControl::ShapeControl(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ShapeControl::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace kz
