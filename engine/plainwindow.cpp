#include "engine/plainwindow.h"

#include "engine/openingvalues.h"

namespace kz {

PlainWindow::PlainWindow()
{
    for (std::size_t f = 0; f < m_fields.size(); ++f)
        m_fields[f] = openingText(static_cast<Field>(f));
    for (std::size_t b = 0; b < m_checks.size(); ++b)
        m_checks[b] = openingCheck(static_cast<CheckBox>(b));
}

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
