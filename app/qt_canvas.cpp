#include "qt_canvas.h"

#include <QColor>
#include <QFontMetrics>
#include <QPainter>
#include <QWidget>

namespace {

QColor ToColor(Rgb rgb)
{
    return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

// One step from a towards b along an axis: -1, 0 or 1.
int Step(int a, int b)
{
    return a < b ? 1 : a > b ? -1 : 0;
}

// A one-pixel black pen without anti-aliasing, as the default pen draws.
void UseDefaultPen(QPainter& painter)
{
    QPen pen(Qt::black);
    pen.setWidth(0);
    painter.setPen(pen);
}

}  // namespace

CQtCanvas::CQtCanvas(QImage& image, QWidget* shown)
    : m_image(image), m_shown(shown), m_font(QStringLiteral("DejaVu Sans"))
{
    // A small bold face like the system font; no smoothing, so a mark is
    // drawn in pure red.
    m_font.setPixelSize(13);
    m_font.setBold(true);
    m_font.setStyleStrategy(QFont::NoAntialias);
}

int CQtCanvas::ClientWidth() const { return m_image.width(); }
int CQtCanvas::ClientHeight() const { return m_image.height(); }

void CQtCanvas::FillRect(int left, int top, int right, int bottom, Rgb colour)
{
    if (m_image.isNull() || right <= left || bottom <= top)
        return;
    QPainter painter(&m_image);
    painter.fillRect(QRect(left, top, right - left, bottom - top), ToColor(colour));
    Changed();
}

void CQtCanvas::MoveTo(int x, int y)
{
    m_current = QPoint(x, y);
}

void CQtCanvas::LineTo(int x, int y)
{
    const QPoint from = m_current;
    m_current = QPoint(x, y);
    if (m_image.isNull() || from == m_current)
        return;
    QPainter painter(&m_image);
    UseDefaultPen(painter);
    const int dx = x - from.x();
    const int dy = y - from.y();
    if (dx == 0 || dy == 0)
        painter.drawLine(from, QPoint(x - Step(from.x(), x), y - Step(from.y(), y)));
    else
        painter.drawLine(from, m_current);  // the board draws no slanted lines
    Changed();
}

void CQtCanvas::Ellipse(int left, int top, int right, int bottom, Brush brush)
{
    if (m_image.isNull() || right - left < 2 || bottom - top < 2)
        return;
    QPainter painter(&m_image);
    UseDefaultPen(painter);
    painter.setBrush(brush == Brush::Black ? Qt::black : Qt::white);
    // With a one-pixel pen the outline covers width + 1 pixels.
    painter.drawEllipse(QRect(left, top, right - left - 1, bottom - top - 1));
    Changed();
}

void CQtCanvas::SetTextColor(Rgb colour)
{
    m_textColour = colour;
}

void CQtCanvas::SetBkModeTransparent()
{
    m_transparent = true;
}

void CQtCanvas::TextOut(int x, int y, const char* text)
{
    if (m_image.isNull())
        return;
    QPainter painter(&m_image);
    painter.setFont(m_font);
    const QString s = QString::fromUtf8(text);
    const QFontMetrics metrics(m_font);
    if (!m_transparent)
        painter.fillRect(QRect(x, y, metrics.horizontalAdvance(s), metrics.height()), Qt::white);
    painter.setPen(ToColor(m_textColour));
    painter.drawText(QPoint(x, y + metrics.ascent()), s);
    Changed();
}

void CQtCanvas::Changed()
{
    if (m_shown)
        m_shown->update();
}
