#include "wide_support.h"

go::Board BoardOf(const AsciiRows& rows, int size)
{
    go::Board board(size);
    for (std::size_t y = 0; y < rows.size(); ++y)
        for (std::size_t x = 0; x < rows[y].size(); ++x) {
            const char ch = rows[y][x];
            const go::Loc loc = go::MakeLoc(int(x) + 1, int(y) + 1);
            if (ch == 'X')
                board.SetStone(loc, go::Color::Black);
            else if (ch == 'O')
                board.SetStone(loc, go::Color::White);
        }
    return board;
}

AsciiRows RowsOf(const go::Board& board, int rows, int columns)
{
    AsciiRows out;
    for (int y = 1; y <= rows; ++y) {
        std::string row;
        for (int x = 1; x <= columns; ++x) {
            const go::Color c = board.At(go::MakeLoc(x, y));
            row += c == go::Color::Black ? 'X' : c == go::Color::White ? 'O' : '.';
        }
        out.push_back(row);
    }
    return out;
}

go::Problem ProblemOf(const AsciiRows& rows, int size, go::Player first)
{
    go::Problem problem;
    problem.board = go::Board(size);
    for (std::size_t y = 0; y < rows.size(); ++y)
        for (std::size_t x = 0; x < rows[y].size(); ++x) {
            const char ch = rows[y][x];
            const go::Loc loc = go::MakeLoc(int(x) + 1, int(y) + 1);
            const bool black = ch == 'X' || ch == 'B' || ch == 't';
            const bool white = ch == 'O' || ch == 'W' || ch == 'T';
            if (black || white)
                problem.board.SetStone(loc, black ? go::Color::Black : go::Color::White);
            if (ch == 'T' || ch == 't') {
                problem.targets.push_back(loc);
                problem.defender = ch == 'T' ? go::Color::White : go::Color::Black;
            }
            if (ch == 'a' || ch == 'B' || ch == 'W')
                problem.candidates.push_back(go::Candidate{loc, go::Kind::F});
        }
    problem.first = first;
    return problem;
}
