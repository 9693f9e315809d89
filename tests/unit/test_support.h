// Shared test doubles, ASCII boards, problems set up as clicks set them up,
// and a scratch working directory.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "board/kovra_view.h"
#include "platform/canvas.h"
#include "platform/frame.h"

using Rows = std::vector<std::string>;

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
    int ClientWidth() const override { return 282; }
    int ClientHeight() const override { return 285; }
    void FillRect(int l, int t, int r, int b, Rgb c) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Ellipse(int l, int t, int r, int b, Brush brush) override;
    void SetTextColor(Rgb c) override;
    void SetBkModeTransparent() override;
    void TextOut(int x, int y, const char* text) override;
    // The calls whose text starts with prefix.
    Rows Calls(const std::string& prefix) const;
    Rows calls;
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

// Puts rows of 'X' (black), 'O' (white) and '.' on the board, top-left
// first; writes only m_board, as the stone-edit clicks do.
void SetBoard(CKovraView& view, const Rows& rows);
// SetBoard, then the groups built as the first target click builds them.
void SetPosition(CKovraView& view, const Rows& rows);
// The board as 11 rows of '.', 'X', 'O'; the group map as 11 rows of '.'
// for 0, '1'-'9', 'a'-'f' for 10-15.
Rows BoardRows(const CKovraView& view);
Rows GroupRows(const CKovraView& view);
// The first rows and columns of both, as "board|groups" with '/' between rows.
std::string Region(const CKovraView& view, int rows, int columns);

// Plays a move as the verification game does (history, stone, CheckMove,
// PlaceStone on the view's own set); an illegal move is taken back.
// Returns CheckMove's verdict.
int PlayMove(CKovraView& view, char kind, int x, int y);

// History entries that put nothing on the board, each with its own point.
void FillHistory(CKovraView& view, int n);

struct Entry {
    char kind;  // 'f', 'm', 'y' or 'z'
    int x;
    int y;
};

struct Problem {
    Rows rows;
    std::vector<Entry> moves;
    std::vector<CPoint> targets;
    // Stone edits after the entries were made ('b', 'w' or 's' as kind).
    std::vector<Entry> edits;
};

// A new game, the stones put as stone-edit clicks (history entries, row by
// row), the targets marked, the candidate points entered, then the edits.
void LoadProblem(CKovraView& view, const Problem& problem);

// FNV-1a of a byte string: a short fingerprint of a trace.
std::uint32_t Fnv1a(const std::string& bytes);
std::string ReadFile(const std::string& path);

// Runs each test in a fresh empty working directory.
class ScratchDirTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    CKovraView& view() { return h.view(); }
    ViewHarness h;

private:
    std::string m_dir;
    std::string m_oldDir;
};
