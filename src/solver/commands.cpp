// "start to kill" and "start to live": the root of the search, the trace
// file, the verdict in the status bar and the summary line.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "board/kovra_view.h"
#include "board/view_state.h"
#include "platform/replace_file.h"
#include "solver/run_control.h"

namespace {

constexpr std::size_t kTraceBuffer = 1 << 16;

const char* TraceShownName(const CKovraView& view)
{
    return view.m_traceShownName != nullptr ? view.m_traceShownName : view.m_traceName;
}

// The trace file of a run with its buffer: written into a temporary file
// and put in place when the run ends, so that a stopped run keeps the
// previous trace (a device such as /dev/null is written directly).
class TraceFile {
public:
    explicit TraceFile(CKovraView& view) : m_view(view)
    {
        view.m_logFile = nullptr;
        if (view.m_traceName == nullptr)
            return;
        if (!m_file.Open(view.m_traceName, true)) {
            // The read goes on, but the trace asked for is lost: the run failed.
            std::fprintf(stderr, "%s: cannot create the trace file (%s); running without a trace\n",
                         TraceShownName(view), std::strerror(errno));
            view.m_traceFailed = true;
            return;
        }
        m_buffer.reset(new char[kTraceBuffer]);
        std::setvbuf(m_file.Stream(), m_buffer.get(), _IOFBF, kTraceBuffer);
        view.m_logFile = m_file.Stream();
    }
    ~TraceFile() { Discard(); }
    TraceFile(const TraceFile&) = delete;
    TraceFile& operator=(const TraceFile&) = delete;

    // Puts the complete trace in place; a failed write is reported.
    void Commit()
    {
        if (m_view.m_logFile == nullptr)
            return;
        m_view.m_logFile = nullptr;
        if (!m_file.Commit(false)) {
            std::fprintf(stderr, "%s: cannot write the trace file (%s)\n", TraceShownName(m_view),
                         std::strerror(errno));
            m_view.m_traceFailed = true;
        }
    }
    void Discard()
    {
        m_view.m_logFile = nullptr;
        m_file.Discard();
    }

private:
    CKovraView& m_view;
    CReplaceFile m_file;
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
    view.ReportRootEntry(-1);
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


// Runs one command's read: the start, the read with its verdict, the trace;
// a read that is stopped leaves the position, the table and the trace as
// before it and shows "cancelled".
void RunCommand(CKovraView& view, char side, const char* startText,
                void (CKovraView::*read)(std::int32_t root))
{
    if (!PrepareRun(view))
        return;
    view.m_traceFailed = false;
    view.m_runCancelled = false;
    TraceFile trace(view);
    // A stopped read puts the position back as it was.
    const CViewState before = CViewState::Of(view);
    const std::int32_t root = StartRun(view, side, startText);
    try {
        (view.*read)(root);
    } catch (const CReadCancelled&) {
        trace.Discard();
        before.PutInto(view);
        view.m_ply = 0;
        std::memset(view.m_resultTable, 0, sizeof view.m_resultTable);
        view.m_solverResult = 0;
        view.m_runCancelled = true;
        view.ShowStatus("cancelled");
        return;
    }
    trace.Commit();
}

}  // namespace

void CKovraView::PollRun()
{
    if (m_runControl == nullptr)
        return;
    CRunControl& control = *m_runControl;
    control.nodes.store(m_nodeCount, std::memory_order_relaxed);
    if (control.cancel != nullptr && control.cancel->load(std::memory_order_relaxed))
        throw CReadCancelled();
    const auto none = std::chrono::steady_clock::time_point{};
    if (control.deadline != none && std::chrono::steady_clock::now() >= control.deadline)
        throw CReadCancelled();
}

void CKovraView::ReportRootEntry(int i)
{
    if (m_runControl != nullptr)
        m_runControl->rootEntry.store(i, std::memory_order_relaxed);
}

// "start to kill" opens with an 'f' entry whose point was not white when
// entered and holds no stone now; "start to live" with an 'f' entry on an
// empty point (the search's root scan makes the same test).
bool CKovraView::IsRootCandidate(char side, int i) const
{
    if (i < 0 || i >= m_moveCount || !go::OpensReading(KindOfEntry(m_moveKind[i])) ||
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
    RunCommand(*this, 'b', "start to kill", &CKovraView::ReadToKill);
}

void CKovraView::OnStartDef()
{
    RunCommand(*this, 'w', "start to live", &CKovraView::ReadToLive);
}

void CKovraView::ReadToKill(std::int32_t root)
{
    int result = kUndecided;
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
        ReportRootEntry(i);
        PushHistory('b', x, y);
        m_board[y][x] = kBlack;
        CountOne(m_playCount);
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
        StoreResult(kBlackToMove, root, kDeath);
        FinishRun(*this, "death=%d/%d", kDeath);
    } else if (result == kExhausted) {
        FinishRun(*this, "exhst=%d/%d", kExhausted);
    } else if (ko) {
        StoreResult(kBlackToMove, root, kKo);
        FinishRun(*this, "koh=%d/%d", kKo);
    } else if (result == kLife || result == kIllegal) {
        StoreResult(kBlackToMove, root, kLife);
        FinishRun(*this, "life=%d/%d", result);
    } else {
        FinishRun(*this, "?=%d/%d", result);
    }
}

void CKovraView::ReadToLive(std::int32_t root)
{
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
        StoreResult(kWhiteToMove, root, kLife);
        FinishRun(*this, "life=%d/%d", result);
    } else if (result == kExhausted) {
        FinishRun(*this, "exhst=%d/%d", result);
    } else if (result == kKo) {
        StoreResult(kWhiteToMove, root, kKo);
        FinishRun(*this, "koh=%d/%d", result);
    } else if (result == kDeath) {
        StoreResult(kWhiteToMove, root, kDeath);
        FinishRun(*this, "death=%d/%d", result);
    } else {
        FinishRun(*this, "?=%d/%d", result);
    }
}
