// Plain window operations whose result list goes straight to a file as it grows. A search only
// ever appends to the list, so its final text is exactly what was written, and a list of any
// length needs no more memory than the write buffer.
#pragma once

#include "engine/plainwindow.h"

#include <cstdio>

namespace kz::cli {

class StreamingWindow : public PlainWindow {
  public:
    explicit StreamingWindow(std::FILE *out) : m_out(out) {}
    ~StreamingWindow() override { flush(); }

    void appendResult(std::string_view piece) override;
    // Writes what is buffered; false once any write has failed.
    bool flush();

  private:
    std::FILE *m_out;
    std::string m_buffer;
    bool m_failed = false;
};

// Writes text whole; false when the file refused part of it.
bool writeAll(std::FILE *out, std::string_view text);

} // namespace kz::cli
