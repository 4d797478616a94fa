#include "cli/streamingwindow.h"

namespace kz::cli {

namespace {

constexpr std::size_t kBufferSize = 1 << 20;

} // namespace

bool writeAll(std::FILE *out, std::string_view text)
{
    return std::fwrite(text.data(), 1, text.size(), out) == text.size();
}

void StreamingWindow::appendResult(std::string_view piece)
{
    m_buffer.append(piece);
    if (m_buffer.size() >= kBufferSize)
        flush();
}

bool StreamingWindow::flush()
{
    if (!m_buffer.empty() && !m_failed)
        m_failed = !writeAll(m_out, m_buffer);
    m_buffer.clear();
    return !m_failed && std::fflush(m_out) == 0;
}

} // namespace kz::cli
