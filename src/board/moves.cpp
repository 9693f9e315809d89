// Move legality, liberties, and the key and cells of the result table.
#include "board/kovra_view.h"

int CKovraView::CheckMove(const unsigned char* board, const std::int32_t* map,
                          const CPointList* lists)
{
    m_captureFlag = 0;
    if (FillNeighbourTable(board, map))
        return 0;
    return JudgeNeighbours(board, map, lists);
}

bool CKovraView::FillNeighbourTable(const unsigned char* board, const std::int32_t* map)
{
    for (int k = 0; k < 4; ++k) {
        m_nbGroup[k] = 0;
        m_nbContacts[k] = 0;
        m_nbColor[k] = 0;
    }
    const int last = m_histCount - 1;
    const int i = CellIndex(m_histX[last], m_histY[last]);
    bool hasEmptyNeighbour = false;
    for (int d = 0; d < 4; ++d) {
        const int n = i + kNeighbour[d];
        const unsigned char c = board[n];
        if (c == kBorder)
            continue;
        if (c != kBlack && c != kWhite) {
            hasEmptyNeighbour = true;
            continue;
        }
        const int g = map[n];
        if (g <= 0)
            continue;  // a stone outside every group (the group table was full)
        int e = 0;
        while (m_nbContacts[e] != 0 && m_nbGroup[e] != g)
            ++e;  // four sides, so a free entry is always left
        if (m_nbContacts[e] != 0) {
            ++m_nbContacts[e];
        } else {
            m_nbGroup[e] = g;
            m_nbContacts[e] = 1;
            m_nbColor[e] = c;
        }
    }
    return hasEmptyNeighbour;
}

int CKovraView::JudgeNeighbours(const unsigned char* board, const std::int32_t* map,
                                const CPointList* lists)
{
    const int last = m_histCount - 1;
    const unsigned char own = board[CellIndex(m_histX[last], m_histY[last])];
    for (int e = 0; e < 4 && m_nbContacts[e] != 0; ++e) {
        const int g = m_nbGroup[e];
        const int n = CountLiberties(g, map, lists);
        if (m_nbColor[e] == own) {
            if (n > 1)
                return n;
        } else if (n == 1) {
            m_captureFlag = 1;
            return 1;
        }
    }
    return kIllegal;
}

int CKovraView::CountLiberties(int g, const std::int32_t* map, const CPointList* lists)
{
    bool seen[kCells] = {};
    int liberties = 0;
    const CPointList& list = lists[g];
    for (int k = 0; k < list.GetCount(); ++k) {
        const int i = list.Cell(k);
        for (int d = 0; d < 4; ++d) {
            const int n = i + kNeighbour[d];
            if (map[n] == 0 && !seen[n]) {
                seen[n] = true;
                ++liberties;
            }
        }
    }
    return liberties;
}

std::int32_t CKovraView::EncodeMoves(std::uint32_t black, std::uint32_t white, int n) const
{
    if (n < 1)
        return 0;
    black <<= 31 - n;
    white <<= 31 - n;
    std::int32_t key = 0;
    for (int k = 0; k < n; ++k) {
        key *= 3;
        black <<= 1;
        white <<= 1;
        const bool isBlack = (black & 0x80000000u) != 0;
        const bool isWhite = (white & 0x80000000u) != 0;
        if (isBlack)
            key += 1;
        if (isWhite)
            key += 2;
        if (isBlack && isWhite)
            return -1;
    }
    return key;
}

std::int32_t CKovraView::KeyOfBoard(const unsigned char* board) const
{
    // The base-3 digits straight from the board: the same number EncodeMoves
    // gives for the board's bit sets (a cell is never both colours).
    std::int32_t key = 0;
    for (int i = 0; i < m_moveCount; ++i) {
        const unsigned char c = board[CellIndex(m_moveX[i], m_moveY[i])];
        key = key * 3 + (c == kBlack ? 1 : c == kWhite ? 2 : 0);
    }
    return key;
}

int CKovraView::StoreResult(int side, std::int32_t key, int code)
{
    unsigned char& cell = m_resultTable[key];
    if (side == kBlackToMove)
        cell = static_cast<unsigned char>((cell & 0x0F) | ((code & 0x0F) << 4));
    else
        cell = static_cast<unsigned char>((cell & 0xF0) | (code & 0x0F));
    return static_cast<signed char>(cell);
}

int CKovraView::CountOpenMoves(const unsigned char* board, int n) const
{
    int open = 0;
    for (int i = 0; i < n; ++i) {
        if (board[CellIndex(m_moveX[i], m_moveY[i])] != kEmpty)
            continue;
        const char kind = m_moveKind[i];
        if (kind == 'f' || kind == 'm' || kind == 'y')
            ++open;
        else if (kind == 'z')
            --open;
    }
    return open;
}
