#include "cli/stopsignals.h"

#include <csignal>

namespace kz::cli {

namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

// A signal handler can reach nothing but lock-free atomics of static storage.
std::atomic<bool> g_stop{false};
std::atomic<bool> g_received{false};
static_assert(std::atomic<bool>::is_always_lock_free);

struct sigaction g_previous[std::size(kSignals)];

extern "C" void onSignal(int signal)
{
    if (g_received.exchange(true)) {
        std::signal(signal, SIG_DFL);
        std::raise(signal);
        return;
    }
    g_stop = true;
}

} // namespace

StopSignals::StopSignals()
{
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART; // a write in progress goes on: it carries finished entries
    for (std::size_t k = 0; k < std::size(kSignals); ++k) {
        sigaction(kSignals[k], &action, &g_previous[k]);
        // A signal ignored by whoever started the program (nohup, a background job) stays so.
        if (g_previous[k].sa_handler == SIG_IGN)
            sigaction(kSignals[k], &g_previous[k], nullptr);
    }
}

StopSignals::~StopSignals()
{
    for (std::size_t k = 0; k < std::size(kSignals); ++k)
        sigaction(kSignals[k], &g_previous[k], nullptr);
}

std::atomic<bool> &StopSignals::flag()
{
    return g_stop;
}

bool StopSignals::received() const
{
    return g_received;
}

} // namespace kz::cli
