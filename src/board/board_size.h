// The table reader's board: 11x11 points (the view keeps a border ring
// around them). Every loop over its points and every array of its points
// is sized by this.
#pragma once

constexpr int kBoardSize = 11;
