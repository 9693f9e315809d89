#include "invariants.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "board/group_table.h"
#include "board/kovra_view.h"
#include "group_checks.h"
#include "platform/frame.h"

namespace {

void Require(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

// Remembers whether the group table ran full during the current input: only
// then may a stone stand outside every group.
class StatusWatch : public CFrameWnd {
public:
    void SetMessageText(const char* text) override
    {
        Require(text != nullptr, "status text");
        if (std::strcmp(text, kGroupTableFull) == 0)
            tableFull = true;
    }
    void MessageBox(const char*) override {}
    bool tableFull = false;
};

StatusWatch& Watch()
{
    static StatusWatch watch;
    return watch;
}

}  // namespace

void WatchStatusBar()
{
    Watch().tableFull = false;
    g_pMainFrame = &Watch();
}

void CheckViewInvariants(const CKovraView& v)
{
    Require(v.m_histCount >= 0 && v.m_histCount <= kHistorySize, "history count");
    Require(v.m_histBase >= 0 && v.m_histBase <= kHistorySize, "history base");
    Require(v.m_moveCount >= 0 && v.m_moveCount <= kMaxMoves, "move count");
    Require(v.m_targetCount >= 0 && v.m_targetCount <= kMaxTargets, "target count");
    Require(v.m_groupCount >= 0 && v.m_groupCount <= kMaxGroupId, "group count");
    // Outside a search the ply only counts the moves of a verification game.
    Require(v.m_ply >= 0, "ply");
    Require(v.m_plyCap >= 0 && v.m_plyCap <= kPlyLimit, "ply cap");
    Require(std::memchr(v.m_fileName, '\0', sizeof v.m_fileName) != nullptr, "file name");
    Require(std::memchr(v.m_statusText, '\0', sizeof v.m_statusText) != nullptr, "status text");
    constexpr int kLast = kBoardWidth - 1;  // the border's far row and column
    for (int i = 0; i <= kLast; ++i) {
        Require(v.m_board[0][i] == kBorder && v.m_board[kLast][i] == kBorder, "border row");
        Require(v.m_board[i][0] == kBorder && v.m_board[i][kLast] == kBorder, "border column");
        Require(v.m_groupMap[0][i] == -1 && v.m_groupMap[kLast][i] == -1, "map border row");
        Require(v.m_groupMap[i][0] == -1 && v.m_groupMap[i][kLast] == -1, "map border column");
    }
    for (int y = 1; y <= kBoardSize; ++y)
        for (int x = 1; x <= kBoardSize; ++x) {
            Require(v.m_board[y][x] <= kWhite, "board cell");
            Require(v.m_groupMap[y][x] >= 0 && v.m_groupMap[y][x] <= kMaxGroupId, "map cell");
        }
    for (int i = 0; i < v.m_histCount; ++i) {
        const char kind = v.m_histKind[i];
        Require(kind == 'b' || kind == 'w' || kind == 's' || kind == ' ', "history kind");
        Require(kind == ' ' || OnBoard(v.m_histX[i], v.m_histY[i]), "history point");
    }
    for (int i = 0; i < v.m_moveCount; ++i) {
        const char kind = v.m_moveKind[i];
        Require(kind == 'f' || kind == 'm' || kind == 'y' || kind == 'z', "move kind");
        Require(OnBoard(v.m_moveX[i], v.m_moveY[i]), "move point");
    }
    // A point is one colour: the key of the colouring is never -1.
    Require((v.m_moveBlack & v.m_moveWhite) == 0, "move point both colours");
    Require((v.m_moveBlack | v.m_moveWhite) >> v.m_moveCount == 0, "move mask wider than the list");
    for (int i = 0; i < v.m_targetCount; ++i)
        Require(OnBoard(v.m_targetX[i], v.m_targetY[i]), "target point");
    int stones = 0;
    for (int g = 0; g < kGroupSlots; ++g)
        stones += v.m_groupStones[g].GetCount();
    Require(stones <= 121, "stones in lists");
    if (!v.m_groupsStale) {
        // A stone may stand outside every group only once the table ran full.
        const std::string fault = GroupSetFault(v, Watch().tableFull);
        Require(fault.empty(), fault.c_str());
    }
}
