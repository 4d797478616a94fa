// The engine's window operations over the real widgets of Form1.
#pragma once

#include "engine/windowoperations.h"
#include "window/controls.h"

#include <QElapsedTimer>
#include <QString>

#include <functional>

class QWidget;

namespace kz {

class QtWindowOperations : public WindowOperations {
  public:
    // onEnd runs once when the program is to end.
    QtWindowOperations(const Controls &controls, QWidget *messageParent,
                       std::function<void()> onEnd);

    std::string text(Field field) const override;
    void setText(Field field, std::string_view text) override;
    void appendResult(std::string_view piece) override;
    int checkBoxValue(CheckBox box) const override;
    void showMessage(std::string_view text, std::string_view title, MessageIcon icon) override;
    void yield() override;
    std::uint32_t yieldStride() const override;
    void endProgram() override;

    bool hasEnded() const { return m_ended; }
    // Puts entries the engine appended since the last event processing into the list. Every
    // handler that calls the engine ends with this, and each yield starts with it.
    void flushResults();

    // The result list's text as the engine sees it: CR LF between lines.
    static QString toEngineText(const QString &shown);
    // The engine's CR LF as the editor's paragraph breaks.
    static QString fromEngineText(std::string_view text);

  private:
    QLineEdit *lineEdit(Field field) const;

    const Controls &m_ui;
    QWidget *m_messageParent;
    std::function<void()> m_onEnd;
    QString m_pendingResults; // appended, not yet in the document
    QElapsedTimer m_sinceEvents;
    bool m_ended = false;
};

} // namespace kz
