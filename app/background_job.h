// Runs one long job at a time on a worker thread while the window stays
// alive: the job looks at a cancel flag, a timer on the window's thread
// shows its progress, and a completion call runs on the window's thread
// when it has ended. Texts the job shows reach the window through queued
// calls (CMainFrame::SetMessageText).
#pragma once

#include <atomic>
#include <functional>
#include <thread>

#include <QObject>
#include <QTimer>

class CBackgroundJob : public QObject {
public:
    explicit CBackgroundJob(QObject* parent = nullptr);
    ~CBackgroundJob() override;  // stops and waits for a running job

    // Starts work on the worker thread; progress runs every 200 ms while it
    // runs and done once it has ended (outOfMemory: work ran out of memory),
    // both on this thread. False when a job is running already.
    bool Start(std::function<void()> work, std::function<void()> progress,
               std::function<void(bool outOfMemory)> done);
    bool Running() const { return m_running; }
    // Asks the job to stop; it ends at its next look at the flag.
    void Cancel() { m_cancel.store(true); }
    const std::atomic<bool>& CancelFlag() const { return m_cancel; }
    // Handles the window's events until the job has ended and done has run.
    void Wait();

private:
    void Finish(bool outOfMemory);

    std::atomic<bool> m_cancel{false};
    bool m_running = false;
    std::thread m_thread;
    QTimer m_timer;
    std::function<void(bool)> m_done;
};
