#include "cli/output.h"

namespace kz::cli {

void Output::writeBuffer()
{
    if (!m_buffer.empty() && !m_failed)
        m_failed = std::fwrite(m_buffer.data(), 1, m_buffer.size(), m_file) != m_buffer.size();
    m_buffer.clear();
}

bool Output::finish()
{
    writeBuffer();
    if (!m_failed && std::fflush(m_file) != 0)
        m_failed = true;
    return !m_failed;
}

} // namespace kz::cli
