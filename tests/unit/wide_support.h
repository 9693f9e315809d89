// Positions for the tests of the Go position and the wide reader, written
// as small ASCII boards: 'X' black, 'O' white, '.' empty; on a board of
// its own size or in the top-left corner of a bigger one.
#pragma once

#include <random>
#include <string>
#include <vector>

#include "go/board.h"
#include "go/problem.h"

using AsciiRows = std::vector<std::string>;

// A board of the given size with the rows in its top-left corner.
go::Board BoardOf(const AsciiRows& rows, int size);
// The board's first rows and columns as ASCII rows.
AsciiRows RowsOf(const go::Board& board, int rows, int columns);

// A problem from rows in the top-left corner of a board of size points:
// 'X' black, 'O' white, '.' an empty point off the region, and inside the
// region ('f' points) 'a' empty, 'B' a black stone, 'W' a white stone.
// Capital 'T' is a white target stone, 't' a black one (the defender is
// the targets' colour). first is the side that moves first.
go::Problem ProblemOf(const AsciiRows& rows, int size, go::Player first);

// A seeded random problem on a 4x4 to 6x6 board, crowded so that the
// fights are close, kos among them: at most eight region points (the
// empty points, and now and then a stone), one or two target strings,
// kinds mostly 'f', either side first.
go::Problem RandomSmallProblem(std::mt19937& random);
