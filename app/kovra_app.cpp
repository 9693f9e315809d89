#include "kovra_app.h"

#include <clocale>
#include <cstdio>

#include "background_runner.h"
#include "board/kovra_view.h"
#include "main_frame.h"

CKovraApp::CKovraApp() = default;
CKovraApp::~CKovraApp() = default;

bool CKovraApp::InitInstance(const std::string& document, bool echo)
{
    std::setlocale(LC_ALL, "");
    // A document file holds nothing, but one that cannot be read stops the start.
    if (!document.empty()) {
        std::FILE* file = std::fopen(document.c_str(), "r");
        if (!file) {
            std::fprintf(stderr, "kovra: cannot open %s\n", document.c_str());
            return false;
        }
        std::fclose(file);
    }
    m_doc.SetTitle(document);

    m_frame.reset(new CMainFrame(echo));
    if (!m_frame->OnCreate())
        return false;
    // About 14.4 MB with its result table, so it lives on the heap.
    m_view.reset(new CKovraView);
    m_background.reset(new CBackgroundRunner(m_frame.get()));
    m_view->m_pBackground = m_background.get();
    m_frame->AttachView(*m_view);
    m_frame->UpdateCaption(m_doc);
    m_frame->show();
    return true;
}
