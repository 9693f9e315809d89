// The frame services the view talks through: the status bar's message pane
// and the message box. The Qt shell implements them; tests use recorders.
#pragma once

class IStatusSink {
public:
    virtual ~IStatusSink() = default;
    // Replaces the text of the message pane at once.
    virtual void SetMessageText(const char* text) = 0;
};

class IMessageBox {
public:
    virtual ~IMessageBox() = default;
    // A modal box with the text, the application title as caption and one OK button.
    virtual void MessageBox(const char* text) = 0;
};

// Keeps the last status text a view showed (after a solver command, its
// verdict): the sink of views that no window shows.
class CStatusKeeper : public IStatusSink {
public:
    void SetMessageText(const char* text) override;
    const char* Last() const { return m_last; }

private:
    char m_last[64] = "";
};

// What the view needs of the main frame.
class CFrameWnd : public IStatusSink, public IMessageBox {};

// The one main frame; null where no frame exists (command-line tools).
extern CFrameWnd* g_pMainFrame;
