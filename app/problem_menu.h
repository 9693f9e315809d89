// The "Problem" pop-up: SGF problems opened into the view and saved with
// their answer, and the board picture exported as a PNG.
#pragma once

#include <string>

#include "sgf/sgf.h"

class CKovraView;
class CMainFrame;
class QByteArray;
class QMenu;
class QMenuBar;

class CProblemMenu {
public:
    CProblemMenu(CMainFrame& frame, CKovraView& view) : m_frame(frame), m_view(view) {}

    // Adds the pop-up as the menu bar's last and returns it.
    QMenu* AddTo(QMenuBar* bar);

    // The work behind the items, without dialogs (scripts and the command
    // line call these). Each shows its outcome in the status bar.
    // index: the problem's place in the file, from 1; "FILE.sgf#N" as
    // path names it instead; indexText, when given, names it in messages (a
    // script's number beyond int). An opened problem's points are named as
    // the file's board names them, and Export PNG draws it as its diagram.
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
    // The view still holds the problem last opened.
    bool StillOpened() const;
    // A point of the board for the status bar: "R18 (ba)" on the opened
    // file's board, else "(R,C)".
    std::string PointName(int x, int y) const;
    // The opened problem's diagram as a PNG; empty when it cannot be made.
    QByteArray DiagramPng();
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
