#include "background_runner.h"

#include <utility>

#include <QMetaObject>
#include <QObject>

CBackgroundRunner::~CBackgroundRunner()
{
    if (m_thread.joinable())
        m_thread.join();
}

bool CBackgroundRunner::Start(std::function<void()> work, std::function<void()> done)
{
    if (m_busy)
        return false;
    if (m_thread.joinable())
        m_thread.join();  // finished: its done step has run
    m_busy = true;
    m_thread = std::thread([this, work = std::move(work), done = std::move(done)]() mutable {
        work();
        QMetaObject::invokeMethod(
            m_context,
            [this, done = std::move(done)] {
                m_busy = false;
                done();
            },
            Qt::QueuedConnection);
    });
    return true;
}
