// Views for readings that run side by side: one view, and so one 14 MB
// result table, per worker thread, each with its own status texts.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "board/kovra_view.h"
#include "platform/frame.h"
#include "solver/run_control.h"

// Keeps the last status text a view showed: after a solver command, its verdict.
class CStatusKeeper : public IStatusSink {
public:
    void SetMessageText(const char* text) override;
    const char* Last() const { return m_last; }

private:
    char m_last[64] = "";
};

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
    int Workers() const { return m_workers; }
    // Worker w's view, made now if not yet there.
    CReadingWorker& Worker(int w);
    // Runs task(t, worker) for t = 0 .. count - 1 on up to Workers() threads
    // (the calling thread is one of them), handing tasks out in order;
    // returns when all are done.
    void Run(int count, const std::function<void(int task, CReadingWorker& worker)>& task);

    // The number of cores, at least 1.
    static int Cores();

private:
    int m_workers;
    std::vector<std::unique_ptr<CReadingWorker>> m_pool;
};
