// The main window: menu bar, board window and the five-pane status bar
// whose first pane carries the program's messages.
#pragma once

#include <cstdint>
#include <memory>

#include <QMainWindow>

#include "input_files.h"
#include "pane_keeper.h"
#include "platform/frame.h"

class QAction;
class QLabel;
class QMenu;
class CBoardWidget;
class CKovraDoc;
class CKovraView;
class CSolverRunner;
class CProblemMenu;

class CMainFrame : public QMainWindow, public CFrameWnd, public IPaneInfo {
public:
    // With echo, every message and message box is also written to standard
    // error and message boxes do not wait (scripts).
    explicit CMainFrame(bool echo);
    ~CMainFrame() override;

    // Builds the status bar; false when it cannot be made.
    bool OnCreate();
    // Shows the view in the client area and builds the menu that reaches it.
    void AttachView(CKovraView& view);
    void UpdateCaption(const CKovraDoc& doc);

    CBoardWidget* BoardWidget() const { return m_board; }
    // Runs the solver's reads in the background; null before AttachView.
    CSolverRunner* SolverRunner() const { return m_runner.get(); }
    // While a read runs the menus take no input and the progress pane shows.
    void SetBusy(bool busy);
    void ShowProgress(const QString& text);
    // The "Problem" pop-up's work (SGF in and out, PNG export).
    CProblemMenu& Problem() const { return *m_problem; }
    // Scripts run: no dialogs may wait for a person.
    bool Scripted() const { return m_echo; }
    // The menu item with that label, as it stands in the menu; null if none.
    QAction* FindMenuAction(const QString& label) const;
    // The files being read, which no output may overwrite.
    CInputFiles& Inputs() { return m_inputs; }

    // CFrameWnd
    void SetMessageText(const char* text) override;
    void MessageBox(const char* text) override;

    // IPaneInfo
    void GetPaneInfo(int index, std::uint32_t& id, std::uint32_t& style,
                     std::int32_t& width) const override;
    void SetPaneInfo(int index, std::uint32_t id, std::uint32_t style,
                     std::int32_t width) override;

protected:
    // Closing the window stops a running read first.
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenu(CKovraView& view);
    void WatchPopup(QMenu* popup, unsigned popupIndex);
    void CheckMenuClosed();
    void ShowIndicators();

    bool m_echo;
    CPaneKeeper m_panes;
    QLabel* m_messagePane = nullptr;
    QLabel* m_indicators[4] = {};
    std::uint32_t m_pane0Id = 0;
    std::uint32_t m_pane0Style = kSbpsNoBorders | kSbpsStretch;
    std::int32_t m_pane0Width = 0;
    CBoardWidget* m_board = nullptr;
    QLabel* m_progressPane = nullptr;
    bool m_busy = false;  // a read runs in the background
    std::unique_ptr<CSolverRunner> m_runner;
    std::unique_ptr<CProblemMenu> m_problem;
    CInputFiles m_inputs;
};
