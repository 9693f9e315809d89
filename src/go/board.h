// A Go position on a board of any size up to 19x19: stones, strings with
// their liberties, captures, the simple ko ban and a Zobrist key that each
// move updates.
#pragma once

#include <cstdint>

#include "go/types.h"

namespace go {

class Board {
public:
    // An empty board of size x size points (1 to kMaxBoardSize).
    explicit Board(int size = kMaxBoardSize);

    int Size() const { return m_size; }
    Color At(Loc loc) const { return m_color[loc]; }
    // True for the points of the board (not the border, not a pass).
    bool IsPoint(Loc loc) const { return loc > 0 && loc < kLocs && m_color[loc] != Color::Wall; }

    // Puts a stone (or Color::Empty) on a point without any rule, as a
    // problem is set up; strings are rebuilt and the ko ban cleared.
    void SetStone(Loc loc, Color c);

    // Plays a stone of player p at loc, taking the strings it leaves without
    // a liberty; kPass passes and lifts the ko ban. False, with nothing
    // changed, for an occupied point, a stone without a liberty (suicide) or
    // the immediate retake of a ko.
    bool Play(Loc loc, Player p);
    // Whether Play would accept the move.
    bool IsLegal(Loc loc, Player p) const;

    // What Play(loc, p) of a legal move (or a pass) would leave, without
    // playing it: the key, the ko ban and the strings it would take (by
    // their heads now).
    struct Preview {
        std::uint64_t hash = 0;
        Loc koBan = kNoLoc;
        Player koBanned = Color::Empty;
        Loc taken[4] = {kNoLoc, kNoLoc, kNoLoc, kNoLoc};
        int takenStrings = 0;
    };
    Preview Foresee(Loc loc, Player p) const;

    // The point that KoBanned() may not play on now; kNoLoc when none.
    Loc KoBan() const { return m_koBan; }
    // Lets the banned side retake at once, as a reading that gives one
    // side every ko threat does.
    void LiftKoBan()
    {
        m_koBan = kNoLoc;
        m_koBanned = Color::Empty;
    }
    Player KoBanned() const { return m_koBanned; }
    // Stones the last Play took.
    int LastCaptures() const { return m_lastCaptures; }

    // The string through the stone at loc.
    Loc Head(Loc loc) const { return m_head[loc]; }
    int Liberties(Loc loc) const { return m_libs[m_head[loc]]; }
    int StringSize(Loc loc) const { return m_stones[m_head[loc]]; }
    // The next stone of the string, round and round.
    Loc NextStone(Loc loc) const { return m_next[loc]; }
    // One liberty of the string at loc (kNoLoc when it has none).
    Loc AnyLiberty(Loc loc) const;

    template <typename F>
    void ForEachStone(Loc loc, F f) const
    {
        Loc s = loc;
        do {
            f(s);
            s = m_next[s];
        } while (s != loc);
    }

    // Zobrist key of the stones (not of the player to move or the ko ban).
    std::uint64_t Hash() const { return m_hash; }
    static std::uint64_t StoneKey(Loc loc, Color c);

private:
    // The points one move takes.
    struct Removed {
        Loc at[kLocs];
        int count = 0;
    };
    void RemoveString(Loc head, Removed& removed);
    void MergeInto(Loc keep, Loc other);
    int CountLiberties(Loc head) const;
    void RebuildStrings();
    void RecountAroundTaken(Loc played, const Removed& removed);

    int m_size;
    Loc m_koBan = kNoLoc;
    Player m_koBanned = Color::Empty;
    int m_lastCaptures = 0;
    std::uint64_t m_hash = 0;
    Color m_color[kLocs];
    Loc m_head[kLocs];
    Loc m_next[kLocs];
    std::int16_t m_libs[kLocs];    // at a string's head
    std::int16_t m_stones[kLocs];  // at a string's head
};

}  // namespace go
