// The application: builds the document, the main frame and the one view,
// and shows the window.
#pragma once

#include <memory>
#include <string>

#include "kovra_doc.h"

class CBackgroundRunner;
class CKovraView;
class CMainFrame;

class CKovraApp {
public:
    CKovraApp();
    ~CKovraApp();

    // document: a file named on the command line, or empty for a new one.
    // echo: status texts and message boxes also go to standard error.
    // False when the program cannot start.
    bool InitInstance(const std::string& document, bool echo);

    CMainFrame& Frame() { return *m_frame; }
    CKovraView& View() { return *m_view; }

private:
    CKovraDoc m_doc;
    // The view outlives the frame, whose board window draws it.
    std::unique_ptr<CKovraView> m_view;
    std::unique_ptr<CMainFrame> m_frame;
    // The view's work away from the window; goes first, waiting for it.
    std::unique_ptr<CBackgroundRunner> m_background;
};
