#include "kovra_app.h"

#include <clocale>
#include <cstdio>

#include <QTimer>

#include "board/kovra_view.h"
#include "main_frame.h"
#include "problem_menu.h"
#include "sgf/sgf.h"

CKovraApp::CKovraApp() = default;
CKovraApp::~CKovraApp() = default;

bool CKovraApp::InitInstance(const std::string& document, bool echo)
{
    std::setlocale(LC_ALL, "");
    // A document file holds nothing, but one that cannot be read stops the
    // start. "FILE.sgf#N" is one problem of FILE.sgf.
    std::string path = document;
    int index = 0;
    const bool sgf = SplitProblemPath(document, path, index);
    if (!document.empty()) {
        std::FILE* file = std::fopen(path.c_str(), "r");
        if (!file) {
            std::fprintf(stderr, "kovra: cannot open %s\n", path.c_str());
            return false;
        }
        std::fclose(file);
    }
    m_doc.SetTitle();

    m_frame.reset(new CMainFrame(echo));
    if (!m_frame->OnCreate())
        return false;
    // About 14.4 MB with its result table, so it lives on the heap.
    m_view.reset(new CKovraView);
    m_frame->AttachView(*m_view);
    m_frame->UpdateCaption(m_doc);
    m_frame->show();
    // Opened once the window is up and painted, so that the marks the
    // opening draws stay on the board picture.
    if (sgf) {
        CMainFrame* frame = m_frame.get();
        QTimer::singleShot(0, frame, [frame, document] { frame->Problem().Open(document, 1); });
    }
    return true;
}
