// Standard output for kehrzaehler-cli: text is collected and written in large pieces, and the
// first failed write is remembered, so a full disk or a closed pipe is never reported as success.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace kz::cli {

class Output {
  public:
    explicit Output(std::FILE *file) : m_file(file) {}
    Output(const Output &) = delete;
    Output &operator=(const Output &) = delete;
    ~Output() { finish(); }

    void write(std::string_view text)
    {
        m_buffer.append(text);
        if (m_buffer.size() >= kBufferSize)
            writeBuffer();
    }
    // Writes what is collected and flushes the file; false once any write has failed.
    bool finish();
    bool failed() const { return m_failed; }

  private:
    static constexpr std::size_t kBufferSize = 1 << 20;
    void writeBuffer();

    std::FILE *m_file;
    std::string m_buffer;
    bool m_failed = false;
};

} // namespace kz::cli
