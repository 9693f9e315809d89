// Plays arbitrary scripts on a fresh view: menu commands, clicks anywhere,
// typed characters and arrow keys, parsed as the script runner parses them.
// Solver runs are let through only on small move lists, so that each input
// stays quick.
#include <cstdint>
#include <new>
#include <sstream>
#include <string>

#include "board/kovra_view.h"
#include "invariants.h"
#include "menu_table.h"
#include "platform/canvas.h"
#include "script_event.h"

namespace {

// Accepts every drawing call.
class NullCanvas : public ICanvas {
public:
    int ClientWidth() const override { return 282; }
    int ClientHeight() const override { return 285; }
    void FillRect(int, int, int, int, Rgb) override {}
    void MoveTo(int, int) override {}
    void LineTo(int, int) override {}
    void Ellipse(int, int, int, int, Brush) override {}
    void SetTextColor(Rgb) override {}
    void SetBkModeTransparent() override {}
    void TextOut(int, int, const char*) override {}
};

bool SolverIsCheap(const CKovraView& view)
{
    return view.m_moveCount <= 6;
}

bool StartsSolver(const MenuItem& item)
{
    // StartAtk, StartDef
    return item.id == 32787 || item.id == 32786;
}

void Play(CKovraView& view, const ScriptEvent& event)
{
    switch (event.kind) {
    case ScriptEventKind::Menu:
        if (const MenuItem* item = FindMenuItem(event.text))
            if (!StartsSolver(*item) || SolverIsCheap(view))
                item->handler(view);
        break;
    case ScriptEventKind::Click:
        view.OnLButtonDown(event.x, event.y);
        break;
    case ScriptEventKind::Char:
        view.OnChar(event.ch);
        break;
    case ScriptEventKind::KeyUp:
        if (SolverIsCheap(view))
            view.OnKeyDown(CKovraView::kVkUp);
        break;
    case ScriptEventKind::KeyDown:
        if (SolverIsCheap(view))
            view.OnKeyDown(CKovraView::kVkDown);
        break;
    default:
        break;  // reports and snapshots draw nothing new
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static NullCanvas canvas;
    // One view for the whole run, made afresh in place for every input:
    // a new 14 MB object per input would cost more than the script.
    static CKovraView* view = new CKovraView;
    view->~CKovraView();
    new (view) CKovraView;
    view->m_pCanvas = &canvas;
    WatchStatusBar();
    std::istringstream script(std::string(reinterpret_cast<const char*>(data), size));
    std::string line;
    while (std::getline(script, line)) {
        const ScriptEvent event = ParseScriptLine(line);
        if (event.kind == ScriptEventKind::Unknown)
            break;  // the runner stops here too
        Play(*view, event);
        CheckViewInvariants(*view);
    }
    return 0;
}
