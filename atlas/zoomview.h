// A graphics view for the carry graph: the wheel zooms around the pointer, dragging pans, and
// fit() shows the whole scene.
#pragma once

#include <QGraphicsView>

namespace kz::atlas {

class ZoomView : public QGraphicsView {
    Q_OBJECT
  public:
    explicit ZoomView(QWidget *parent = nullptr);
    void fit();
    // The current zoom factor, 1 at the scene's own size.
    double zoom() const { return transform().m11(); }

  protected:
    void wheelEvent(QWheelEvent *event) override;
};

} // namespace kz::atlas
