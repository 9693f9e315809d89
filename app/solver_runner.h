// Runs the view's long commands (the solver's reads, the check of the first
// moves) in the background so that the window keeps repainting: meanwhile
// the menus and the board take no input except Esc, which stops the read,
// and the status bar shows the progress of a solver read.
#pragma once

#include <chrono>

#include "background_job.h"
#include "platform/background.h"
#include "solver/run_control.h"

class CKovraView;
class CMainFrame;

class CSolverRunner : public IBackgroundRunner {
public:
    CSolverRunner(CMainFrame& frame, CKovraView& view);
    ~CSolverRunner() override;
    CSolverRunner(const CSolverRunner&) = delete;
    CSolverRunner& operator=(const CSolverRunner&) = delete;

    // Runs the command on the worker thread; false, with nothing done,
    // while another one runs.
    bool Run(void (*command)(CKovraView&));
    // Other work of the view (IBackgroundRunner): done runs on this thread.
    bool Start(std::function<void()> work, std::function<void()> done) override;
    bool Busy() const override { return m_job.Running(); }
    const std::atomic<bool>* CancelFlag() const override { return &m_job.CancelFlag(); }
    // Stops a running read ("cancelled").
    void Cancel() { m_job.Cancel(); }
    // Handles the window's events until the command has ended.
    void Wait() { m_job.Wait(); }

private:
    void ShowProgress();
    void Finished(bool outOfMemory);

    CMainFrame& m_frame;
    CKovraView& m_view;
    CBackgroundJob m_job;
    CRunControl m_control;
    std::chrono::steady_clock::time_point m_started;
};
