#include "platform/frame.h"

#include <cstdio>

CFrameWnd* g_pMainFrame = nullptr;

void CStatusKeeper::SetMessageText(const char* text)
{
    std::snprintf(m_last, sizeof m_last, "%s", text);
}
