#include "main_frame.h"

#include <cstdio>

#include <string>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QThread>
#include <QTimer>

#include "board/kovra_view.h"
#include "board_widget.h"
#include "kovra_doc.h"
#include "menu_table.h"
#include "problem_menu.h"
#include "solver_runner.h"

namespace {

// The indicator panes after the message pane.
const char* const kIndicatorTexts[4] = {"ｶﾅ", "CAP", "NUM", "SCRL"};
// Highlight flag of a pop-up item in a menu-select report.
constexpr std::uint32_t kMfPopup = 0x0010;

void EchoLine(const char* prefix, const char* text)
{
    std::fprintf(stderr, "%s%s\n", prefix, text);
    std::fflush(stderr);
}

}  // namespace

CMainFrame::CMainFrame(bool echo) : m_echo(echo), m_panes(*this)
{
    g_pMainFrame = this;
    resize(298, 354);
}

CMainFrame::~CMainFrame()
{
    m_runner.reset();  // a running read stops and may still report to the frame
    if (g_pMainFrame == this)
        g_pMainFrame = nullptr;
}

bool CMainFrame::OnCreate()
{
    QStatusBar* bar = statusBar();
    if (!bar)
        return false;
    bar->setSizeGripEnabled(false);
    m_messagePane = new QLabel(bar);
    m_messagePane->setMinimumWidth(1);
    bar->addWidget(m_messagePane, 1);
    m_progressPane = new QLabel(bar);
    m_progressPane->hide();
    bar->addPermanentWidget(m_progressPane);
    for (int i = 0; i < 4; ++i) {
        m_indicators[i] = new QLabel(QString::fromUtf8(kIndicatorTexts[i]), bar);
        m_indicators[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        m_indicators[i]->setContentsMargins(1, 0, 1, 0);
        m_indicators[i]->setEnabled(false);  // the keys' lock states are not tracked
        bar->addPermanentWidget(m_indicators[i]);
    }
    return true;
}

void CMainFrame::AttachView(CKovraView& view)
{
    m_board = new CBoardWidget(view, this);
    setCentralWidget(m_board);
    m_board->setFocus();
    m_runner.reset(new CSolverRunner(*this, view));
    m_board->SetRunner(m_runner.get());
    BuildMenu(view);
}

void CMainFrame::SetBusy(bool busy)
{
    menuBar()->setEnabled(!busy);
    m_busy = busy;
    m_progressPane->clear();
    m_progressPane->setVisible(busy);
    ShowIndicators();
    if (!busy) {
        m_board->EnsureImage();
        m_board->update();
    }
}

void CMainFrame::ShowProgress(const QString& text)
{
    m_progressPane->setText(text);
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (m_runner && m_runner->Busy()) {
        m_runner->Cancel();
        m_runner->Wait();
    }
    QMainWindow::closeEvent(event);
}

void CMainFrame::UpdateCaption(const CKovraDoc& doc)
{
    setWindowTitle(QString::fromStdString(ComposeCaption(doc, kFrameTitle)));
}

void CMainFrame::BuildMenu(CKovraView& view)
{
    QMenuBar* bar = menuBar();
    // Every pop-up's title in view at the window's own width (298 pixels):
    // the toolkit's spacing between titles would push the last behind an
    // overflow button.
    bar->setStyleSheet(QStringLiteral("QMenuBar { spacing: 0px; } QMenuBar::item { padding: 2px 3px; }"));
    for (unsigned p = 0; p < kMenuPopups; ++p) {
        const MenuPopup& popup = kMenuBar[p];
        QMenu* menu = bar->addMenu(QString::fromUtf8(popup.title));
        for (int i = 0; i < popup.count; ++i) {
            const MenuItem& item = popup.items[i];
            QAction* action = menu->addAction(QString::fromUtf8(item.label));
            action->setData(item.id);
            void (*handler)(CKovraView&) = item.handler;
            if (item.background)
                connect(action, &QAction::triggered, this, [this, handler] { m_runner->Run(handler); });
            else
                connect(action, &QAction::triggered, this, [handler, &view] { handler(view); });
        }
        WatchPopup(menu, p);
    }
    // The SGF pop-up comes last, after the pop-ups of the menu table.
    m_problem.reset(new CProblemMenu(*this, view));
    WatchPopup(m_problem->AddTo(bar), kMenuPopups);
}

// The pop-up's signals stand in for the menu-select and init-pop-up reports.
void CMainFrame::WatchPopup(QMenu* popup, unsigned popupIndex)
{
    connect(popup, &QMenu::aboutToShow, this, [this, popupIndex] {
        m_panes.OnMenuSelect(popupIndex, kMfPopup, true);
        m_panes.OnInitMenuPopup();
    });
    connect(popup, &QMenu::hovered, this, [this](QAction* action) {
        m_panes.OnMenuSelect(action->data().toUInt(), 0, true);
    });
    // Moving from one pop-up to the next hides the first before showing the
    // second, so the menu counts as closed only if no pop-up is up a moment later.
    connect(popup, &QMenu::aboutToHide, this,
            [this] { QTimer::singleShot(0, this, [this] { CheckMenuClosed(); }); });
}

void CMainFrame::CheckMenuClosed()
{
    if (QApplication::activePopupWidget() == nullptr)
        m_panes.OnMenuSelect(0, kMenuClosedFlags, false);
}

QAction* CMainFrame::FindMenuAction(const QString& label) const
{
    for (QAction* top : menuBar()->actions()) {
        QMenu* menu = top->menu();
        if (!menu)
            continue;
        for (QAction* action : menu->actions())
            if (action->text() == label)
                return action;
    }
    return nullptr;
}

void CMainFrame::SetMessageText(const char* text)
{
    if (QThread::currentThread() != thread()) {  // from a background read
        const std::string copy(text);
        QMetaObject::invokeMethod(this, [this, copy] { SetMessageText(copy.c_str()); },
                                  Qt::QueuedConnection);
        return;
    }
    if (m_messagePane) {
        m_messagePane->setText(QString::fromUtf8(text));
        m_messagePane->repaint();  // seen at once, even inside a long command
    }
    if (m_echo)
        EchoLine("status: ", text);
}

void CMainFrame::MessageBox(const char* text)
{
    if (QThread::currentThread() != thread()) {
        const std::string copy(text);
        QMetaObject::invokeMethod(this, [this, copy] { MessageBox(copy.c_str()); },
                                  Qt::QueuedConnection);
        return;
    }
    if (m_echo) {
        EchoLine("msgbox: ", text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Kovra"), QString::fromUtf8(text),
                    QMessageBox::Ok, this);
    box.exec();
}

void CMainFrame::GetPaneInfo(int index, std::uint32_t& id, std::uint32_t& style,
                             std::int32_t& width) const
{
    if (index != 0)
        return;
    id = m_pane0Id;
    style = m_pane0Style;
    width = m_pane0Width;
}

void CMainFrame::SetPaneInfo(int index, std::uint32_t id, std::uint32_t style, std::int32_t width)
{
    if (index != 0)
        return;
    m_pane0Id = id;
    m_pane0Style = style;
    m_pane0Width = width;
    ShowIndicators();
}

// The widest setting of pane 0 gives the message pane the whole bar; while
// a read runs, its progress takes the indicators' room, which the window at
// its own size has for nothing else.
void CMainFrame::ShowIndicators()
{
    const bool wide = (m_pane0Style & kSbpsStretch) != 0 && m_pane0Width >= kWidePane;
    for (QLabel* indicator : m_indicators)
        if (indicator)
            indicator->setVisible(!wide && !m_busy);
}
