// A graphics view for the carry graph: the wheel zooms around the pointer, dragging pans, and
// fit() shows the whole scene, at once or, while hidden, when shown.
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
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

  private:
    // A scene set while the view was hidden is fitted once the view has its size.
    bool m_fitPending = false;
};

} // namespace kz::atlas
