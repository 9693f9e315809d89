#include "platform/frame.h"

CFrameWnd* g_pMainFrame = nullptr;
