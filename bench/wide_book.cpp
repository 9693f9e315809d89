// wide-book: how fast the wide reader reads the book problems when the
// region is posed wide: every empty point of the stones' bounding box and
// --margin lines around it (default 1; clipped to the board) is an 'f' point, the side not
// to play defends all its stones there, the side to play moves first. A
// rough posing for measuring speed, not for judging answers; a problem is
// read with a deadline and counted as unfinished when it runs out.
// Arguments: SGF files; options --min N / --max N (region points),
// --seconds S (deadline, default 10), --limit N (problems per file),
// --margin N, --pick N,N,... (those problems only).
#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "sgf/sgf.h"
#include "solver/run_control.h"
#include "wide/wide_reader.h"

namespace {

bool PoseWide(const SgfSource& source, int margin, go::Problem& problem)
{
    if (source.black.empty() || source.white.empty())
        return false;
    problem = go::Problem();
    problem.board = go::Board(source.size);
    int x0 = source.size, y0 = source.size, x1 = 1, y1 = 1;
    for (const auto* stones : {&source.black, &source.white})
        for (const SgfPoint& p : *stones) {
            problem.board.SetStone(go::MakeLoc(p.x, p.y), stones == &source.black ? go::Color::Black : go::Color::White);
            x0 = std::min(x0, p.x), y0 = std::min(y0, p.y), x1 = std::max(x1, p.x), y1 = std::max(y1, p.y);
        }
    const go::Color toPlay = source.toPlay == 'W' ? go::Color::White : go::Color::Black;
    problem.first = toPlay;
    problem.defender = go::Opponent(toPlay);
    for (const SgfPoint& p : problem.defender == go::Color::Black ? source.black : source.white)
        problem.targets.push_back(go::MakeLoc(p.x, p.y));
    for (int y = std::max(1, y0 - margin); y <= std::min(source.size, y1 + margin); ++y)
        for (int x = std::max(1, x0 - margin); x <= std::min(source.size, x1 + margin); ++x)
            if (problem.board.At(go::MakeLoc(x, y)) == go::Color::Empty)
                problem.candidates.push_back(go::Candidate{go::MakeLoc(x, y), go::Kind::F});
    return true;
}


}  // namespace

int main(int argc, char** argv)
{
    int minPoints = 0, maxPoints = 1000, limit = 1 << 30, margin = 1;
    double seconds = 10;
    std::vector<const char*> files;
    std::vector<std::size_t> picked;  // problem numbers to read alone
    for (int i = 1; i < argc; ++i) {
        if (i + 1 < argc && std::strcmp(argv[i], "--min") == 0)
            minPoints = std::atoi(argv[++i]);
        else if (i + 1 < argc && std::strcmp(argv[i], "--max") == 0)
            maxPoints = std::atoi(argv[++i]);
        else if (i + 1 < argc && std::strcmp(argv[i], "--seconds") == 0)
            seconds = std::atof(argv[++i]);
        else if (i + 1 < argc && std::strcmp(argv[i], "--limit") == 0)
            limit = std::atoi(argv[++i]);
        else if (i + 1 < argc && std::strcmp(argv[i], "--margin") == 0)
            margin = std::atoi(argv[++i]);
        else if (i + 1 < argc && std::strcmp(argv[i], "--pick") == 0)
            for (char* n = std::strtok(argv[++i], ","); n; n = std::strtok(nullptr, ","))
                picked.push_back(static_cast<std::size_t>(std::atol(n)));
        else
            files.push_back(argv[i]);
    }
    go::WideReader reader(std::size_t{256} << 20);
    long long expanded = 0;
    double totalMs = 0, worstMs = 0;
    int read = 0, unfinished = 0, maxDepth = 0;
    for (const char* path : files) {
        std::string text;
        std::vector<SgfTree> trees;
        if (!ReadSgfFile(path, text).empty() || !ParseSgf(text, trees).empty()) {
            std::printf("%s: cannot read\n", path);
            continue;
        }
        int done = 0;
        for (std::size_t k = 0; k < trees.size() && done < limit; ++k) {
            if (!picked.empty() && std::find(picked.begin(), picked.end(), k + 1) == picked.end())
                continue;
            SgfSource source;
            go::Problem problem;
            if (!ReadSource(trees[k], source).empty() || !PoseWide(source, margin, problem))
                continue;
            const int points = static_cast<int>(problem.candidates.size());
            if (points < minPoints || points > maxPoints)
                continue;
            ++done;
            CRunControl control;
            const auto start = std::chrono::steady_clock::now();
            control.deadline = start + std::chrono::microseconds(static_cast<long long>(seconds * 1e6));
            const go::WideReading r = reader.Read(problem, go::kNoLoc, &control);
            const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
            ++read;
            unfinished += r.verdict == go::Verdict::Cancelled;
            expanded += r.expanded;
            totalMs += ms;
            worstMs = std::max(worstMs, ms);
            std::printf("%s#%zu %3d points: %-10s %10lld expanded, depth %3d, table %6.1f MB, %9.1f ms\n", path,
                        k + 1, points, go::NameOf(r.verdict), static_cast<long long>(r.expanded), r.depth,
                        r.tableBytes / 1048576.0, ms);
            maxDepth = std::max(maxDepth, r.depth);
            std::fflush(stdout);
        }
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%d problems, %d unfinished; %lld positions expanded in %.1f s, %.0f positions/s; worst %.1f s; "
                "longest line %d; peak memory %.1f MB\n",
                read, unfinished, expanded, totalMs / 1000, totalMs > 0 ? expanded * 1000.0 / totalMs : 0.0,
                worstMs / 1000, maxDepth, usage.ru_maxrss / 1024.0);
    return 0;
}
