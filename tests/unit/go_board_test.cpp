// The Go position: random games checked move by move against the table
// reader's own rules (legality, captures, the board) and against a flood
// fill of every string's liberties and a key made afresh; the simple ko
// ban by its own small cases.
#include <gtest/gtest.h>

#include <random>

#include "board/verdicts.h"
#include "go/board.h"
#include "test_support.h"
#include "wide_support.h"

namespace {

using go::Color;
using go::Loc;
using go::MakeLoc;

// The liberties of the string through loc counted by a flood fill of its
// colour; empty when they match the board's count, else the difference.
std::string LibertyFault(const go::Board& board, Loc loc)
{
    std::vector<bool> seen(go::kLocs, false), liberty(go::kLocs, false);
    std::vector<Loc> stack{loc};
    seen[loc] = true;
    int stones = 0, liberties = 0;
    while (!stack.empty()) {
        const Loc s = stack.back();
        stack.pop_back();
        ++stones;
        if (board.Head(s) != board.Head(loc))
            return "stone " + std::to_string(s) + " outside the string of " + std::to_string(loc);
        for (int d : go::kAdjacent) {
            const Loc n = static_cast<Loc>(s + d);
            if (board.At(n) == board.At(loc) && !seen[n]) {
                seen[n] = true;
                stack.push_back(n);
            } else if (board.At(n) == Color::Empty && !liberty[n]) {
                liberty[n] = true;
                ++liberties;
            }
        }
    }
    int linked = 0;
    for (Loc s = board.NextStone(loc); s != loc && linked <= go::kLocs; s = board.NextStone(s))
        ++linked;
    if (linked + 1 != stones)
        return "the ring of the string at " + std::to_string(loc) + " holds " + std::to_string(linked + 1) +
               " stones, not " + std::to_string(stones);
    if (stones != board.StringSize(loc) || liberties != board.Liberties(loc))
        return "string at " + std::to_string(loc) + ": " + std::to_string(board.StringSize(loc)) + " stones, " +
               std::to_string(board.Liberties(loc)) + " liberties; counted " + std::to_string(stones) + ", " +
               std::to_string(liberties);
    return "";
}

std::uint64_t FreshKey(const go::Board& board)
{
    std::uint64_t key = 0;
    for (Loc loc = 0; loc < go::kLocs; ++loc)
        if (go::IsStone(board.At(loc)))
            key ^= go::Board::StoneKey(loc, board.At(loc));
    return key;
}

}  // namespace

TEST(GoBoard, RandomGamesFollowTheTableReadersRules)
{
    ViewHarness h;
    CKovraView& v = h.view();
    std::mt19937 random(913u);
    int captures = 0, suicides = 0, koBans = 0, moves = 0;
    for (int game = 0; game < 400; ++game) {
        v.ResetPosition();
        v.m_groupCount = 0;
        go::Board board(11);
        const int size = 3 + game % 6;
        h.frame.status.clear();
        for (int attempt = 0; attempt < 250 && h.frame.status.empty(); ++attempt) {
            const int x = 1 + static_cast<int>(random() % size);
            const int y = 1 + static_cast<int>(random() % size);
            const Color c = (random() & 1) ? Color::Black : Color::White;
            const Loc loc = MakeLoc(x, y);
            if (board.At(loc) != Color::Empty)
                continue;
            if (loc == board.KoBan() && c == board.KoBanned()) {
                // The table reader has its own ko rule: the ban is checked below.
                ASSERT_FALSE(board.IsLegal(loc, c));
                continue;
            }
            if (v.m_histCount >= kHistorySize - 1)
                v.m_histCount = 0;
            SCOPED_TRACE("game " + std::to_string(game) + " move " + std::to_string(attempt));
            const bool legal = board.IsLegal(loc, c);
            const go::Board::Preview preview = board.Foresee(loc, c);
            int taken = 0;
            for (int k = 0; k < preview.takenStrings; ++k)
                taken += board.StringSize(preview.taken[k]);
            const bool played = board.Play(loc, c);
            if (played) {
                ASSERT_EQ(preview.hash, board.Hash());
                ASSERT_EQ(preview.koBan, board.KoBan());
                ASSERT_EQ(preview.koBanned, board.KoBanned());
                ASSERT_EQ(taken, board.LastCaptures());
            }
            const int onView = PlayMove(v, c == Color::Black ? 'b' : 'w', x, y);
            ASSERT_EQ(legal, played);
            ASSERT_EQ(played, onView != kIllegal);
            suicides += !played;
            captures += board.LastCaptures() > 0 && played;
            moves += played;
            koBans += played && board.KoBan() != go::kNoLoc;
            ASSERT_EQ(RowsOf(board, 11, 11), BoardRows(v));
            ASSERT_EQ(board.Hash(), FreshKey(board));
            for (int yy = 1; yy <= size; ++yy)
                for (int xx = 1; xx <= size; ++xx)
                    if (go::IsStone(board.At(MakeLoc(xx, yy)))) {
                        ASSERT_EQ(LibertyFault(board, MakeLoc(xx, yy)), "");
                    }
        }
    }
    EXPECT_GT(moves, 4000);
    EXPECT_GT(captures, 300);
    EXPECT_GT(suicides, 100);
    EXPECT_GT(koBans, 20);
}

TEST(GoBoard, SetStoneRebuildsStringsAndKey)
{
    go::Board board = BoardOf({"XX.O", "X.OO", "..O."}, 5);
    EXPECT_EQ(board.StringSize(MakeLoc(1, 1)), 3);
    EXPECT_EQ(board.Liberties(MakeLoc(1, 1)), 3);
    EXPECT_EQ(board.StringSize(MakeLoc(4, 1)), 4);
    EXPECT_EQ(board.Liberties(MakeLoc(4, 1)), 7);
    board.SetStone(MakeLoc(3, 2), Color::Empty);
    EXPECT_EQ(board.StringSize(MakeLoc(4, 1)), 2);
    EXPECT_EQ(board.StringSize(MakeLoc(3, 3)), 1);
    EXPECT_EQ(board.Hash(), FreshKey(board));
    EXPECT_EQ(LibertyFault(board, MakeLoc(4, 2)), "");
}

namespace {

struct KoCase {
    const char* what;
    AsciiRows rows;
    // Black plays at (x, y) first, taking; then White's answers are tried.
    int x, y;
    Loc ban;             // the point banned to White afterwards, or kNoLoc
    int retakeX, retakeY;  // White's immediate retake: legal or not?
    bool retakeLegal;
};

const KoCase kKoCases[] = {
    {"taking one stone with one stone left in atari bans the retake",
     {".XO.", "XO.O", ".XO."}, 3, 2, MakeLoc(2, 2), 2, 2, false},
    {"a snapback: the taking stone keeps two liberties, no ban",
     {".XO.", "XO.O", ".X.."}, 3, 2, go::kNoLoc, 2, 2, false},
    {"two stones taken: no ban, the retake is legal",
     {".XXO.", "XOO.O", ".XXO."}, 4, 2, go::kNoLoc, 2, 2, true},
    {"the taking stone joins a string: no ban",
     {".XO.", "XO.X", ".XO."}, 3, 2, go::kNoLoc, 2, 2, false},
};

}  // namespace

TEST(GoBoard, TheSimpleKoBan)
{
    for (const KoCase& c : kKoCases) {
        SCOPED_TRACE(c.what);
        go::Board board = BoardOf(c.rows, 7);
        ASSERT_TRUE(board.Play(MakeLoc(c.x, c.y), Color::Black));
        EXPECT_GT(board.LastCaptures(), 0);
        EXPECT_EQ(board.KoBan(), c.ban);
        if (c.ban != go::kNoLoc) {
            EXPECT_EQ(board.KoBanned(), Color::White);
        }
        EXPECT_EQ(board.IsLegal(MakeLoc(c.retakeX, c.retakeY), Color::White), c.retakeLegal);
    }
}

TEST(GoBoard, TheKoBanLastsOneMove)
{
    const AsciiRows ko = {".XO..", "XO.O.", ".XO..", "....."};
    const Loc take = MakeLoc(3, 2), retake = MakeLoc(2, 2);
    // A pass, or a move elsewhere, lifts the ban; the banned side's own
    // stones elsewhere are no retake.
    for (const Loc between : {go::kPass, MakeLoc(5, 4)}) {
        go::Board board = BoardOf(ko, 7);
        ASSERT_TRUE(board.Play(take, Color::Black));
        EXPECT_FALSE(board.Play(retake, Color::White));
        EXPECT_TRUE(board.IsLegal(MakeLoc(5, 1), Color::White));
        ASSERT_TRUE(board.Play(between, Color::White));
        ASSERT_TRUE(board.Play(go::kPass, Color::Black));
        EXPECT_EQ(board.KoBan(), go::kNoLoc);
        EXPECT_TRUE(board.Play(retake, Color::White));
        EXPECT_EQ(board.KoBan(), take);
        EXPECT_EQ(board.KoBanned(), Color::Black);
        EXPECT_EQ(RowsOf(board, 3, 4), (AsciiRows{".XO.", "XO.O", ".XO."}));
    }
    // The ban binds the side whose stone was taken, not the taker.
    go::Board board = BoardOf(ko, 7);
    ASSERT_TRUE(board.Play(take, Color::Black));
    EXPECT_FALSE(board.IsLegal(retake, Color::White));
    EXPECT_TRUE(board.IsLegal(retake, Color::Black));
}
