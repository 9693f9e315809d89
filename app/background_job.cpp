#include "background_job.h"

#include <new>
#include <system_error>

#include <QCoreApplication>
#include <QEventLoop>

CBackgroundJob::CBackgroundJob(QObject* parent) : QObject(parent)
{
    m_timer.setInterval(200);
}

CBackgroundJob::~CBackgroundJob()
{
    if (m_thread.joinable()) {
        Cancel();
        m_thread.join();
    }
}

bool CBackgroundJob::Start(std::function<void()> work, std::function<void()> progress,
                           std::function<void(bool)> done)
{
    if (m_running)
        return false;
    m_running = true;
    m_cancel.store(false);
    m_done = std::move(done);
    QObject::disconnect(&m_timer, nullptr, nullptr, nullptr);
    connect(&m_timer, &QTimer::timeout, this, std::move(progress));
    m_timer.start();
    try {
        m_thread = std::thread([this, work = std::move(work)] {
            bool outOfMemory = false;
            try {
                work();
            } catch (const std::bad_alloc&) {
                outOfMemory = true;
            } catch (const std::system_error&) {  // the work's own threads
                outOfMemory = true;
            }
            QMetaObject::invokeMethod(this, [this, outOfMemory] { Finish(outOfMemory); },
                                      Qt::QueuedConnection);
        });
    } catch (const std::system_error&) {  // no thread to be had
        m_timer.stop();
        m_running = false;
        m_done = nullptr;
        return false;
    }
    return true;
}

void CBackgroundJob::Wait()
{
    while (m_running)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void CBackgroundJob::Finish(bool outOfMemory)
{
    m_thread.join();
    m_timer.stop();
    m_running = false;
    const std::function<void(bool)> done = std::move(m_done);
    m_done = nullptr;
    if (done)
        done(outOfMemory);
}
