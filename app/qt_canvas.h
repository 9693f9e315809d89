// The board's drawing calls carried out with QPainter on the window's image,
// with the old device context's pixel rules: rectangles and ellipses stop
// short of their right and bottom edges, lines short of their end point.
#pragma once

#include <QFont>
#include <QImage>
#include <QPoint>

#include "platform/canvas.h"

class QWidget;

class CQtCanvas : public ICanvas {
public:
    // Draws into image; shown tells the widget that shows it to repaint.
    CQtCanvas(QImage& image, QWidget* shown);

    int ClientWidth() const override;
    int ClientHeight() const override;
    void FillRect(int left, int top, int right, int bottom, Rgb colour) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Ellipse(int left, int top, int right, int bottom, Brush brush) override;
    void SetTextColor(Rgb colour) override;
    void SetBkModeTransparent() override;
    void TextOut(int x, int y, const char* text) override;

private:
    void Changed();

    QImage& m_image;
    QWidget* m_shown;
    QPoint m_current;
    Rgb m_textColour = 0;
    bool m_transparent = false;
    QFont m_font;
};
