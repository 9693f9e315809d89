#include "kovra_app.h"

#include <clocale>
#include <cstdio>

#include <sys/stat.h>

#include <QFileInfo>
#include <QTimer>

#include "board/kovra_view.h"
#include "main_frame.h"
#include "platform/open_file.h"
#include "problem_menu.h"
#include "sgf/sgf.h"

CKovraApp::CKovraApp() = default;
CKovraApp::~CKovraApp() = default;

namespace {

// Why a document named on the command line is not opened as a problem
// (only SGF files are), or empty when it is.
std::string WhyNotOpened(const std::string& document, const InputFile& in)
{
    if (in.refused)
        return in.why;
    struct stat st;
    if (::fstat(fileno(in.file), &st) == 0 && S_ISDIR(st.st_mode))
        return "a directory";
    if (!IsSgfPath(document.c_str()))
        return "not an SGF file (.sgf)";
    return std::string();
}

}  // namespace

bool CKovraApp::InitInstance(const std::string& document, bool echo)
{
    std::setlocale(LC_ALL, "");
    // A document file holds nothing, but one that cannot be read stops the
    // start; one that is no problem file is named in the status bar.
    // "FILE.sgf#N" is one problem of FILE.sgf.
    std::string path = document;
    int index = 0;
    SplitProblemPath(document, path, index);
    std::string notOpened;
    if (!document.empty()) {
        const InputFile in = OpenToRead(path.c_str());  // a pipe is refused at once
        if (!in.file && !in.refused) {
            std::fprintf(stderr, "kovra: cannot open %s\n", path.c_str());
            return false;
        }
        if (in.file) {
            notOpened = WhyNotOpened(path, in);
            std::fclose(in.file);
        } else {
            notOpened = in.why;
        }
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
    CMainFrame* frame = m_frame.get();
    if (!notOpened.empty()) {
        std::fprintf(stderr, "kovra: %s: not opened: %s\n", document.c_str(), notOpened.c_str());
        const std::string name = QFileInfo(QString::fromStdString(document)).fileName().toStdString();
        const std::string text = name + ": not opened: " + notOpened;
        CKovraView* view = m_view.get();
        QTimer::singleShot(0, frame, [view, text] { view->ShowStatus(text.c_str()); });
    } else if (!document.empty()) {
        QTimer::singleShot(0, frame, [frame, document] { frame->Problem().Open(document, 1); });
    }
    return true;
}
