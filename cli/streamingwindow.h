// Plain window operations whose result list goes straight to the output as it grows. A search only
// ever appends to the list, so its final text is exactly what was written, and a list of any
// length needs no more memory than the output's buffer.
#pragma once

#include "cli/output.h"
#include "engine/plainwindow.h"

namespace kz::cli {

class StreamingWindow : public PlainWindow {
  public:
    explicit StreamingWindow(Output &out) : m_out(out) {}

    void appendResult(std::string_view piece) override { m_out.write(piece); }

  private:
    Output &m_out;
};

} // namespace kz::cli
