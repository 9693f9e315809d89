// Depth-first proof-number search (df-pn) of one reading of a problem:
// does the side to move win, with one side favoured in kos? Frames live on
// the heap, so a long line cannot exhaust the call stack.
//
// Repetitions make a result depend on the line that led to it: a result
// that used a repetition with a position above the one it belongs to is
// kept only in its parent's list of children while the parent is read, and
// the shallowest position it depends on is carried upward (a position
// resolves the dependence on itself). Only results free of the line above
// go into the table.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "go/board.h"
#include "wide/wide_rules.h"
#include "wide/wide_table.h"

struct CRunControl;

namespace go {

// Where a line stands. Two passes in a row (the first no wait for a ko ban)
// end the fight. Where the defender is favoured, the end is not life yet:
// the attacker may first take away every ko threat and then start his kos,
// so the line goes on settled, the attacker favoured, until two passes
// more. (Where the attacker is favoured, the fight's end is life.)
enum class Stage : std::uint8_t { Fight, AfterPass, Settled };

class WideSearch {
public:
    WideSearch(const WideRules& rules, WideTable& table);
    ~WideSearch();

    // The reading: which side wins kos (the other wins repetitions); each
    // reading keys its own positions in the shared table.
    void SetReading(Player favoured, int reading);
    Player Favoured() const { return m_favoured; }
    void SetControl(CRunControl* control) { m_control = control; }

    struct Outcome {
        bool cancelled = false;
        bool moverWins = false;
        Loc best = kNoLoc;  // a winning move when the side to move wins
        // At the problem's root: the first moves read, the most promising
        // first (least left to prove that they win; a winning move first).
        std::vector<Loc> promising;
    };
    // Reads the position with toMove to play. line holds the positions of
    // the line above it (Repetition keys, from the problem's root on); at
    // the root (line empty) only the first player's 'f' points are open,
    // and only is the one first move read (kNoLoc: all but the skipped
    // ones). fresh reads the position itself again even when the table
    // knows it, so that its winning move fits this line. stage is the
    // position's (Fight at the problem's root).
    Outcome Solve(const Board& board, Player toMove, Stage stage, const std::vector<std::uint64_t>& line, Loc only,
                  bool fresh, const std::vector<Loc>& skipped = {});

    // Keys of a position: for the table (with the ko ban and the reading)
    // and for repetitions (stones, the side to move, the ko ban and the
    // stage). A settled position is keyed as the reading favouring the
    // attacker keys it: it is the same game from there on.
    std::uint64_t TableKey(const Board& board, Player toMove, Stage stage) const;
    std::uint64_t TableKey(std::uint64_t hash, Player toMove, Loc koBan, Player koBanned, Stage stage) const;
    static std::uint64_t RepetitionKey(const Board& board, Player toMove, Stage stage);
    static std::uint64_t RepetitionKey(std::uint64_t hash, Player toMove, Loc koBan, Player koBanned, Stage stage);

    // Who wins kos in a stage of this reading.
    Player FavouredIn(Stage stage) const;
    // The moves of p, as the reading tries them (favoured: who may retake
    // against the ko ban, FavouredIn(stage) in the reading).
    void Moves(const Board& board, Player p, bool root, Stage stage, Player favoured,
               std::vector<WideRules::Move>& out) const;
    // The stage after p's move in a position of the given stage.
    Stage After(Stage stage, const Board& board, Player p, Loc move) const;

    std::int64_t Expanded() const { return m_expanded; }
    std::int64_t Played() const { return m_played; }
    int MaxDepth() const { return m_maxDepth; }

private:
    struct Child;
    struct Frame;
    // A frame for board after move (kNoLoc: board itself) with toMove to play.
    Frame& Push(const Board& board, Loc move, Player toMove, Stage stage, std::uint32_t thPhi, std::uint32_t thDelta);
    // The first moves a reading of the problem's root opens: the one read
    // alone, or all but the skipped ones.
    struct RootMoves {
        Loc only = kNoLoc;
        const std::vector<Loc>* skipped = nullptr;
        bool Open(Loc move) const;
    };
    // Makes the frame's children; at the problem's root only those root opens.
    void Expand(Frame& f, const RootMoves* root);
    void MakeChild(const Frame& f, Child& c);
    void SetGuess(Child& c, Player next, const WideRules::Estimate& guess) const;
    const TableEntry* FindKoFreeProof(std::uint64_t key) const;
    int RepetitionDepth(std::uint64_t repKey, int depth) const;
    void Refresh(Frame& f) const;
    void Finish(Frame& f);
    static std::vector<Loc> ByPromise(const Frame& f);
    static bool WinsKoFree(const Frame& f, const Child& c);
    void DescendInto(Frame& f);
    void Poll();
    End EndOf(const Board& board, Player toMove, Stage stage, std::uint64_t key);
    // Whether two passes end the fight with the attacker favoured next.
    bool Settles() const { return m_favoured == m_rules.Defender(); }

    const WideRules& m_rules;
    WideTable& m_table;
    CRunControl* m_control = nullptr;
    Player m_favoured = Color::Black;
    std::uint64_t m_readingKey = 0;
    std::uint64_t m_attackerReadingKey = 0;  // the reading favouring the attacker
    // The reading favouring the other side, when it has stored results.
    std::uint64_t m_otherReadingKey = 0;
    bool m_otherReadingStored = false;
    std::vector<std::unique_ptr<Frame>> m_frames;
    int m_top = -1;
    // Repetition keys of the line from the problem's root to the frame on top.
    std::vector<std::uint64_t> m_line;
    int m_base = 0;  // depth of the bottom frame
    std::vector<WideRules::Move> m_moves;
    Board m_scratch;  // a child being judged
    // The ends of positions met lately, by table key: a position's
    // children are made anew each time it is read again.
    struct KnownEnd {
        std::uint64_t key = 0;
        End end = End::None;
    };
    std::vector<KnownEnd> m_ends;
    bool m_cancelled = false;
    std::int64_t m_expanded = 0;
    std::int64_t m_played = 0;
    int m_maxDepth = 0;
};

}  // namespace go
