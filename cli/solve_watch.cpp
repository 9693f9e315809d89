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
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_thread.join();
}

void CSolveWatch::StartRead(double seconds)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_cancel.store(m_signal.load() != 0);
    m_timed = seconds > 0;
    if (m_timed)
        m_deadline = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                        std::chrono::duration<double>(seconds));
}

void CSolveWatch::EndRead()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_timed = false;
}

// Looks for a signal every 50 ms; sets the flag when one comes or when the
// read's time is up.
void CSolveWatch::Watch()
{
    for (;;) {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_stop)
                return;
            if (m_timed && Clock::now() >= m_deadline)
                m_cancel.store(true);
        }
        if (const int signal = WaitForSignal()) {
            m_signal.store(signal);
            m_cancel.store(true);
        }
    }
}
