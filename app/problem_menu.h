// The "Problem" pop-up: SGF problems opened into the view and saved with
// their answer, and the board picture exported as a PNG.
#pragma once

#include <string>

#include "sgf/sgf.h"

class CKovraView;
class CMainFrame;
class QMenu;
class QMenuBar;

class CProblemMenu {
public:
    CProblemMenu(CMainFrame& frame, CKovraView& view) : m_frame(frame), m_view(view) {}

    // Adds the pop-up as the menu bar's last and returns it.
    QMenu* AddTo(QMenuBar* bar);

    // The work behind the items, without dialogs (scripts and the command
    // line call these). Each shows its outcome in the status bar.
    // index: the problem's place in the file, from 1; indexText, when
    // given, names it in messages (a script's number beyond int).
    bool Open(const std::string& path, int index, const std::string& indexText = std::string());
    bool Save(const std::string& path);
    bool ExportPng(const std::string& path);

private:
    void OnOpen();
    void OnSave();
    void OnExport();
    void OnCheckFirstMoves();
    // The problem the view holds, with the way back to the opened file's
    // board when it is still that problem.
    KovraProblem CurrentProblem() const;
    void Show(const std::string& text);
    // True (and says so) when writing path would overwrite a file being read.
    bool RefusedAsInput(const std::string& path);
    // True (and says so) while a script runs, which no dialog may stop.
    bool NoDialogs();

    CMainFrame& m_frame;
    CKovraView& m_view;
    bool m_opened = false;
    KovraProblem m_problem;  // the problem last opened
};
