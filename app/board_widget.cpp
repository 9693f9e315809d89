#include "board_widget.h"

#include <cmath>

#include <QBuffer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "board/kovra_view.h"
#include "platform/replace_file.h"
#include "solver_runner.h"

namespace {

// The virtual-key code of a key; only the arrows matter to the view.
unsigned VirtualKey(int key)
{
    switch (key) {
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return CKovraView::kVkUp;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return CKovraView::kVkDown;
    default: break;
    }
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z) ||
        key == Qt::Key_Space)
        return static_cast<unsigned>(key);
    return 0;
}

}  // namespace

CBoardWidget::CBoardWidget(CKovraView& view, QWidget* parent)
    : QWidget(parent), m_view(view), m_canvas(m_image, this)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_view.m_pCanvas = &m_canvas;
}

CBoardWidget::~CBoardWidget()
{
    m_view.m_pCanvas = nullptr;
}

void CBoardWidget::EnsureImage()
{
    if (m_runner && m_runner->Busy())
        return;  // the read owns the view; the picture stays as it was
    const QSize client = size();
    if (!m_image.isNull() && m_image.size() == client)
        return;
    if (client.isEmpty())
        return;
    m_image = QImage(client, QImage::Format_RGB32);
    m_view.OnDraw();
    update();
}

bool CBoardWidget::SavePng(const std::string& path) const
{
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !m_image.save(&buffer, "PNG"))
        return false;
    return ReplaceFileWith(path.c_str(), png.constData(), static_cast<std::size_t>(png.size()));
}

void CBoardWidget::paintEvent(QPaintEvent* /*event*/)
{
    EnsureImage();
    QPainter painter(this);
    painter.drawImage(0, 0, m_image);
}

void CBoardWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    EnsureImage();
}

void CBoardWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && !(m_runner && m_runner->Busy())) {
        const QPointF p = event->position();
        m_view.OnLButtonDown(static_cast<int>(std::floor(p.x())),
                             static_cast<int>(std::floor(p.y())));
    }
    event->accept();
}

void CBoardWidget::keyPressEvent(QKeyEvent* event)
{
    if (m_runner && m_runner->Busy()) {
        if (event->key() == Qt::Key_Escape)
            m_runner->Cancel();
        event->accept();
        return;
    }
    const unsigned vk = VirtualKey(event->key());
    if (m_runner && (vk == CKovraView::kVkUp || vk == CKovraView::kVkDown))
        m_runner->Run(vk == CKovraView::kVkUp ? +[](CKovraView& v) { v.OnStartAtk(); }
                                              : +[](CKovraView& v) { v.OnStartDef(); });
    else if (vk != 0)
        m_view.OnKeyDown(vk);
    for (const uint code : event->text().toUcs4())
        m_view.OnChar(code);
    event->accept();
}
