#include "script_runner.h"

#include <cstdio>
#include <string>
#include <utility>

#include <QAction>
#include <QApplication>
#include <QTimer>
#include <QKeyEvent>
#include <QMouseEvent>

#include "board/kovra_view.h"
#include "board_widget.h"
#include "main_frame.h"
#include "problem_menu.h"
#include "platform/background.h"
#include "script_event.h"
#include "script_report.h"
#include "solver_runner.h"

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

// Waits for a command the event started in the background; escapeAfter
// (milliseconds, -1 for none) presses Esc that far into it.
void WaitForCommand(CMainFrame& frame, QWidget* board, int escapeAfter)
{
    CSolverRunner* runner = frame.SolverRunner();
    if (runner == nullptr || !runner->Busy())
        return;
    // The timer ends with the wait, so its Esc never reaches a later command.
    QTimer escape;
    escape.setSingleShot(true);
    QObject::connect(&escape, &QTimer::timeout, board,
                     [board] { SendKey(board, Qt::Key_Escape, QString()); });
    if (escapeAfter >= 0)
        escape.start(escapeAfter);
    runner->Wait();
}

}  // namespace

int RunScript(CMainFrame& frame, const CKovraView& view, CScriptSource& source)
{
    CBoardWidget* board = frame.BoardWidget();
    std::string line;
    int escapeAfter = -1;
    bool traceLost = false;  // some solver run could not write db.txt
    for (int lineNumber = 1;; ++lineNumber) {
        const CScriptSource::Result read = source.Next(line);
        if (read == CScriptSource::Result::End)
            break;
        if (read == CScriptSource::Result::TooLong) {
            std::fprintf(stderr, "script: line %d: longer than %zu characters\n", lineNumber,
                         CScriptSource::kLineLimit);
            return 2;
        }
        if (read == CScriptSource::Result::Failed) {
            std::fprintf(stderr, "script: line %d: cannot read the script\n", lineNumber);
            return 2;
        }
        const ScriptEvent event = ParseScriptLine(line);
        int escapeNow = -1;
        switch (event.kind) {
        case ScriptEventKind::Nothing:
            continue;
        case ScriptEventKind::Menu: {
            QAction* action = frame.FindMenuAction(QString::fromStdString(event.text));
            if (!action) {
                Fail(lineNumber, "unknown event", line);
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
        case ScriptEventKind::EscapeAfter:
            escapeAfter = event.x;
            continue;
        case ScriptEventKind::Snapshot:
            if (frame.Inputs().Holds(event.text)) {
                Fail(lineNumber, kOutputIsAnInput, event.text);
                return 2;
            }
            if (!board->SavePng(event.text)) {
                Fail(lineNumber, "cannot write", event.text);
                return 2;
            }
            break;
        case ScriptEventKind::OpenSgf:
            frame.Problem().Open(event.text, event.index, event.number);
            break;
        case ScriptEventKind::SaveSgf:
            frame.Problem().Save(event.text);
            break;
        case ScriptEventKind::ExportPng:
            frame.Problem().ExportPng(event.text);
            break;
        case ScriptEventKind::Unknown:
            Fail(lineNumber, "unknown event", line);
            return 2;
        }
        std::swap(escapeNow, escapeAfter);
        WaitForCommand(frame, board, escapeNow);
        traceLost = traceLost || view.m_traceFailed;
        // Let the window catch up (repaints) as it would between real events.
        QApplication::processEvents();
    }
    return traceLost ? 1 : 0;
}
