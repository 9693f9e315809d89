// Posing plain problems (no candidates marked). A stand-in until the posing
// rule lands: plain problems are refused.
#include <string>

#include "sgf/sgf.h"

std::string PosePlain(const SgfSource&, const PoseOptions&, KovraProblem&)
{
    return "no candidates marked (LB labels f, m, y, z)";
}

std::string FormatPosed(const KovraProblem& problem)
{
    std::string text;
    for (int y = 0; y < 11; ++y) {
        for (int x = 0; x < 11; ++x)
            text += ".XO"[problem.stone[y][x] < 3 ? problem.stone[y][x] : 0];
        text += '\n';
    }
    text += problem.live ? "start to live\n" : "start to kill\n";
    return text;
}
