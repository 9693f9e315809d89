// Stops kovra-solve's reads from outside: a time limit per read and the
// signals SIGINT and SIGTERM, watched by a thread of its own so that the
// search only looks at a flag.
#pragma once

#include <atomic>
#include <chrono>
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

    // Starts a read: clears the flag and, for seconds > 0, sets its limit.
    void StartRead(double seconds);
    // Ends the time limit of the read.
    void EndRead();
    const std::atomic<bool>& CancelFlag() const { return m_cancel; }
    // The signal that arrived (SIGINT, SIGTERM), or 0.
    int Signal() const { return m_signal.load(); }

private:
    void Watch();

    std::atomic<bool> m_cancel{false};
    std::atomic<int> m_signal{0};
    using Clock = std::chrono::steady_clock;
    std::mutex m_mutex;
    Clock::time_point m_deadline;
    bool m_timed = false;  // the current read has a time limit
    bool m_stop = false;
    std::thread m_thread;
};
