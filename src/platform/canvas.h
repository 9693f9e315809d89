// The drawing operations of the board window, in client pixels.
// Qt draws them into an image; tests record them.
#pragma once

#include <cstdint>

using Rgb = std::uint32_t;  // 0xRRGGBB

constexpr Rgb MakeRgb(int r, int g, int b)
{
    return (Rgb(r) << 16) | (Rgb(g) << 8) | Rgb(b);
}

enum class Brush { Black, White };

class ICanvas {
public:
    virtual ~ICanvas() = default;
    virtual int ClientWidth() const = 0;
    virtual int ClientHeight() const = 0;
    // Fills [left, right) x [top, bottom) with a solid colour.
    virtual void FillRect(int left, int top, int right, int bottom, Rgb colour) = 0;
    virtual void MoveTo(int x, int y) = 0;
    // Draws a black line from the current position to (x, y), which becomes current.
    virtual void LineTo(int x, int y) = 0;
    // An ellipse inside [left, right) x [top, bottom): black outline, filled with the brush.
    virtual void Ellipse(int left, int top, int right, int bottom, Brush brush) = 0;
    virtual void SetTextColor(Rgb colour) = 0;
    virtual void SetBkModeTransparent() = 0;
    // Writes text with its top-left corner at (x, y) in the default font.
    virtual void TextOut(int x, int y, const char* text) = 0;
};
