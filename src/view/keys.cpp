// Single-key commands: the arrows start the solver, characters choose the
// position file or call the same handlers as the menu.
#include <cstdio>

#include "board/kovra_view.h"

void CKovraView::OnKeyDown(unsigned nChar)
{
    if (nChar == kVkUp)
        OnStartAtk();
    else if (nChar == kVkDown)
        OnStartDef();
}

void CKovraView::OnChar(unsigned nChar)
{
    if (nChar >= '0' && nChar <= '9')
        std::snprintf(m_fileName, sizeof m_fileName, "moves%1d.txt", int(nChar - '0'));
    if (nChar == ' ')
        std::snprintf(m_fileName, sizeof m_fileName, "%s", "movesx.txt");
    // Only lower-case letters count; upper case and control characters do nothing.
    switch (nChar) {
    case 'a': OnAttack(); break;
    case 'b': OnBlackS(); break;
    case 'd': OnDefend(); break;
    case 'f': OnFMove(); break;
    case 'i': OnIgnore(); break;
    case 'm': OnMMove(); break;
    case 'n': OnNewGame(); break;
    case 'p': DrawBoard(); break;
    case 'r': OnRefresh(); break;
    case 's': OnSpaceS(); break;
    case 'w': OnWhiteS(); break;
    case 'x': OnTarget(); break;
    case 'y': OnYMove(); break;
    case 'z': OnZMove(); break;
    default: break;
    }
}
