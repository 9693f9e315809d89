#include "solve_watch.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <pthread.h>

namespace {

// How long the program may take to wind down after a stop signal (the
// reads stop within milliseconds; their lines are printed, temporary files
// removed). Longer means it waits on something that may never come, such
// as a full pipe on standard output.
constexpr std::chrono::seconds kWindDown{2};

sigset_t StopSignals()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    return set;
}

// Waits up to 50 ms for a stop signal; returns it, or 0.
int WaitForSignal()
{
    const sigset_t set = StopSignals();
    const timespec slice = {0, 50 * 1000 * 1000};
    const int signal = sigtimedwait(&set, nullptr, &slice);
    return signal > 0 ? signal : 0;
}

}  // namespace

CSolveWatch::CSolveWatch()
{
    const sigset_t set = StopSignals();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    m_thread = std::thread([this] { Watch(); });
}

CSolveWatch::~CSolveWatch()
{
    m_stop.store(true);
    m_thread.join();
}

// Looks for a signal every 50 ms. The first stops the reads and lets the
// program wind down; a second one, or a wind-down that takes too long,
// ends the program at once with the first signal's status.
void CSolveWatch::Watch()
{
    std::chrono::steady_clock::time_point stopAt;
    while (!m_stop.load()) {
        const int signal = WaitForSignal();
        const auto now = std::chrono::steady_clock::now();
        if (signal != 0 && m_signal.load() != 0)
            std::_Exit(128 + m_signal.load());
        if (signal != 0) {
            m_signal.store(signal);
            m_cancel.store(true);
            stopAt = now + kWindDown;
        }
        if (m_signal.load() != 0 && now >= stopAt)
            std::_Exit(128 + m_signal.load());
    }
}
