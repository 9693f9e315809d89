// The result codes that the searches return, the result table stores and
// the commands show, and the two sides a stored result belongs to.
#pragma once

// A search line that reached the ply cap; its result is stored nowhere.
constexpr int kExhausted = -3;
// A move without a liberty; the other side's success at the node above.
constexpr int kIllegal = -1;
// Nothing known: an empty table cell, or a run that came to no verdict.
constexpr int kUndecided = 0;
constexpr int kKo = 7;
constexpr int kLife = 8;
constexpr int kDeath = 9;

// The side to move in a stored position: the high nibble of a table cell
// is Black's, the low nibble White's.
constexpr int kBlackToMove = 1;
constexpr int kWhiteToMove = 2;

// True for the codes the table keeps: ko, life and death.
constexpr bool IsDecided(int code) { return code == kKo || code == kLife || code == kDeath; }
