// "start to kill" and "start to live": the root of the search, the trace
// file, the verdict in the status bar and the summary line.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "board/kovra_view.h"

namespace {

constexpr int kDeath = 9;
constexpr int kLife = 8;
constexpr int kKo = 7;
constexpr int kExhausted = -3;
constexpr int kIllegal = -1;
constexpr std::size_t kTraceBuffer = 1 << 16;

// The parts of a run that both commands share: the trace file with its
// buffer, opened at the start and closed at the end.
class TraceFile {
public:
    explicit TraceFile(CKovraView& view) : m_view(view)
    {
        view.m_logFile = nullptr;
        if (view.m_traceName == nullptr)
            return;
        std::FILE* file = std::fopen(view.m_traceName, "w");
        if (file == nullptr) {
            std::fprintf(stderr, "%s: cannot create the trace file (%s); running without a trace\n",
                         view.m_traceName, std::strerror(errno));
            return;
        }
        m_buffer.reset(new char[kTraceBuffer]);
        std::setvbuf(file, m_buffer.get(), _IOFBF, kTraceBuffer);
        view.m_logFile = file;
    }
    ~TraceFile()
    {
        if (m_view.m_logFile != nullptr)
            std::fclose(m_view.m_logFile);
        m_view.m_logFile = nullptr;
    }
    TraceFile(const TraceFile&) = delete;
    TraceFile& operator=(const TraceFile&) = delete;

private:
    CKovraView& m_view;
    std::unique_ptr<char[]> m_buffer;  // must outlive the stream
};

// Clears the result table before each run, then checks for targets (false:
// the run is refused) and brings stale groups up to date with the board.
bool PrepareRun(CKovraView& view)
{
    std::memset(view.m_resultTable, 0, sizeof view.m_resultTable);
    if (view.m_targetCount < 1) {
        view.ShowStatus("specify target stones");
        return false;
    }
    if (view.m_groupsStale)
        view.RebuildGroups();
    return true;
}

// The steps both commands take before their root: the start text, counters,
// history base, a ply cap that keeps every line inside the 121 history
// entries, and the root index, which it returns.
std::int32_t StartRun(CKovraView& view, char side, const char* startText)
{
    view.ShowStatus(startText);
    view.m_histBase = view.m_histCount;
    view.m_solverSide = side;
    view.m_ply = 0;
    view.m_playCount = 0;
    view.m_nodeCount = 0;
    view.m_plyCap = std::max(0, std::min(kPlyLimit, kHistorySize - 1 - view.m_histCount));
    const std::int32_t root = view.EncodeMoves(view.m_moveBlack, view.m_moveWhite, view.m_moveCount);
    view.m_keyAtPly[0] = root;
    return root;
}

// Shows the verdict, keeps the result code and prints the summary line.
void FinishRun(CKovraView& view, const char* format, int code)
{
    view.ShowStatusF(format, view.m_nodeCount, view.m_playCount);
    view.m_solverResult = code;
    if (!view.m_writeSummary)
        return;
    std::FILE* out = view.m_summaryOut != nullptr ? view.m_summaryOut : stdout;
    std::fprintf(out, "         %d/%d", view.m_nodeCount, view.m_playCount);
    std::fprintf(out, "result = %d", code);
    std::fprintf(out, "------------\n");
    std::fflush(out);
}


}  // namespace

// "start to kill" opens with an 'f' entry whose point was not white when
// entered and holds no stone now; "start to live" with an 'f' entry on an
// empty point (the search's root scan makes the same test).
bool CKovraView::IsRootCandidate(char side, int i) const
{
    if (i < 0 || i >= m_moveCount || m_moveKind[i] != 'f' ||
        m_board[m_moveY[i]][m_moveX[i]] != kEmpty)
        return false;
    const std::uint32_t bit = 1u << (m_moveCount - 1 - i);
    return side != 'b' || (m_moveWhite & bit) == 0;
}

bool CKovraView::IsRootPassAllowed() const
{
    return CountOpenMoves(&m_board[0][0], m_moveCount) <= kPassThreshold;
}

void CKovraView::OnStartAtk()
{
    if (!PrepareRun(*this))
        return;
    TraceFile trace(*this);
    const std::int32_t root = StartRun(*this, 'b', "start to kill");

    int result = 0;
    bool ko = false;
    for (int i = 0; i < m_moveCount; ++i) {
        if (!IsRootCandidate('b', i) || !ReadsFirstMove(i))
            continue;
        if (HistoryFull()) {
            result = kExhausted;  // no room for the root move
            break;
        }
        const int x = m_moveX[i];
        const int y = m_moveY[i];
        m_moveAtPly[0] = i;
        PushHistory('b', x, y);
        m_board[y][x] = kBlack;
        ++m_playCount;
        TraceLine(m_playCount, 0, 'b', y, x);
        result = SearchWhite(i, Board(), GroupMap(), m_groupColor, m_groupStones, m_groupCount);
        TraceLine(m_playCount, 0, ' ', result, 0);
        ShowStatusF("processed %1d of f-moves", i + 1);
        m_board[y][x] = kEmpty;
        --m_histCount;
        if (result == kDeath || result == kExhausted)
            break;
        if (result == kKo)
            ko = true;
    }

    if (result == kDeath) {
        StoreResult(1, root, kDeath);
        FinishRun(*this, "death=%d/%d", kDeath);
    } else if (result == kExhausted) {
        FinishRun(*this, "exhst=%d/%d", kExhausted);
    } else if (ko) {
        StoreResult(1, root, kKo);
        FinishRun(*this, "koh=%d/%d", kKo);
    } else if (result == kLife || result == kIllegal) {
        StoreResult(1, root, kLife);
        FinishRun(*this, "life=%d/%d", result);
    } else {
        FinishRun(*this, "?=%d/%d", result);
    }
}

void CKovraView::OnStartDef()
{
    if (!PrepareRun(*this))
        return;
    TraceFile trace(*this);
    const std::int32_t root = StartRun(*this, 'w', "start to live");

    int result = kExhausted;  // a full history leaves no room for the root pass
    if (!HistoryFull()) {
        PushPass();
        m_moveAtPly[0] = -1;
        m_playCount = 1;
        TraceLine(1, 0, 'b', 0, 0);
        result = SearchWhite(-1, Board(), GroupMap(), m_groupColor, m_groupStones, m_groupCount);
        TraceLine(m_playCount, 0, ' ', result, 0);
    }

    if (result == kLife) {
        StoreResult(2, root, kLife);
        FinishRun(*this, "life=%d/%d", result);
    } else if (result == kExhausted) {
        FinishRun(*this, "exhst=%d/%d", result);
    } else if (result == kKo) {
        StoreResult(2, root, kKo);
        FinishRun(*this, "koh=%d/%d", result);
    } else if (result == kDeath) {
        StoreResult(2, root, kDeath);
        FinishRun(*this, "death=%d/%d", result);
    } else {
        FinishRun(*this, "?=%d/%d", result);
    }
}
