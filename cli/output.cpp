#include "cli/output.h"

#include <cerrno>
#include <system_error>
#include <unistd.h>

namespace kz::cli {

Output::Output(int fd) : m_fd(fd), m_terminal(isatty(fd) == 1) {}

Output::~Output()
{
    {
        std::lock_guard lock(m_mutex);
        m_closed = true;
    }
    m_closing.notify_all();
    if (m_flusher.joinable())
        m_flusher.join();
}

bool Output::write(std::string_view piece)
{
    std::lock_guard lock(m_mutex);
    if (m_failed)
        return false;
    if (m_terminal) {
        writeOut(piece);
        return !m_failed;
    }
    if (!m_flusher.joinable() && !m_closed) {
        try {
            m_flusher = std::thread([this] { flushRegularly(); });
        } catch (const std::system_error &) {
            // Without a thread to spare the output still comes, in large pieces only.
        }
    }
    if (m_buffer.size() + piece.size() > kBufferSize) {
        writeOut(m_buffer);
        m_buffer.clear();
    }
    if (piece.size() >= kBufferSize)
        writeOut(piece);
    else
        m_buffer.append(piece);
    return !m_failed;
}

bool Output::finish()
{
    {
        std::lock_guard lock(m_mutex);
        writeOut(m_buffer);
        m_buffer.clear();
        // The shell's prompt starts on a line of its own.
        if (m_terminal && m_last != '\n')
            writeOut("\n");
        m_closed = true;
    }
    m_closing.notify_all();
    if (m_flusher.joinable())
        m_flusher.join();
    return !failed();
}

bool Output::failed() const
{
    std::lock_guard lock(m_mutex);
    return m_failed;
}

void Output::writeOut(std::string_view text)
{
    while (!text.empty() && !m_failed) {
        const ssize_t written = ::write(m_fd, text.data(), text.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            m_failed = true;
            break;
        }
        m_last = text[std::size_t(written) - 1];
        text.remove_prefix(std::size_t(written));
    }
}

void Output::flushRegularly()
{
    std::unique_lock lock(m_mutex);
    while (!m_closed) {
        m_closing.wait_for(lock, kLongestWait);
        writeOut(m_buffer);
        m_buffer.clear();
    }
}

} // namespace kz::cli
