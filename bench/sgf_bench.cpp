// kovra-sgf-bench: reads a collection of 1,000 problems in one process
// (built in memory, or the SGF file given) and reports the time to parse,
// read and place them all, and the peak memory.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "sgf/sgf.h"

namespace {

// Bent three in each of the four corners of a 19x19 board, in turn, with a
// comment and a two-line solution as collections carry them.
std::string Collection(int count)
{
    const char* corners[4][2] = {
        {"AB[da][db][cc][dc][ad][bd][cd]AW[ca][bb][cb][ac][bc]TR[bb]", "LB[aa:f][ba:f][ab:f]"},
        {"AB[pa][pb][qc][pc][sd][rd][qd]AW[qa][rb][qb][sc][rc]TR[rb]", "LB[sa:f][ra:f][sb:f]"},
        {"AB[ds][dr][cq][dq][ap][bp][cp]AW[cs][br][cr][aq][bq]TR[br]", "LB[as:f][bs:f][ar:f]"},
        {"AB[ps][pr][qq][pq][sp][rp][qp]AW[qs][rr][qr][sq][rq]TR[rr]", "LB[ss:f][rs:f][sr:f]"},
    };
    std::string text;
    for (int i = 0; i < count; ++i) {
        const int c = i % 4;
        text += "(;FF[4]GM[1]SZ[19]C[Problem " + std::to_string(i + 1) + ": black to kill \\] ]" +
                corners[c][0] + corners[c][1] + "PL[B]\n(;B[aa];W[ba];B[ab]C[Correct])(;B[ba]C[Wrong]))\n";
    }
    return text;
}

bool ReadFile(const char* path, std::string& text)
{
    std::FILE* file = std::fopen(path, "rb");
    if (!file)
        return false;
    char buffer[1 << 16];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        text.append(buffer, n);
    std::fclose(file);
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string text;
    if (argc > 1 ? !ReadFile(argv[1], text) : (text = Collection(1000)).empty()) {
        std::fprintf(stderr, "kovra-sgf-bench: cannot read %s\n", argv[1]);
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    std::vector<SgfTree> trees;
    const std::string error = ParseSgf(text, trees);
    if (!error.empty()) {
        std::fprintf(stderr, "kovra-sgf-bench: %s\n", error.c_str());
        return 1;
    }
    const auto parsed = std::chrono::steady_clock::now();
    int placed = 0;
    for (const SgfTree& tree : trees) {
        SgfSource source;
        KovraProblem problem;
        if (ReadSource(tree, source).empty() && PoseProblem(source, PoseOptions(), problem).empty())
            ++placed;
    }
    const auto end = std::chrono::steady_clock::now();
    using Ms = std::chrono::duration<double, std::milli>;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%zu bytes, %zu problems: parse %.1f ms, read and place %.1f ms (%d placed), "
                "%.3f ms per problem; peak memory %.1f MB\n",
                text.size(), trees.size(), Ms(parsed - start).count(), Ms(end - parsed).count(), placed,
                Ms(end - start).count() / double(trees.empty() ? 1 : trees.size()),
                double(usage.ru_maxrss) / 1024.0);
    return 0;
}
