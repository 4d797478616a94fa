#include "window/qtwindowoperations.h"

#include "engine/texts.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

namespace kz {

namespace {

// Events are run at most this often during a search: often enough that a click acts at once,
// rarely enough that the search runs at full speed in between.
constexpr qint64 kEventIntervalMs = 5;

QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace

QtWindowOperations::QtWindowOperations(const Controls &controls, QWidget *messageParent,
                                       std::function<void()> onEnd)
    : m_ui(controls), m_messageParent(messageParent), m_onEnd(std::move(onEnd))
{
}

QString QtWindowOperations::toEngineText(const QString &shown)
{
    // Paragraph breaks inside the document, line feeds in entries not yet put into it.
    QString text = shown;
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

QString QtWindowOperations::fromEngineText(std::string_view text)
{
    QString shown = fromUtf8(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

QLineEdit *QtWindowOperations::lineEdit(Field field) const
{
    switch (field) {
    case Field::txtSystem:
        return m_ui.txtSystem;
    case Field::txtugrenze:
        return m_ui.txtugrenze;
    case Field::txtnn:
        return m_ui.txtnn;
    case Field::txtEinzelfall:
        return m_ui.txtEinzelfall;
    case Field::txtHilfe:
        return m_ui.txtHilfe;
    case Field::txtErgebnis:
        break;
    }
    return nullptr;
}

std::string QtWindowOperations::text(Field field) const
{
    if (field == Field::txtErgebnis) {
        const QString shown = m_ui.txtErgebnis->document()->toRawText() + m_pendingResults;
        return toEngineText(shown).toStdString();
    }
    return lineEdit(field)->text().toStdString();
}

void QtWindowOperations::setText(Field field, std::string_view text)
{
    if (field == Field::txtErgebnis) {
        m_pendingResults.clear();
        m_ui.txtErgebnis->setPlainText(fromEngineText(text));
    } else {
        lineEdit(field)->setText(fromUtf8(text));
    }
}

void QtWindowOperations::appendResult(std::string_view piece)
{
    // Collected and put into the document in one go: a document edit per entry would cost
    // more than the search itself.
    m_pendingResults += fromEngineText(piece);
}

void QtWindowOperations::flushResults()
{
    if (m_pendingResults.isEmpty())
        return;
    QTextDocument *document = m_ui.txtErgebnis->document();
    // A write by the program ends what the user can undo, as replacing the text would; it also
    // keeps a long search from filling the undo history.
    document->setUndoRedoEnabled(false);
    QTextCursor end(document);
    end.movePosition(QTextCursor::End);
    end.insertText(m_pendingResults);
    document->setUndoRedoEnabled(true);
    m_pendingResults.clear();
}

int QtWindowOperations::checkBoxValue(CheckBox box) const
{
    const QCheckBox *check = box == CheckBox::chkNichttrivial ? m_ui.chkNichttrivial
                             : box == CheckBox::chkTeiler     ? m_ui.chkTeiler
                                                              : m_ui.chkzugross;
    switch (check->checkState()) {
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2; // greyed
    case Qt::Unchecked:
        break;
    }
    return 0;
}

void QtWindowOperations::showMessage(std::string_view text, std::string_view title,
                                     MessageIcon icon)
{
    flushResults();
    QMessageBox box(icon == MessageIcon::Information ? QMessageBox::Information
                                                     : QMessageBox::NoIcon,
                    title.empty() ? QString::fromUtf8(texts::kProgramTitle) : fromUtf8(title),
                    fromEngineText(text), QMessageBox::Ok, m_messageParent);
    box.exec();
}

void QtWindowOperations::yield()
{
    if (m_ended)
        return; // once the program ends no handler runs any more
    if (m_sinceEvents.isValid() && m_sinceEvents.elapsed() < kEventIntervalMs)
        return;
    flushResults();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    m_sinceEvents.start();
}

std::uint32_t QtWindowOperations::yieldStride() const
{
    // A yield only looks at the clock until events are due, so it may come every few thousand
    // numbers: a few microseconds apart at search speed.
    return 65536;
}

void QtWindowOperations::endProgram()
{
    if (m_ended)
        return;
    m_ended = true;
    flushResults();
    if (m_onEnd)
        m_onEnd();
}

} // namespace kz
