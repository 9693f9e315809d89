// Go's answers on textbook shapes, with either side to move. Boards are
// drawn in a corner of a 19x19 board: 'a' an empty region point, 'T' a
// white target stone, 'X'/'O' other stones, '.' an empty point off the
// region (a liberty nobody fills). The brute-force reader confirms the
// small ones.
#include <gtest/gtest.h>

#include "wide/wide_reader.h"
#include "wide_brute.h"
#include "wide_support.h"

namespace {

using go::Color;
using go::Verdict;

struct Shape {
    const char* name;
    AsciiRows rows;
    Verdict blackFirst;  // Black to kill
    Verdict whiteFirst;  // White to live
};

const Shape kShapes[] = {
    {"bent three in the corner",
     {"aaTX.",
      "aTTX.",
      "TTXX.",
      "XXX..",
      "....."},
     Verdict::Death, Verdict::Life},
    {"bent four in the corner: a ko when Black starts",
     {"aaaTX",
      "aTTTX",
      "TTXXX",
      "XXX..",
      "....."},
     Verdict::Ko, Verdict::Life},
    {"bent four in the corner with two black stones inside: Black keeps the ko for the end, when "
     "White has no threats left, so the group dies; White to move starts a ko",
     {"aBBaWX.",
      "aTTTaX.",
      "TTXXXX.",
      "XX.....",
      "......."},
     Verdict::Death, Verdict::Ko},
    {"straight three on the edge",
     {"XTaaaTX",
      "XTTTTTX",
      "XXXXXXX",
      "......."},
     Verdict::Death, Verdict::Life},
    {"straight four on the edge lives",
     {"XTaaaaTX",
      "XTTTTTTX",
      "XXXXXXXX",
      "........"},
     Verdict::Life, Verdict::Life},
    {"bulky five",
     {"aaaTX.",
      "aaTTX.",
      "TTTXX.",
      "XXXX..",
      "......"},
     Verdict::Death, Verdict::Life},
    {"crossed five",
     {"XXXXXXX.",
      "XTTTTTX.",
      "XTTaTTX.",
      "XTaaaTX.",
      "XTTaTTX.",
      "XTTTTTX.",
      "XXXXXXX.",
      "........"},
     Verdict::Death, Verdict::Life},
    {"rabbity six",
     {"XXXXXXX.",
      "XTTaaTX.",
      "XTaaaTX.",
      "XTTaTTX.",
      "XTTTTTX.",
      "XXXXXXX.",
      "........"},
     Verdict::Death, Verdict::Life},
    {"six stones on the second line die",
     {"aaaaaaaa.",
      "XTTTTTTX.",
      "XXXXXXXX.",
      "........."},
     Verdict::Death, Verdict::Life},
    {"eight stones on the second line live",
     {"aaaaaaaaaa.",
      "XTTTTTTTTX.",
      "XXXXXXXXXX.",
      "..........."},
     Verdict::Life, Verdict::Life},
    {"a seki: whoever fills a shared liberty is taken",
     {"TaBBBBaOX.",
      "OOOOOOOOX.",
      "XXXXXXXXX.",
      ".........."},
     Verdict::Life, Verdict::Life},
    {"one eye and a ko White can never win: retaking only brings back the ko, so the group dies",
     {"aTaWX.",
      "TTTXX.",
      "XXXX..",
      "......"},
     Verdict::Death, Verdict::Death},
    {"three stones on the third line, walled in to the edge, die",
     {"XaaaX.",
      "XaaaX.",
      "XTTTX.",
      "XXXXX.",
      "......"},
     Verdict::Death, Verdict::Death},
    {"four stones on the third line die even with the first line open past both ends",
     {"aaaaaa.",
      "XaaaaX.",
      "XTTTTX.",
      "XXXXXX.",
      "......."},
     Verdict::Death, Verdict::Death},
    {"a capturing race of two liberties each: the first to move wins",
     {"aTXaO.",
      "aTXXO.",
      "TTXaO.",
      "XXXXO.",
      "OOOOO.",
      "......"},
     Verdict::Death, Verdict::Life},
};


}  // namespace

TEST(WideTextbook, ShapesReadAsGoKnowsThem)
{
    go::WideReader reader(1 << 22);
    for (const Shape& s : kShapes) {
        for (const Color first : {Color::Black, Color::White}) {
            SCOPED_TRACE(std::string(s.name) + (first == Color::Black ? ", Black first" : ", White first"));
            const go::Problem problem = ProblemOf(s.rows, 19, first);
            const Verdict expected = first == Color::Black ? s.blackFirst : s.whiteFirst;
            EXPECT_STREQ(go::NameOf(reader.Read(problem, go::kNoLoc, nullptr).verdict), go::NameOf(expected));
            if (problem.candidates.size() <= 7) {
                BruteReader brute(problem, 2000000);
                EXPECT_STREQ(go::NameOf(brute.Verdict()), go::NameOf(expected));
            }
        }
    }
}

// A big eye: 21 region points inside a white wall that keeps liberties
// outside the region. Benson's test sees it alive at once.
TEST(WideTextbook, ABigEyeLivesAtOnce)
{
    const AsciiRows rows = {
        "aaaaaaaT.",
        "aaaaaaaT.",
        "aaaaaaaT.",
        "TTTTTTTT.",
        "........."};
    go::WideReader reader(1 << 20);
    for (const Color first : {Color::Black, Color::White}) {
        const go::Problem problem = ProblemOf(rows, 19, first);
        ASSERT_EQ(problem.candidates.size(), 21u);
        const go::WideReading r = reader.Read(problem, go::kNoLoc, nullptr);
        EXPECT_EQ(r.verdict, Verdict::Life);
        EXPECT_EQ(r.expanded, 0);
    }
}
