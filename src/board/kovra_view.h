// CKovraView: the one object that holds the whole state of the program (the
// position, its groups, the history, the move and target lists, the result
// table) and every operation on it. The operations are spread over
// src/board (rules), src/view (window), src/solver and src/verify.
#pragma once

#include <cstdint>
#include <cstddef>
#include <cstdio>
#include <functional>
#include <string>

#include "board/board_size.h"
#include "board/point_list.h"
#include "board/verdicts.h"
#include "go/kind_rules.h"
#include "go/types.h"

class ICanvas;
struct CRunControl;
class IStatusSink;
class IBackgroundRunner;
struct CFirstMoveCheck;
class CPositionNotes;

// Board and colour codes.
constexpr unsigned char kEmpty = 0;
constexpr unsigned char kBlack = 1;
constexpr unsigned char kWhite = 2;
constexpr unsigned char kBorder = 255;

constexpr int kBoardWidth = kBoardSize + 2;  // the points and a border ring
constexpr int kCells = kBoardWidth * kBoardWidth;
constexpr int kGroupSlots = 16;  // slot 0 unused: ids 1..15
constexpr int kMaxGroupId = kGroupSlots - 1;
constexpr int kHistorySize = 121;
constexpr int kMaxMoves = 15;
constexpr int kMaxTargets = 5;
constexpr int kPlyLimit = 54;
constexpr int kTableSize = 14348907;  // 3^15
// A saved position takes about a kilobyte; reading stops after this many bytes.
constexpr std::size_t kPositionFileLimit = 1 << 20;

constexpr int kCellPixels = 26;  // side of a point's square in the window
constexpr int kPassThreshold = 4;     // White passes only with this few open points left

// What a solver command reads at its root: every candidate, or one alone
// (a move-list entry 0..14, or White's pass at the root of "start to live").
constexpr int kAllFirstMoves = -1;
constexpr int kFirstMovePass = -2;

// Cell index of column x, row y.
constexpr int CellIndex(int x, int y) { return x + kBoardWidth * y; }
// True for the points of the board: columns and rows 1 to kBoardSize.
constexpr bool OnBoard(int x, int y) { return x >= 1 && x <= kBoardSize && y >= 1 && y <= kBoardSize; }

// The red letters over points: mark selector -1 writes "x" (a target),
// -2 to -5 the move-list kinds m, z, f and y.
inline constexpr char kMarkLetters[] = "xmzfy";
// The mark selector of a move-list kind; 0 for any other letter.
constexpr int MarkOfKind(char kind)
{
    for (int k = 1; k < 5; ++k)
        if (kMarkLetters[k] == kind)
            return -(k + 1);
    return 0;
}

// The kind of a move-list entry, whose letter the view keeps.
constexpr go::Kind KindOfEntry(char letter)
{
    go::Kind kind = go::Kind::F;
    go::KindOfLetter(letter, kind);
    return kind;
}

// The view keeps the last command's side as a letter: 'w' for "start to
// live", anything else reads as "start to kill".
constexpr go::Goal GoalOfSide(char side) { return side == 'w' ? go::Goal::Live : go::Goal::Kill; }
constexpr char SideOf(go::Goal goal) { return goal == go::Goal::Live ? 'w' : 'b'; }

// Adds one to a signed 32-bit counter; past the largest value it wraps to
// the smallest instead of overflowing (the counters of long reads do).
inline void CountOne(std::int32_t& counter)
{
    counter = static_cast<std::int32_t>(static_cast<std::uint32_t>(counter) + 1u);
}

// One record of a position file as scanned: its fields (complete when all
// three were read) and the offset in the text where its scan began.
struct PositionRecord {
    bool complete = false;
    char letter = 0;
    int row = 0;
    int column = 0;
    std::size_t offset = 0;
};
// Calls each for every record of a position file's text, in file order, as
// Restore reads them ("%c%3d%3d" lines).
void ScanPositionRecords(const std::string& text,
                         const std::function<void(const PositionRecord& record)>& each);

// Neighbour offsets in the order every scan uses: above, left, right, below.
constexpr int kNeighbour[4] = {-kBoardWidth, -1, 1, kBoardWidth};

// A group set of the searches and the probe: a copy of the view's board,
// group map, colours, lists and count that a node may change freely.
struct CGroupSet {
    unsigned char board[kCells];
    std::int32_t map[kCells];
    unsigned char color[kGroupSlots];
    CPointList stones[kGroupSlots];
    std::int32_t count;
};

class CKovraView {
public:
    CKovraView();
    ~CKovraView();
    CKovraView(const CKovraView&) = delete;
    CKovraView& operator=(const CKovraView&) = delete;

    // ---- state ---------------------------------------------------------
    std::FILE* m_logFile;
    char m_fileName[12];
    std::int32_t m_groupsReady;
    std::int32_t m_groupCount;
    std::int32_t m_playCount;
    std::int32_t m_nodeCount;
    std::int32_t m_ply;
    std::int32_t m_solverResult;
    std::int32_t m_verifyRefused;
    char m_solverSide;
    char m_clickMode;
    std::int32_t m_exhaustCheck;
    unsigned char m_board[kBoardWidth][kBoardWidth];
    std::int32_t m_groupMap[kBoardWidth][kBoardWidth];
    unsigned char m_groupColor[kGroupSlots];
    CPointList m_groupStones[kGroupSlots];
    unsigned char m_resultTable[kTableSize];
    std::int32_t m_histCount;
    std::int32_t m_histBase;
    char m_histKind[kHistorySize];
    signed char m_histX[kHistorySize];
    signed char m_histY[kHistorySize];
    std::int32_t m_moveCount;
    std::uint32_t m_moveBlack;
    std::uint32_t m_moveWhite;
    char m_moveKind[kMaxMoves];
    signed char m_moveY[kMaxMoves];
    signed char m_moveX[kMaxMoves];
    std::int32_t m_keyAtPly[kPlyLimit + 1];
    std::int32_t m_moveAtPly[kPlyLimit + 1];
    std::int32_t m_targetCount;
    signed char m_targetY[kMaxTargets];
    signed char m_targetX[kMaxTargets];
    std::int32_t m_nbGroup[4];
    unsigned char m_nbColor[4];
    std::int32_t m_nbContacts[4];
    std::int32_t m_captureFlag;
    char m_statusText[48];

    // Set when the board changed without the group operations (stone edits,
    // Restore, Refresh); the solver and verification commands then rebuild
    // the groups before they read them.
    std::int32_t m_groupsStale;
    // Ply at which a search line counts as exhausted: 54, lowered so that
    // the history never runs past its 121 entries.
    std::int32_t m_plyCap;
    // Where the board is drawn; null when nothing shows it.
    ICanvas* m_pCanvas;
    // Where this view's status texts go; null: the main frame. A view that
    // reads on a worker thread gets its own, so views never share one.
    IStatusSink* m_pStatus = nullptr;

    // ---- board/position.cpp --------------------------------------------
    // Empties board, groups, history and move list; keeps targets and table.
    int ResetPosition();
    // Empties the points of the board and the group table.
    void ClearStones();
    void OnNewGame();
    // Shows text in the status bar's message pane.
    void ShowStatus(const char* text);
    // Formats into m_statusText (bounded) and shows it.
    void ShowStatusF(const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;
    // Appends a history entry; false (nothing written) when the history is full.
    bool PushHistory(char kind, int x, int y)
    {
        if (HistoryFull())
            return false;
        m_histKind[m_histCount] = kind;
        m_histX[m_histCount] = static_cast<signed char>(x);
        m_histY[m_histCount] = static_cast<signed char>(y);
        ++m_histCount;
        return true;
    }
    // Appends a pass (kind ' '); its column and row keep what the slot held.
    bool PushPass();
    bool HistoryFull() const { return m_histCount >= kHistorySize; }
    // The board and group map as flat cell arrays, index CellIndex(x, y).
    unsigned char* Board() { return &m_board[0][0]; }
    std::int32_t* GroupMap() { return &m_groupMap[0][0]; }

    // ---- board/moves.cpp -----------------------------------------------
    // Judges the newest history move on the given set: 0 (has an empty
    // neighbour), n >= 1 (joins a group with n liberties, or 1 with
    // m_captureFlag for a capture), -1 (suicide). Fills the neighbour table.
    int CheckMove(const unsigned char* board, const std::int32_t* map, const CPointList* lists);
    // Fills the neighbour table of the newest history move; true when the
    // point has an empty neighbour.
    bool FillNeighbourTable(const unsigned char* board, const std::int32_t* map);
    // CheckMove's verdict from a filled neighbour table for a point without
    // an empty neighbour.
    int JudgeNeighbours(const unsigned char* board, const std::int32_t* map,
                        const CPointList* lists);
    // Distinct empty (map 0) cells next to the stones of group g.
    int CountLiberties(int g, const std::int32_t* map, const CPointList* lists);
    // Base-3 key of the move-list colouring; -1 when an entry is both colours.
    std::int32_t EncodeMoves(std::uint32_t black, std::uint32_t white, int n) const;
    // Key of the move-list colouring read off a board.
    std::int32_t KeyOfBoard(const unsigned char* board) const;
    int StoreResult(int side, std::int32_t key, int code);
    // kBlackToMove: the high nibble; any other side: the low nibble.
    int LoadResult(int side, std::int32_t key) const
    {
        const unsigned char cell = m_resultTable[key];
        return side == kBlackToMove ? cell >> 4 : cell & 0x0F;
    }
    // Open move-list points: +1 per empty f/m/y point, -1 per empty z point.
    int CountOpenMoves(const unsigned char* board, int n) const;

    // ---- board/groups.cpp ----------------------------------------------
    // Applies the newest history move (just checked by CheckMove) to the set:
    // captures, joins, numbering. Returns the new group count.
    int PlaceStone(unsigned char* board, std::int32_t* map, unsigned char* colors,
                   CPointList* lists, int count);
    // 0 no liberty, 1 exactly one, 2 two or more.
    int FindSoleLiberty(int g, const std::int32_t* map, const CPointList* lists, int* cell = nullptr);
    // Moves the top groups down into free slots; returns the new count.
    int CompactGroups(int n, unsigned char* colors, CPointList* lists, std::int32_t* map);
    // Copies the view's group set into set.
    void CopyGroupSet(CGroupSet& set);
    // Copies a group set given as its five parts into set.
    static void CopyGroupSet(CGroupSet& set, const unsigned char* board, const std::int32_t* map,
                             const unsigned char* colors, const CPointList* lists, int count);

    // ---- board/targets.cpp ---------------------------------------------
    // Records target (x, y), 1..11, and marks its group; the first call after
    // a reset builds the groups.
    int MarkTarget(int x, int y);
    // Labels every stone of m_board; leaves m_groupCount uncompacted.
    int BuildGroups();
    // BuildGroups then CompactGroups, without drawing.
    void RebuildGroups();
    // Marks the recorded targets (m_targetX/Y) afresh, as target clicks in
    // that order do: the first builds the groups from the board. After a
    // problem is read with its targets, and by Refresh.
    void MarkRecordedTargets();

    // ---- view/drawing.cpp ----------------------------------------------
    void OnDraw();
    void DrawBoard();
    // code 'b', 'w', 's' or ' '; selector 0, a group number, or -1..-5 for x m z f y.
    void DrawPoint(char code, int selector, int column, int row);

    // ---- view/mouse.cpp ------------------------------------------------
    // A left click at client pixel (px, py).
    void OnLButtonDown(int px, int py);
    void OnBlackS();
    void OnWhiteS();
    void OnSpaceS();
    void OnTarget();
    void OnFMove();
    void OnMMove();
    void OnYMove();
    void OnZMove();
    void OnIgnore();
    // A move-mode click at (x, y): one more list entry, or the overflow reset.
    void AddClickedMove(int x, int y);

    // ---- view/about.cpp ------------------------------------------------
    void OnAbout();

    // ---- view/keys.cpp -------------------------------------------------
    static constexpr unsigned kVkUp = 38;
    static constexpr unsigned kVkDown = 40;
    void OnKeyDown(unsigned nChar);
    void OnChar(unsigned nChar);

    // ---- view/position_file.cpp ----------------------------------------
    void OnSave();
    // Returns the history length after reading.
    int OnRestore();
    // Reads the records of an open position file into the reset position.
    // With keepTargets the "x" records become targets (in range, at most 5).
    // With notes, what was skipped and where the targets came from are kept.
    // False, with nothing changed, when the file cannot be read.
    bool ReadPositionRecords(std::FILE* file, bool keepTargets, CPositionNotes* notes = nullptr);
    // Reads a position file whole, up to kPositionFileLimit bytes (the rest
    // could hold nothing the position has room for); false on a read error.
    static bool ReadPositionText(std::FILE* file, std::string& text);
    // Replaces the history, move list and targets with the records of text.
    void ApplyPositionRecords(const std::string& text, bool keepTargets,
                              CPositionNotes* notes = nullptr);
    // One record: an on-board stone, move entry or (with keepTargets) target
    // while there is room for it. Returns why nothing was read, or null
    // (also for the records that are read and mean nothing: passes, erased
    // points, targets without keepTargets).
    const char* ApplyRecord(char letter, int row, int column, bool keepTargets);
    // Writes every record line; false when a write failed.
    bool WritePositionRecords(std::FILE* file) const;
    // Appends a move-list entry, its mask bits read off the board as it is now.
    void AppendMoveEntry(char kind, int x, int y);

    // ---- view/refresh.cpp ----------------------------------------------
    void OnRefresh();
    // Rebuilds m_board from the kept history entries.
    void ReplayHistory();
    void OnShowgrp();

    // ---- solver/search.cpp ---------------------------------------------
    // White (Black) to move on the given group set, reached by move-list
    // entry move, the newest history entry (-1 for a pass). Reads the lines
    // below, stores decided positions and returns the node's result.
    int SearchWhite(int move, const unsigned char* board, const std::int32_t* map,
                    const unsigned char* colors, const CPointList* lists, int count);
    int SearchBlack(int move, const unsigned char* board, const std::int32_t* map,
                    const unsigned char* colors, const CPointList* lists, int count);
    // Key weight of each move-list entry's point: the sum of 3^(n-1-j) over
    // the entries j on that point (a point may be entered more than once).
    // Filled when a search starts at ply 0.
    std::int32_t m_pointWeight[kMaxMoves] = {};
    // Cell index of each move-list entry's point, filled with the weights.
    std::int32_t m_moveCell[kMaxMoves] = {};
    // Key weight of each cell: its entries' weight, 0 off the move list.
    std::int32_t m_cellWeight[kCells] = {};
    // How many keys of the current line's repetition look-back fall in each
    // of 256 classes: a key whose class is empty cannot be a repetition.
    unsigned char m_lineKeyClass[256] = {};

    // ---- solver/trace.cpp ----------------------------------------------
    void TraceLine(int count, int ply, char kind, int a, int b);

    // ---- solver/commands.cpp -------------------------------------------
    void OnStartAtk();
    void OnStartDef();
    // The reads of the two commands from the root index on, with the verdict.
    void ReadToKill(std::int32_t root);
    void ReadToLive(std::int32_t root);
    // Where a solver run writes its trace: "db.txt" in the working directory,
    // another file, or nothing at all (null).
    const char* m_traceName = "db.txt";
    // The name messages give the trace; null: m_traceName. A reading whose
    // trace goes to a file of its own before it replaces the trace file
    // still names the file the user asked for.
    const char* m_traceShownName = nullptr;
    // Where the summary line goes; null means standard output.
    std::FILE* m_summaryOut = nullptr;
    // Lets another thread watch and stop the read; null when none does.
    CRunControl* m_runControl = nullptr;
    // Set by a run whose trace could not be created or written completely.
    bool m_traceFailed = false;
    // Set by a run that was stopped: the position is as before it, the
    // result table empty, m_solverResult 0 and the old trace kept.
    bool m_runCancelled = false;
    // Publishes progress and stops the read (throws CReadCancelled) when
    // asked to; the search calls it every kPollNodes expansions.
    void PollRun();
    // The move-list entry now read at the root, for the watcher.
    void ReportRootEntry(int i);
    // False: no summary line at all (readings that are not the user's command).
    bool m_writeSummary = true;
    // The root candidate the next command reads: kAllFirstMoves, one entry,
    // or kFirstMovePass.
    std::int32_t m_onlyFirstMove = kAllFirstMoves;
    // True when entry i is a root candidate of the command of side ('b':
    // "start to kill", 'w': "start to live") on the board as it is now.
    bool IsRootCandidate(char side, int i) const;
    // True when White's root pass of "start to live" is allowed on the board as it is now.
    bool IsRootPassAllowed() const;
    // True when the command reads root candidate c (an entry or kFirstMovePass).
    bool ReadsFirstMove(int c) const
    {
        return m_onlyFirstMove == kAllFirstMoves || m_onlyFirstMove == c;
    }

    // ---- view/first_moves_view.cpp -------------------------------------
    // "Check first moves": reads every root candidate of the last solver
    // command's side alone, away from the window when m_pBackground is set,
    // then writes each verdict's letter on its point and the count of
    // solutions in the status bar. The view's own table and verdict stay.
    void OnCheckFirstMoves();
    // Draws the letters and shows the outcome of a finished check.
    void ShowFirstMoves(const CFirstMoveCheck& check);
    // Runs the check's reading; null: inside the command.
    IBackgroundRunner* m_pBackground = nullptr;
    // Worker threads of the check; 0: one per core.
    int m_checkWorkers = 0;
    // How the check's outcome names a point (column, row): empty for
    // "(R,C)"; a problem opened from a file names the file's point.
    std::function<std::string(int x, int y)> m_pointName;

    // ---- verify/verify_commands.cpp ------------------------------------
    void OnAttack();
    void OnDefend();
    void BeginAttack();
    void BeginDefend();
    // The verdict test and start shared by both: goal is the side's verdict
    // (kLife Attack, kDeath Defend). False, with the refusal shown, when refused.
    bool StartVerification(int goal, const char* refusal, const char* startText);
    // The system's first move: the first empty 'f' entry that TrySystemMove keeps.
    void PlayOpeningMove(char kind, int probeSide, int goal);

    // ---- verify/probe.cpp ----------------------------------------------
    int ProbeResult(int side);
    // Tries move-list entry i as the system's stone of the given kind ('b'
    // or 'w'): keeps it, played on the view's group set and drawn, when the
    // probe for probeSide gives goal, or kKo with koAccepted; else takes it back.
    bool TrySystemMove(int i, char kind, int probeSide, int goal, bool koAccepted);

    // ---- verify/replies.cpp --------------------------------------------
    // A click at point (x, y) in click mode '@' or '#'.
    void OnVerifyClick(int x, int y);
    // Replies return the point played, (0, 0) for a pass, (-1, -1) for none.
    // Both answer the user's stone, the newest history entry.
    CPoint ReplyAsWhite();
    CPoint ReplyAsBlack();
};
