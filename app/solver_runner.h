// Runs the view's long commands (the solver's reads) in the background so
// that the window keeps repainting: meanwhile the menus and the board take
// no input except Esc, which stops the read, and the status bar shows the
// progress.
#pragma once

#include <chrono>

#include "background_job.h"
#include "solver/run_control.h"

class CKovraView;
class CMainFrame;

class CSolverRunner {
public:
    CSolverRunner(CMainFrame& frame, CKovraView& view);
    ~CSolverRunner();
    CSolverRunner(const CSolverRunner&) = delete;
    CSolverRunner& operator=(const CSolverRunner&) = delete;

    // Runs the command on the worker thread; false, with nothing done,
    // while another one runs.
    bool Run(void (*command)(CKovraView&));
    bool Busy() const { return m_job.Running(); }
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
