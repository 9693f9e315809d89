#include "solve_watch.h"

#include <csignal>
#include <ctime>
#include <pthread.h>

namespace {

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

// Looks for a signal every 50 ms.
void CSolveWatch::Watch()
{
    while (!m_stop.load()) {
        if (const int signal = WaitForSignal()) {
            m_signal.store(signal);
            m_cancel.store(true);
        }
    }
}
