// The board window: the client area of the main frame. It shows an image
// that the view draws into, and passes clicks and keys on to the view.
#pragma once

#include <string>

#include <QImage>
#include <QWidget>

#include "qt_canvas.h"

class CKovraView;
class CSolverRunner;

class CBoardWidget : public QWidget {
public:
    CBoardWidget(CKovraView& view, QWidget* parent);
    ~CBoardWidget() override;

    // The picture as it is shown now.
    const QImage& Image() const { return m_image; }
    // Makes the image the size of the client area and draws the whole board
    // into it, when there is none yet or the size changed.
    void EnsureImage();
    // Writes the board picture as a PNG file, whole or not at all.
    bool SavePng(const std::string& path) const;
    // The runner of the background reads: the arrow keys start them, Esc
    // stops them, and while one runs the board takes no other input and is
    // not redrawn from the view.
    void SetRunner(CSolverRunner* runner) { m_runner = runner; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    CKovraView& m_view;
    QImage m_image;
    CQtCanvas m_canvas;
    CSolverRunner* m_runner = nullptr;
};
