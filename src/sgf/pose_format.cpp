// What --pose prints: the posed problem on its file's board, cropped to the
// problem's area, with one line per candidate and the command.
#include <algorithm>
#include <string>

#include "sgf/sgf.h"

namespace {

// Candidates are lettered a-z, then A-Z; '+' for any beyond.
char Label(std::size_t i)
{
    if (i < 26)
        return static_cast<char>('a' + i);
    if (i < 52)
        return static_cast<char>('A' + i - 26);
    return '+';
}

bool Has(const std::vector<go::Loc>& list, go::Loc p)
{
    return std::find(list.begin(), list.end(), p) != list.end();
}

bool IsTargetStone(const go::Problem& problem, go::Loc p)
{
    const go::Board& board = problem.board;
    return go::IsStone(board.At(p)) && std::any_of(problem.targets.begin(), problem.targets.end(), [&](go::Loc t) {
               return go::IsStone(board.At(t)) && board.Head(t) == board.Head(p);
           });
}

// The box of the candidates and targets, one line wider on each side.
struct Crop {
    int x0, y0, x1, y1;
};
Crop CropOf(const go::Problem& problem)
{
    const int size = problem.board.Size();
    Crop c{size, size, 1, 1};
    auto widen = [&](go::Loc p) {
        c.x0 = std::min(c.x0, go::LocX(p));
        c.x1 = std::max(c.x1, go::LocX(p));
        c.y0 = std::min(c.y0, go::LocY(p));
        c.y1 = std::max(c.y1, go::LocY(p));
    };
    for (const go::Candidate& m : problem.candidates)
        widen(m.at);
    for (int y = 1; y <= size; ++y)
        for (int x = 1; x <= size; ++x)
            if (IsTargetStone(problem, go::MakeLoc(x, y)))
                widen(go::MakeLoc(x, y));
    if (c.x0 > c.x1)
        return Crop{1, 1, size, size};
    return Crop{std::max(1, c.x0 - 1), std::max(1, c.y0 - 1), std::min(size, c.x1 + 1), std::min(size, c.y1 + 1)};
}

char Letter(int n) { return static_cast<char>('a' + n - 1); }

char Cell(const go::Problem& problem, go::Loc p)
{
    for (std::size_t i = 0; i < problem.candidates.size(); ++i)
        if (problem.candidates[i].at == p)
            return Label(i);
    if (IsTargetStone(problem, p))
        return '@';
    if (Has(problem.safe, p))
        return '#';
    const go::Color c = problem.board.At(p);
    return c == go::Color::Black ? 'X' : c == go::Color::White ? 'O' : '.';
}

const char* Name(go::Player p) { return p == go::Color::Black ? "Black" : "White"; }

}  // namespace

std::string FormatPosed(const go::Problem& problem)
{
    const Crop crop = CropOf(problem);
    std::string text = "  ";
    for (int x = crop.x0; x <= crop.x1; ++x)
        text += std::string(" ") + Letter(x);
    text += '\n';
    for (int y = crop.y0; y <= crop.y1; ++y) {
        text += std::string(" ") + Letter(y);
        for (int x = crop.x0; x <= crop.x1; ++x)
            text += std::string(" ") + Cell(problem, go::MakeLoc(x, y));
        text += '\n';
    }
    text += std::string("X black, O white, @ targets (") + Name(problem.defender) + " defends)";
    if (!problem.safe.empty())
        text += std::string(", # safe (") + Name(problem.Attacker()) + ")";
    text += "; SGF letters on the sides\n";
    for (std::size_t i = 0; i < problem.candidates.size(); ++i) {
        const go::Loc at = problem.candidates[i].at;
        text += std::string(1, Label(i)) + ": " + go::LetterOf(problem.candidates[i].kind) + " (" +
                std::to_string(go::LocY(at)) + ", " + std::to_string(go::LocX(at)) + "), file " + SgfLetters(at) +
                '\n';
    }
    text += problem.FirstGoal() == go::Goal::Live ? "start to live\n" : "start to kill\n";
    return text;
}
