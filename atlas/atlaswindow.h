// The Kehrzahl-Atlas main window: the base S and the lengths D or A-B above four views (Anzahl,
// Liste, Multiplikatoren, Graph). A view works only while it is shown: changing an input cancels
// what has gone stale and recomputes the view on screen, the others when they are next shown.
#pragma once

#include "atlas/commandline.h"

#include <QMainWindow>
#include <QTimer>

#include <array>

class QLabel;
class QLineEdit;
class QTabWidget;

namespace kz::atlas {

class CountView;
class GraphView;
class ListView;
class MultiplierView;
class Worker;
struct ListedKehrzahl;

class AtlasWindow : public QMainWindow {
    Q_OBJECT
  public:
    // Typed values are taken this long after the last key, or at once on Enter.
    static constexpr int kTypingPauseMs = 700;

    explicit AtlasWindow(const Startup &startup = {}, QWidget *parent = nullptr);
    ~AtlasWindow() override;

    // Reads the fields; refused values get their note and change nothing on screen.
    void applyFields();
    void showView(View view);
    const Input &input() const { return m_input; }

    QLineEdit *baseField() const { return m_baseField; }
    QLineEdit *lengthsField() const { return m_lengthsField; }
    QLabel *baseNote() const { return m_baseNote; }
    QLabel *lengthsNote() const { return m_lengthsNote; }
    QTabWidget *tabs() const { return m_tabs; }
    CountView *countView() const { return m_count; }
    ListView *listView() const { return m_list; }
    MultiplierView *multiplierView() const { return m_multipliers; }
    GraphView *graphView() const { return m_graph; }

  protected:
    void closeEvent(QCloseEvent *event) override;

  private:
    void createInputs(QWidget *parent);
    void createViews();
    void setInput(const Input &input);
    void refreshShownView();
    void kehrzahlSelected(int base, const ListedKehrzahl &k);
    Worker *workerOf(View view) const;

    Input m_input;
    std::array<bool, 4> m_stale{true, true, true, true};
    QLineEdit *m_baseField = nullptr;
    QLineEdit *m_lengthsField = nullptr;
    QLabel *m_baseNote = nullptr;
    QLabel *m_lengthsNote = nullptr;
    QTabWidget *m_tabs = nullptr;
    CountView *m_count = nullptr;
    ListView *m_list = nullptr;
    MultiplierView *m_multipliers = nullptr;
    GraphView *m_graph = nullptr;
    QTimer m_typing;
};

} // namespace kz::atlas
