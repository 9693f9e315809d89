// Placeholder until the search lands: every reading is undecided.
#include "wide/wide_reader.h"

#include "solver/run_control.h"

namespace go {

struct WideReader::Impl {
};

std::vector<Loc> FirstMoves(const Problem& problem)
{
    std::vector<Loc> moves;
    for (const Candidate& c : problem.candidates) {
        if (c.kind != Kind::F)
            continue;
        bool seen = false;
        for (Loc m : moves)
            seen = seen || m == c.at;
        if (!seen && problem.board.At(c.at) == Color::Empty)
            moves.push_back(c.at);
    }
    if (problem.first == problem.defender)
        moves.push_back(kPass);
    return moves;
}

WideReader::WideReader(std::size_t) : m_impl(new Impl) {}
WideReader::~WideReader() = default;

WideReading WideReader::Read(const Problem&, Loc, CRunControl*)
{
    return WideReading();
}

std::vector<TreeMove> WideReader::SolutionTree(int, bool& cut)
{
    cut = false;
    return {};
}

}  // namespace go
