// Runs one piece of work at a time on its own thread and the step after it
// on the user-interface thread, through the event queue of a context object.
#pragma once

#include <functional>
#include <thread>

#include "platform/background.h"

class QObject;

class CBackgroundRunner : public IBackgroundRunner {
public:
    explicit CBackgroundRunner(QObject* context) : m_context(context) {}
    // Waits for running work; its done step is dropped.
    ~CBackgroundRunner() override;
    CBackgroundRunner(const CBackgroundRunner&) = delete;
    CBackgroundRunner& operator=(const CBackgroundRunner&) = delete;

    bool Start(std::function<void()> work, std::function<void()> done) override;
    bool Busy() const override { return m_busy; }

private:
    QObject* m_context;
    std::thread m_thread;
    bool m_busy = false;  // read and written on the user-interface thread only
};
