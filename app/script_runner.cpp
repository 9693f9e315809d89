#include "script_runner.h"

#include <cstdio>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include "board/kovra_view.h"
#include "board_widget.h"
#include "main_frame.h"
#include "platform/background.h"
#include "script_event.h"
#include "script_report.h"

namespace {

void Report(const std::string& text)
{
    std::fputs(text.c_str(), stderr);
    std::fflush(stderr);
}

void SendClick(QWidget* widget, int x, int y)
{
    const QPointF local(x, y);
    const QPointF global = widget->mapToGlobal(local);
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

void SendKey(QWidget* widget, int key, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &release);
}

// The key that types the character, for the key-press report.
int KeyOfCharacter(unsigned ch)
{
    if (ch >= 'a' && ch <= 'z')
        return Qt::Key_A + int(ch - 'a');
    if (ch >= 0x20 && ch < 0x7F)
        return int(ch);  // Qt's key codes match ASCII for these
    return Qt::Key_unknown;
}

void Fail(int lineNumber, const char* what, const std::string& text)
{
    std::fprintf(stderr, "script: line %d: %s: %s\n", lineNumber, what, text.c_str());
    std::fflush(stderr);
}

}  // namespace

int RunScript(CMainFrame& frame, const CKovraView& view, const std::vector<std::string>& lines)
{
    CBoardWidget* board = frame.BoardWidget();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int lineNumber = static_cast<int>(i) + 1;
        const ScriptEvent event = ParseScriptLine(lines[i]);
        switch (event.kind) {
        case ScriptEventKind::Nothing:
            continue;
        case ScriptEventKind::Menu: {
            QAction* action = frame.FindMenuAction(QString::fromStdString(event.text));
            if (!action) {
                Fail(lineNumber, "unknown event", lines[i]);
                return 2;
            }
            action->trigger();
            break;
        }
        case ScriptEventKind::Click:
            SendClick(board, event.x, event.y);
            break;
        case ScriptEventKind::Char:
            SendKey(board, KeyOfCharacter(event.ch), QString::fromUcs4(reinterpret_cast<const char32_t*>(&event.ch), 1));
            break;
        case ScriptEventKind::KeyUp:
            SendKey(board, Qt::Key_Up, QString());
            break;
        case ScriptEventKind::KeyDown:
            SendKey(board, Qt::Key_Down, QString());
            break;
        case ScriptEventKind::Board:
            Report(BoardReport(view));
            break;
        case ScriptEventKind::Groups:
            Report(GroupsReport(view));
            break;
        case ScriptEventKind::State:
            Report(StateReport(view));
            break;
        case ScriptEventKind::Snapshot:
            if (!board->Image().save(QString::fromStdString(event.text), "PNG")) {
                Fail(lineNumber, "cannot write", event.text);
                return 2;
            }
            break;
        case ScriptEventKind::Wait:
            while (view.m_pBackground && view.m_pBackground->Busy())
                QApplication::processEvents(QEventLoop::WaitForMoreEvents);
            break;
        case ScriptEventKind::Unknown:
            Fail(lineNumber, "unknown event", lines[i]);
            return 2;
        }
        // Let the window catch up (repaints) as it would between real events.
        QApplication::processEvents();
    }
    return 0;
}
