// Stops kovra-solve's reads from outside: the signals SIGINT and SIGTERM,
// watched by a thread of its own so that the searches only look at a flag.
// Whatever the program waits on, a signal ends it: when it has not wound
// down two seconds after the signal, or a second signal comes, the watch
// ends it with status 128 + the signal.
#pragma once

#include <atomic>
#include <mutex>
#include <thread>

class CSolveWatch {
public:
    // Blocks SIGINT and SIGTERM in this thread and every thread started
    // after it; call before any other thread starts.
    CSolveWatch();
    ~CSolveWatch();
    CSolveWatch(const CSolveWatch&) = delete;
    CSolveWatch& operator=(const CSolveWatch&) = delete;

    // Set once a stop signal came: every read still running stops.
    const std::atomic<bool>& CancelFlag() const { return m_cancel; }
    // The signal that arrived (SIGINT, SIGTERM), or 0.
    int Signal() const { return m_signal.load(); }

private:
    void Watch();

    std::atomic<bool> m_cancel{false};
    std::atomic<int> m_signal{0};
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};
