// Points named as Go players name them on a board of any size.
#include <string>

#include "sgf/sgf.h"

std::string PlayerCoordinate(int boardSize, go::Loc loc)
{
    if (loc == go::kPass)
        return "pass";
    static const char kLetters[] = "ABCDEFGHJKLMNOPQRST";  // no I
    return std::string(1, kLetters[go::LocX(loc) - 1]) + std::to_string(boardSize + 1 - go::LocY(loc));
}
