// Views for readings that run side by side: one view, and so one 14 MB
// result table, per worker thread, each with its own status texts.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "board/kovra_view.h"
#include "platform/frame.h"
#include "solver/run_control.h"

// One worker: its view (reporting to its own keeper, no trace, no summary
// line) and the control through which its reads are stopped.
struct CReadingWorker {
    CReadingWorker();
    CKovraView& View() { return *m_view; }
    const char* LastStatus() const { return m_status.Last(); }
    CRunControl& Control() { return m_control; }

private:
    std::unique_ptr<CKovraView> m_view;
    CStatusKeeper m_status;
    CRunControl m_control;
};

class CReadingPool {
public:
    // workers >= 1; the views are made when first needed.
    explicit CReadingPool(int workers);
    // Worker w's view, made now if not yet there.
    CReadingWorker& Worker(int w);
    // Runs task(t, worker) for t = 0 .. count - 1 on up to `workers` threads
    // (the calling thread is one of them; fewer when no more can be
    // started), handing tasks out in order; returns when all are done. The
    // first exception a task throws stops the handing out and is rethrown.
    void Run(int count, const std::function<void(int task, CReadingWorker& worker)>& task);

    // Each worker holds a 14 MB table: no more than this many.
    static constexpr int kMaxWorkers = 64;
    // The number of cores, from 1 to kMaxWorkers.
    static int Cores();

private:
    int m_workers;
    std::vector<std::unique_ptr<CReadingWorker>> m_pool;
};
