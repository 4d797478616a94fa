#include "window/drawing.h"

#include <QPainter>

namespace kz {

LineControl::LineControl(QLine line, QColor color, QWidget *parent)
    : QWidget(parent), m_line(line), m_color(color)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    const QRect bounds = QRect(line.p1(), line.p2()).normalized();
    setGeometry(bounds.adjusted(0, 0, 1, 1));
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
