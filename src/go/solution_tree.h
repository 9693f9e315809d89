// A solution tree on a problem's own board: each move with the moves that
// may follow it.
#pragma once

#include <string>
#include <vector>

#include "go/types.h"

namespace go {

struct TreeMove {
    Player player = Color::Black;
    Loc at = kPass;
    // Its own comment; empty: a leaf gets the line's Correct or Wrong.
    std::string comment;
    // The line ends here in a ko: the next move would retake it at once.
    bool ko = false;
    // The tree limit ended the line here although moves would follow.
    bool cut = false;
    std::vector<TreeMove> next;
};

}  // namespace go
