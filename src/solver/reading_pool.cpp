#include "solver/reading_pool.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>

CReadingWorker::CReadingWorker() : m_view(new CKovraView)
{
    m_view->m_pStatus = &m_status;
    m_view->m_traceName = nullptr;
    m_view->m_writeSummary = false;
    m_view->m_runControl = &m_control;
}

CReadingPool::CReadingPool(int workers) : m_workers(std::max(1, workers)) {}

CReadingWorker& CReadingPool::Worker(int w)
{
    if (static_cast<int>(m_pool.size()) <= w)
        m_pool.resize(static_cast<std::size_t>(w) + 1);
    if (!m_pool[static_cast<std::size_t>(w)])
        m_pool[static_cast<std::size_t>(w)].reset(new CReadingWorker);
    return *m_pool[static_cast<std::size_t>(w)];
}

void CReadingPool::Run(int count, const std::function<void(int, CReadingWorker&)>& task)
{
    const int threads = std::min(m_workers, count);
    if (threads <= 0)
        return;
    // Views are made here, on one thread, before anyone reads.
    for (int w = 0; w < threads; ++w)
        Worker(w);
    std::atomic<int> next(0);
    std::mutex failedLock;
    std::exception_ptr failed;
    auto work = [&](int w) {
        CReadingWorker& worker = *m_pool[static_cast<std::size_t>(w)];
        for (int t = next++; t < count; t = next++) {
            try {
                task(t, worker);
            } catch (...) {
                std::lock_guard<std::mutex> lock(failedLock);
                if (!failed)
                    failed = std::current_exception();
                next = count;  // nothing more is handed out
            }
        }
    };
    std::vector<std::thread> others;
    for (int w = 1; w < threads; ++w) {
        try {
            others.emplace_back(work, w);
        } catch (const std::system_error&) {
            break;  // the threads there are do the work
        }
    }
    work(0);
    for (std::thread& thread : others)
        thread.join();
    if (failed)
        std::rethrow_exception(failed);
}

int CReadingPool::Cores()
{
    const unsigned cores = std::thread::hardware_concurrency();
    return std::max(1, std::min(kMaxWorkers, static_cast<int>(cores)));
}
