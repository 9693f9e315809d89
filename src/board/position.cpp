// Construction, the position reset, "NewGame" and the status channel.
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "board/kovra_view.h"
#include "platform/frame.h"
#include "platform/canvas.h"

CKovraView::CKovraView()
    : m_logFile(nullptr), m_fileName(), m_groupsReady(0), m_groupCount(0),
      m_playCount(0), m_nodeCount(0), m_ply(0), m_solverResult(0), m_verifyRefused(0),
      m_solverSide(0), m_clickMode(' '), m_exhaustCheck(0), m_board(), m_groupMap(),
      m_groupColor(), m_histCount(0), m_histBase(0), m_histKind(), m_histX(),
      m_histY(), m_moveCount(0), m_moveBlack(0), m_moveWhite(0), m_moveKind(), m_moveY(),
      m_moveX(), m_keyAtPly(), m_moveAtPly(), m_targetCount(0), m_targetY(), m_targetX(),
      m_nbGroup(), m_nbColor(), m_nbContacts(), m_captureFlag(0), m_statusText(), m_groupsStale(0), m_plyCap(kPlyLimit),
      m_pCanvas(nullptr)
{
    std::memset(m_resultTable, 0, sizeof m_resultTable);
    std::snprintf(m_fileName, sizeof m_fileName, "%s", "movesx.txt");
    ResetPosition();
    m_solverSide = 'x';
}

CKovraView::~CKovraView() = default;

int CKovraView::ResetPosition()
{
    m_exhaustCheck = 1;
    m_histCount = 0;
    m_groupsReady = 0;
    m_moveCount = 0;
    m_moveBlack = 0;
    m_moveWhite = 0;
    ClearStones();
    for (int i = 0; i <= 12; ++i) {
        m_board[0][i] = m_board[12][i] = m_board[i][0] = m_board[i][12] = kBorder;
        m_groupMap[0][i] = m_groupMap[12][i] = m_groupMap[i][0] = m_groupMap[i][12] = -1;
    }
    m_groupsStale = 0;  // an empty board has no groups to miss
    return 0;
}

void CKovraView::ClearStones()
{
    for (int y = 1; y <= 11; ++y)
        for (int x = 1; x <= 11; ++x) {
            m_board[y][x] = kEmpty;
            m_groupMap[y][x] = 0;
        }
    for (int k = 0; k < kGroupSlots; ++k) {
        m_groupColor[k] = 0;
        m_groupStones[k].RemoveAll();
    }
}

void CKovraView::OnNewGame()
{
    m_clickMode = ' ';
    ShowStatus("new game");
    ResetPosition();
    DrawBoard();
}

void CKovraView::ShowStatus(const char* text)
{
    IStatusSink* sink = m_pStatus != nullptr ? m_pStatus : g_pMainFrame;
    if (sink)
        sink->SetMessageText(text);
}

void CKovraView::ShowStatusF(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::vsnprintf(m_statusText, sizeof m_statusText, format, args);
    va_end(args);
    ShowStatus(m_statusText);
}

bool CKovraView::PushPass()
{
    if (HistoryFull())
        return false;
    m_histKind[m_histCount++] = ' ';
    return true;
}
