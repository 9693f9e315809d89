// The vocabulary of the newer code: stone colours and players, points with
// one pass value, candidate kinds, goals and verdicts. A board of any size
// up to 19x19 keeps a border ring, so a point is one small index whose
// neighbours are one step or one row away.
#pragma once

#include <cstdint>

namespace go {

// What stands on a cell. Wall is the border ring around the board.
enum class Color : std::uint8_t { Empty = 0, Black = 1, White = 2, Wall = 3 };
// Black or White: the side that plays a move, owns a group or is to move.
using Player = Color;

// Black for White and White for Black; any other value stays as it is.
constexpr Color Opponent(Color c)
{
    return c == Color::Black ? Color::White : c == Color::White ? Color::Black : c;
}
constexpr bool IsStone(Color c) { return c == Color::Black || c == Color::White; }

// A point: column x and row y, both from 1 (row 1 the top edge, as SGF
// "aa" is the top-left point), stored as x + kStride * y. Cells with x or
// y of 0 or past the board's size are the border.
using Loc = std::int16_t;
constexpr int kMaxBoardSize = 19;
constexpr int kStride = kMaxBoardSize + 2;
constexpr int kLocs = kStride * kStride;
// The one pass value (cell 0 is a corner of the border, never a point).
constexpr Loc kPass = 0;
// "No point": no ko ban, nothing found. Also a border cell, never a point.
constexpr Loc kNoLoc = kLocs - 1;

constexpr Loc MakeLoc(int x, int y) { return static_cast<Loc>(x + kStride * y); }
constexpr int LocX(Loc loc) { return loc % kStride; }
constexpr int LocY(Loc loc) { return loc / kStride; }
// Neighbour offsets in a fixed order: above, left, right, below.
constexpr int kAdjacent[4] = {-kStride, -1, 1, kStride};

// Who may play on a candidate point, and when (the kinds of the move list):
// f the first moves and open to both below the root, m open to both below
// the root, y the defender plays only to take an attacker group in atari,
// z the defender never plays and the attacker only next to a defender stone.
enum class Kind : char { F = 'f', M = 'm', Y = 'y', Z = 'z' };

// Kind of a letter 'f', 'm', 'y' or 'z'; false for any other letter.
constexpr bool KindOfLetter(char letter, Kind& kind)
{
    switch (letter) {
    case 'f': kind = Kind::F; return true;
    case 'm': kind = Kind::M; return true;
    case 'y': kind = Kind::Y; return true;
    case 'z': kind = Kind::Z; return true;
    default: return false;
    }
}
constexpr char LetterOf(Kind kind) { return static_cast<char>(kind); }

// What the side to move sets out to do: take a target, or keep every target.
enum class Goal : std::uint8_t { Kill, Live };

// The outcome of a reading. Exhausted belongs to the table reader (its ply
// limit); Cancelled is a reading stopped before its end.
enum class Verdict : std::uint8_t { Undecided, Death, Life, Ko, Exhausted, Cancelled };

// The verdict in one lower-case word: "death", "life", "ko", "exhausted",
// "cancelled" or "undecided".
constexpr const char* NameOf(Verdict v)
{
    switch (v) {
    case Verdict::Death: return "death";
    case Verdict::Life: return "life";
    case Verdict::Ko: return "ko";
    case Verdict::Exhausted: return "exhausted";
    case Verdict::Cancelled: return "cancelled";
    default: return "undecided";
    }
}

}  // namespace go
