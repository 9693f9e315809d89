#include "wrong_moves.h"

#include "solver/first_moves.h"

namespace {

bool SamePoint(const go::TreeMove& a, const go::TreeMove& b)
{
    return a.player == b.player && a.at == b.at;
}

bool Holds(const std::vector<go::TreeMove>& moves, const go::TreeMove& move)
{
    for (const go::TreeMove& m : moves)
        if (SamePoint(m, move))
            return true;
    return false;
}

// The first move with the winner's answers from its own reading's tree.
go::TreeMove FirstMoveLine(const FirstMoveOf& firstMove, const CFirstMoveReading& reading,
                           const SgfAnswer* answer, const std::string& name)
{
    go::TreeMove line = firstMove(reading);
    if (answer != nullptr && answer->tree.size() == 1 && SamePoint(answer->tree[0], line))
        line.next = answer->tree[0].next;
    const bool decided = answer != nullptr && answer->decided;
    line.comment = (decided ? "Wrong: " : "Undecided: ") + name + " " + reading.verdict;
    return line;
}

const SgfAnswer* Find(const std::map<int, SgfAnswer>& answers, int candidate)
{
    const auto found = answers.find(candidate);
    return found == answers.end() ? nullptr : &found->second;
}

}  // namespace

std::vector<go::TreeMove> WrongFirstMoves(const FirstMoveOf& firstMove, const CFirstMoveCheck& check,
                                         const std::map<int, SgfAnswer>& answers,
                                         const MoveName& name)
{
    std::vector<go::TreeMove> solutions;
    for (int s : JudgeFirstMoves(check).solutions)
        solutions.push_back(firstMove(check.readings[static_cast<std::size_t>(s)]));
    const SgfAnswer* whole = Find(answers, kAllFirstMoves);
    std::vector<go::TreeMove> wrong;
    for (const CFirstMoveReading& reading : check.readings) {
        go::TreeMove line =
            FirstMoveLine(firstMove, reading, Find(answers, reading.candidate), name(reading));
        const bool shown = whole != nullptr && Holds(whole->tree, line);
        if (!shown && !Holds(solutions, line) && !Holds(wrong, line))
            wrong.push_back(std::move(line));
    }
    return wrong;
}
