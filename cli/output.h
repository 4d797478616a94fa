// Standard output for kehrzaehler-cli. Pieces are written whole: an entry or a line is never cut,
// so output that stops early ends at a piece's end. A terminal gets each piece as it is made, and
// a final line break; a pipe or file gets large writes for speed, yet nothing waits there longer
// than 100 ms. The first failed write is remembered, so a full disk or a closed pipe is never
// reported as success.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

namespace kz::cli {

class Output {
  public:
    explicit Output(int fd);
    ~Output();
    Output(const Output &) = delete;
    Output &operator=(const Output &) = delete;

    // False once any write has failed: nothing more reaches the output then.
    bool write(std::string_view piece);
    // Writes what is left; false when any write failed.
    [[nodiscard]] bool finish();
    bool failed() const;

    static constexpr std::size_t kBufferSize = 1 << 20;
    static constexpr std::chrono::milliseconds kLongestWait{100};

  private:
    void writeOut(std::string_view text); // with m_mutex held
    void flushRegularly();

    const int m_fd;
    const bool m_terminal;
    mutable std::mutex m_mutex;
    std::condition_variable m_closing;
    std::string m_buffer;
    char m_last = '\n'; // the last byte written; nothing written counts as a finished line
    bool m_failed = false;
    bool m_closed = false;
    std::thread m_flusher; // started with the first piece into a pipe or file
};

} // namespace kz::cli
