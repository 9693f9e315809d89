#include "solver_runner.h"

#include "board/kovra_view.h"
#include "main_frame.h"
#include "progress_text.h"

CSolverRunner::CSolverRunner(CMainFrame& frame, CKovraView& view) : m_frame(frame), m_view(view)
{
    m_control.cancel = &m_job.CancelFlag();
    m_view.m_runControl = &m_control;
    m_view.m_pBackground = this;
}

CSolverRunner::~CSolverRunner()
{
    if (m_job.Running()) {
        m_job.Cancel();
        m_job.Wait();
    }
    m_view.m_runControl = nullptr;
    m_view.m_pBackground = nullptr;
}

bool CSolverRunner::Run(void (*command)(CKovraView&))
{
    if (m_job.Running())
        return false;
    m_control.nodes.store(0);
    m_control.rootEntry.store(-1);
    m_started = std::chrono::steady_clock::now();
    m_frame.SetBusy(true);
    CKovraView& view = m_view;
    if (!m_job.Start([command, &view] { command(view); }, [this] { ShowProgress(); },
                     [this](bool outOfMemory) { Finished(outOfMemory); }))
        Finished(true);  // no thread could be started
    return true;
}

bool CSolverRunner::Start(std::function<void()> work, std::function<void()> done)
{
    if (m_job.Running())
        return false;
    m_frame.SetBusy(true);
    const bool started = m_job.Start(std::move(work), [] {}, [this, done](bool outOfMemory) {
        m_frame.SetBusy(false);
        if (outOfMemory)
            m_frame.MessageBox("out of memory");
        else
            done();
    });
    if (!started) {
        m_frame.SetBusy(false);
        m_frame.MessageBox("out of memory");  // no thread could be started
    }
    return started;
}

void CSolverRunner::ShowProgress()
{
    const std::int32_t entry = m_control.rootEntry.load(std::memory_order_relaxed);
    const long long nodes =
        static_cast<std::uint32_t>(m_control.nodes.load(std::memory_order_relaxed));
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - m_started).count();
    m_frame.ShowProgress(QString::fromStdString(ProgressText(entry, nodes, seconds)));
}

void CSolverRunner::Finished(bool outOfMemory)
{
    m_frame.SetBusy(false);
    if (outOfMemory)
        m_frame.MessageBox("out of memory");
    else if (m_view.m_traceFailed)
        m_view.ShowStatus("db.txt could not be written");
}
