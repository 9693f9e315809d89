// The view's colour codes in go::Player terms, converted here and nowhere
// else: its board bytes, its history letters, the sides of its result
// table and the result code each side works for. On the view's board Black
// always attacks and White always defends.
#pragma once

#include "board/kovra_view.h"
#include "go/kind_rules.h"
#include "go/types.h"

constexpr go::Player kTableAttacker = go::Color::Black;
constexpr go::Player kTableDefender = go::Color::White;

// The board byte of a colour: kBlack, kWhite, else kEmpty.
constexpr unsigned char StoneByte(go::Color c)
{
    return c == go::Color::Black ? kBlack : c == go::Color::White ? kWhite : kEmpty;
}
// The colour of a board byte: Black, White, else Empty.
constexpr go::Color ColorOfStone(unsigned char byte)
{
    return byte == kBlack ? go::Color::Black : byte == kWhite ? go::Color::White : go::Color::Empty;
}

// The history letter of a player's stone, which is also how the view names
// a side: 'b' or 'w'.
constexpr char HistoryLetter(go::Player p) { return p == go::Color::Black ? 'b' : 'w'; }
// The player of a history letter: 'b' Black, any other White.
constexpr go::Player PlayerOfLetter(char letter)
{
    return letter == 'b' ? go::Color::Black : go::Color::White;
}

// The result table's side with p to move: kBlackToMove or kWhiteToMove.
constexpr int TableSide(go::Player p) { return p == go::Color::Black ? kBlackToMove : kWhiteToMove; }

// The role p plays on the view's board.
constexpr go::Role RoleOf(go::Player p)
{
    return p == kTableAttacker ? go::Role::Attacker : go::Role::Defender;
}

// The result code of p's success: death for the attacker, life for the defender.
constexpr int SuccessCode(go::Player p) { return p == kTableAttacker ? kDeath : kLife; }
