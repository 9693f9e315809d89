// The "About" item of the Debug menu.
#include "board/kovra_view.h"
#include "platform/frame.h"

void CKovraView::OnAbout()
{
    if (g_pMainFrame)
        g_pMainFrame->MessageBox("Welcome to Quillmere");
}
