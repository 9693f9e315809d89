// Drawing the board, its stones and the red marks over them.
#include <cstdio>

#include "board/kovra_view.h"
#include "platform/canvas.h"

namespace {

constexpr Rgb kYellow = MakeRgb(255, 255, 0);
constexpr Rgb kRed = MakeRgb(255, 0, 0);

// Redraws the grid segments through an emptied point; the board's edge
// lines stop at the crossing.
void DrawGridThrough(ICanvas& canvas, int column, int row, int x0, int y0)
{
    const int top = row == 1 ? y0 + 13 : y0;
    const int bottom = row == 11 ? y0 + 13 : y0 + 26;
    canvas.MoveTo(x0 + 13, top);
    canvas.LineTo(x0 + 13, bottom);
    const int left = column == 1 ? x0 + 13 : x0;
    const int right = column == 11 ? x0 + 13 : x0 + 26;
    canvas.MoveTo(left, y0 + 13);
    canvas.LineTo(right, y0 + 13);
}

}  // namespace

void CKovraView::OnDraw()
{
    DrawBoard();
}

void CKovraView::DrawBoard()
{
    if (m_pCanvas) {
        ICanvas& canvas = *m_pCanvas;
        canvas.FillRect(0, 0, canvas.ClientWidth(), canvas.ClientHeight(), kYellow);
        for (int y = 13; y <= 273; y += kCellPixels) {
            canvas.MoveTo(13, y);
            canvas.LineTo(273, y);
        }
        for (int x = 13; x <= 273; x += kCellPixels) {
            canvas.MoveTo(x, 13);
            canvas.LineTo(x, 273);
        }
        canvas.Ellipse(141, 141, 146, 146, Brush::Black);
        for (int row = 1; row <= 11; ++row)
            for (int column = 1; column <= 11; ++column) {
                const unsigned char c = m_board[row][column];
                DrawPoint(c == kBlack ? 'b' : c == kWhite ? 'w' : ' ', 0, column, row);
            }
    }
    if (m_solverSide == 'x') {
        ShowStatus("Welcome to Quillmere");
        m_solverSide = ' ';
    }
}

void CKovraView::DrawPoint(char code, int selector, int column, int row)
{
    if (!m_pCanvas)
        return;
    ICanvas& canvas = *m_pCanvas;
    const int x0 = (column - 1) * kCellPixels;
    const int y0 = (row - 1) * kCellPixels;
    if (code == 'b' || code == 'w') {
        canvas.Ellipse(x0 + 1, y0 + 1, x0 + 25, y0 + 25, code == 'b' ? Brush::Black : Brush::White);
    } else if (code == 's') {
        canvas.FillRect(x0 + 1, y0 + 1, x0 + 25, y0 + 25, kYellow);
        DrawGridThrough(canvas, column, row, x0, y0);
    }
    canvas.SetTextColor(kRed);
    if (selector == 0 || selector < -5 || m_clickMode == 's')
        return;
    char text[12] = {};
    int x = selector == -2 ? x0 + 7 : x0 + 9;
    if (selector > 0) {
        std::snprintf(text, sizeof text, "%d", selector);
        x = selector >= 10 ? x0 + 6 : x0 + 9;
    } else {
        text[0] = kMarkLetters[-selector - 1];
    }
    canvas.SetBkModeTransparent();
    canvas.TextOut(x, y0 + 5, text);
}
