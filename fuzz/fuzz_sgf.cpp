// Feeds arbitrary bytes to the SGF reader, reads and places (or poses) each
// problem, sets it up in the view and, on small move lists, solves it and
// writes it back: the SGF written must read again, and the view must stay
// sound throughout.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "board/kovra_view.h"
#include "invariants.h"
#include "sgf/sgf.h"
#include "sgf/sgf_stream.h"
#include "solver/solution_walk.h"

namespace {

constexpr std::size_t kTreesTried = 4;  // keeps every input quick

CKovraView& View()
{
    static CKovraView* view = new CKovraView;
    return *view;
}

void Solve(CKovraView& view, const KovraProblem& problem)
{
    view.m_writeSummary = false;
    view.m_traceName = nullptr;
    if (problem.live)
        view.OnStartDef();
    else
        view.OnStartAtk();
    CheckViewInvariants(view);
    std::vector<SgfTree> again;
    if (!ParseSgf(WriteSgf(view, problem, SgfWriteOptions{200, SgfStyle::Kovra}), again).empty() || again.size() != 1)
        std::abort();  // what Kovra writes, Kovra must read
    CheckViewInvariants(view);
}

bool SameTree(const SgfTree& a, const SgfTree& b)
{
    if (a.nodes.size() != b.nodes.size() || a.variations.size() != b.variations.size())
        return false;
    for (std::size_t i = 0; i < a.nodes.size(); ++i) {
        const auto& pa = a.nodes[i].properties;
        const auto& pb = b.nodes[i].properties;
        if (pa.size() != pb.size())
            return false;
        for (std::size_t k = 0; k < pa.size(); ++k)
            if (pa[k].id != pb[k].id || pa[k].values != pb[k].values)
                return false;
    }
    for (std::size_t v = 0; v < a.variations.size(); ++v)
        if (!SameTree(a.variations[v], b.variations[v]))
            return false;
    return true;
}

// The reader of one tree at a time reads the trees the whole-file reader
// reads, and counts them alike.
void CheckStreamAgrees(const std::string& text, const std::vector<SgfTree>& trees)
{
    SgfTreeReader reader;
    if (!reader.OpenText(text).empty())
        std::abort();
    std::size_t n = 0;
    SgfTree tree;
    std::string error;
    while (reader.Next(tree, error)) {
        if (n >= trees.size() || !SameTree(tree, trees[n]))
            std::abort();
        ++n;
    }
    SgfTreeReader counter;
    std::string countError;
    counter.OpenText(text);
    if (!error.empty() || n != trees.size() || CountSgfTrees(counter, countError) != n)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CKovraView& view = View();
    WatchStatusBar();
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<SgfTree> trees;
    if (!ParseSgf(text, trees).empty())
        return 0;
    CheckStreamAgrees(text, trees);
    for (std::size_t n = 0; n < trees.size() && n < kTreesTried; ++n) {
        SgfSource source;
        if (!ReadSource(trees[n], source).empty())
            continue;
        PoseOptions options;
        if (n % 3 != 0)
            options.goal = n % 3 == 1 ? go::Goal::Kill : go::Goal::Live;
        go::Problem posed;
        if (!PoseOnBoard(source, options, posed).empty())
            continue;
        FormatPosed(posed);
        KovraProblem problem;
        if (!ToTableProblem(posed, source.candidates.empty(), problem).empty())
            continue;
        SvgOptions svg;
        svg.candidates = n % 2 == 0;
        WriteSvg(OnFileBoard(problem), go::Verdict::Undecided, svg);
        LoadProblem(view, problem);
        CheckViewInvariants(view);
        if (view.m_moveCount <= 5)
            Solve(view, problem);
    }
    return 0;
}
