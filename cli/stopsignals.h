// Ctrl+C for kehrzaehler-cli. While a StopSignals lives, SIGINT, SIGTERM and SIGHUP set its stop
// flag instead of ending the process: every mode looks at the flag between entries, stops at an
// entry's end and leaves the finished output to be written. A second signal ends the process at
// once, for a run stuck writing to a reader that never reads.
#pragma once

#include <atomic>

namespace kz::cli {

class StopSignals {
  public:
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals &) = delete;
    StopSignals &operator=(const StopSignals &) = delete;

    // Set by a signal; the run sets it too when nobody takes its output any more.
    std::atomic<bool> &flag();
    bool received() const; // whether a signal came
};

} // namespace kz::cli
