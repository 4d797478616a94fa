// The panel's drawn decorations, lines and rectangle outlines. They take no mouse input, so the
// mouse over them counts as the panel beneath.
#pragma once

#include <QColor>
#include <QLine>
#include <QWidget>

namespace kz {

class LineControl : public QWidget {
  public:
    // color invalid: the window-text colour
    LineControl(QLine line, QColor color, QWidget *parent);

  protected:
    void paintEvent(QPaintEvent *event) override;

  private:
    QLine m_line;
    QColor m_color;
};

class ShapeControl : public QWidget {
  public:
    explicit ShapeControl(QWidget *parent);

  protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace kz
