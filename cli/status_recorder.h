// The frame the headless tools report to: keeps the last status text, which
// after a solver command is its verdict.
#pragma once

#include <cstdio>

#include "platform/frame.h"

class StatusRecorder : public CFrameWnd {
public:
    void SetMessageText(const char* text) override
    {
        std::snprintf(m_last, sizeof m_last, "%s", text);
    }
    void MessageBox(const char*) override {}
    const char* Last() const { return m_last; }

private:
    char m_last[64] = "";
};
