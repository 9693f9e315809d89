// Work that runs away from the user-interface thread, with a step that
// runs on that thread once the work is done. The Qt shell implements it.
#pragma once

#include <atomic>
#include <functional>

class IBackgroundRunner {
public:
    virtual ~IBackgroundRunner() = default;
    // Starts work on another thread; done follows on the user-interface
    // thread. False, and nothing started, while earlier work is running.
    virtual bool Start(std::function<void()> work, std::function<void()> done) = 0;
    // True from Start until done has run.
    virtual bool Busy() const = 0;
    // Set when the user stops the work (Esc, closing the window).
    virtual const std::atomic<bool>* CancelFlag() const = 0;
};
