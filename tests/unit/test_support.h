// Shared test doubles and ASCII-board helpers.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "board/kovra_view.h"
#include "platform/canvas.h"
#include "platform/frame.h"

// Records every status text and message box.
class RecordingFrame : public CFrameWnd {
public:
    void SetMessageText(const char* text) override { status.emplace_back(text); }
    void MessageBox(const char* text) override { boxes.emplace_back(text); }
    std::string Last() const { return status.empty() ? std::string() : status.back(); }
    std::vector<std::string> status;
    std::vector<std::string> boxes;
};

// Records every drawing call as one line of text.
class RecordingCanvas : public ICanvas {
public:
    int ClientWidth() const override { return width; }
    int ClientHeight() const override { return height; }
    void FillRect(int l, int t, int r, int b, Rgb c) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Ellipse(int l, int t, int r, int b, Brush brush) override;
    void SetTextColor(Rgb c) override;
    void SetBkModeTransparent() override;
    void TextOut(int x, int y, const char* text) override;
    // The calls whose text starts with prefix.
    std::vector<std::string> Calls(const std::string& prefix) const;

    int width = 282;
    int height = 285;
    std::vector<std::string> calls;
};

// A fresh view on the heap (it holds the 14 MB result table) wired to a
// recording frame and canvas.
class ViewHarness {
public:
    ViewHarness();
    ~ViewHarness();
    CKovraView& view() { return *m_view; }

    RecordingFrame frame;
    RecordingCanvas canvas;

private:
    std::unique_ptr<CKovraView> m_view;
};

// Puts a position given as rows of 'X' (black), 'O' (white) and '.' into
// the view's board, top-left corner first; rows may be shorter than 11.
// Spaces are ignored. Writes only m_board, as the stone-edit clicks do.
void SetBoard(CKovraView& view, const std::vector<std::string>& rows);

// The board as 11 rows of '.', 'X', 'O'.
std::vector<std::string> BoardRows(const CKovraView& view);

// The group map as 11 rows: '.' for 0, '1'-'9', 'a'-'f' for 10-15.
std::vector<std::string> GroupRows(const CKovraView& view);

// Plays a move by the protocol (history, stone, CheckMove, PlaceStone on the
// view's own set). Returns CheckMove's result; an illegal move is taken back.
int PlayMove(CKovraView& view, char kind, int x, int y);

// Adds a move-list entry as a click in that mode does.
void AddMoveEntry(CKovraView& view, char kind, int x, int y);
