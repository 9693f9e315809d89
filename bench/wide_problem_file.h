// Reads a position file ("b ROW COL", "w ROW COL", "f|m|y|z ROW COL" and
// "x ROW COL" for the targets, on an 11x11 board, White defending) as a
// problem for the wide reader.
#pragma once

#include <cstdio>
#include <string>

#include "board/board_size.h"
#include "go/problem.h"

// Empty on success, else why the file cannot be read.
inline std::string ReadWideProblem(const char* path, bool live, go::Problem& problem)
{
    std::FILE* file = std::fopen(path, "r");
    if (file == nullptr)
        return "cannot open";
    problem = go::Problem();
    problem.board = go::Board(kBoardSize);
    problem.defender = go::Color::White;
    problem.first = live ? go::Color::White : go::Color::Black;
    char kind = 0;
    int row = 0, column = 0;
    std::string error;
    while (error.empty() && std::fscanf(file, " %c %d %d", &kind, &row, &column) == 3) {
        const go::Loc loc = go::MakeLoc(column, row);
        go::Kind k = go::Kind::F;
        if (!problem.board.IsPoint(loc))
            error = "a point off the board";
        else if (kind == 'b' || kind == 'w')
            problem.board.SetStone(loc, kind == 'b' ? go::Color::Black : go::Color::White);
        else if (kind == 'x')
            problem.targets.push_back(loc);
        else if (go::KindOfLetter(kind, k))
            problem.candidates.push_back(go::Candidate{loc, k});
    }
    std::fclose(file);
    if (error.empty() && problem.targets.empty())
        error = "no target stones";
    return error;
}
