#include "engine/plainwindow.h"

namespace kz {

// In the order of Field and CheckBox.
PlainWindow::PlainWindow() : m_fields{"10", "1", "100000", "9801", "", ""}, m_checks{1, 1, 0} {}

std::string PlainWindow::text(Field f) const
{
    return field(f);
}

void PlainWindow::setText(Field f, std::string_view text)
{
    field(f).assign(text);
}

void PlainWindow::appendResult(std::string_view piece)
{
    field(Field::txtErgebnis).append(piece);
}

int PlainWindow::checkBoxValue(CheckBox box) const
{
    return m_checks[static_cast<std::size_t>(box)];
}

void PlainWindow::showMessage(std::string_view text, std::string_view title, MessageIcon icon)
{
    m_messages.push_back({std::string(text), std::string(title), icon});
}

void PlainWindow::yield()
{
    ++m_yields;
    // Once the program has ended no handler runs any more.
    if (onYield && !m_ended)
        onYield(m_yields);
}

void PlainWindow::endProgram()
{
    m_ended = true;
}

} // namespace kz
