// The Graph view: the carry graph of the base and a chosen Q, laid out by Graphviz in a worker and
// drawn in a zoomable view, or, for a graph too big to lay out, its size and the offer of its DOT
// file. A Kehrzahl selected in the Liste is shown as its walk; one of another Q switches the
// graph to that Q first.
#pragma once

#include "atlas/graphlayout.h"
#include "atlas/listmodel.h"

#include <QWidget>

#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QStackedWidget;

namespace kz::atlas {

class GraphScene;
class ProgressPanel;
class Worker;
class ZoomView;

class GraphView : public QWidget {
    Q_OBJECT
  public:
    explicit GraphView(QWidget *parent = nullptr);
    ~GraphView() override;

    // Draws the graph of base and quotient. A quotient that base has no Kehrzahl with is refused
    // with a note, the graph shown stays; after a change of base, the smallest Q is drawn instead.
    void draw(int base, int quotient);
    // Reads the Q field and draws that Q of the current base, unless the field is refused.
    void drawTypedQuotient();
    // Highlights the walk of k, switching to its Q first when another one is drawn.
    void showWalkOf(int base, const ListedKehrzahl &k);
    void saveDotTo(const QString &path);

    int base() const { return m_base; }
    int quotient() const { return m_quotient; }
    GraphScene *scene() const { return m_scene; }
    ZoomView *view() const { return m_view; }
    QComboBox *quotientField() const { return m_quotientField; }
    QLabel *note() const { return m_note; }
    QLabel *summary() const { return m_summary; }
    QLabel *walkText() const { return m_walkText; }
    QPushButton *fitButton() const { return m_fit; }
    QPushButton *dotButton() const { return m_dot; }
    Worker *worker() const { return m_worker; }
    Worker *dotWorker() const { return m_dotWorker; }
    bool showsDrawing() const;

  signals:
    // The graph of base() and quotient() is on screen, drawn or summarised.
    void drawn();
    void dotSaved(bool saved);

  private:
    void setQuotients(int base, const std::vector<int> &quotients, int shown);
    void showDrawing(GraphDrawing drawing, const QString &title);
    void showSummary(const GraphSize &size, const QString &title);
    void applyPendingWalk();
    void askWhereToSaveDot();

    int m_base = 0, m_quotient = 0;
    std::vector<int> m_quotients; // of m_base
    std::optional<ListedKehrzahl> m_pendingWalk;
    GraphScene *m_scene = nullptr;
    QComboBox *m_quotientField;
    QLabel *m_note;
    QPushButton *m_fit;
    QPushButton *m_dot;
    QStackedWidget *m_pages;
    ZoomView *m_view;
    QLabel *m_summary;
    QLabel *m_walkText;
    Worker *m_worker;
    Worker *m_dotWorker;
    ProgressPanel *m_progress;
    ProgressPanel *m_dotProgress;
};

} // namespace kz::atlas
