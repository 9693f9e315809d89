// SGF (FF[4]) problems in and out: the reader, the problem as it stands in
// the file, the problem as Kovra solves it (an 11x11 board, White defends)
// with the way back to the file's board, and the writers.
#pragma once

#include <string>
#include <vector>

#include "go/problem.h"

class CKovraView;

// ---- reading (sgf_parse.cpp) ----------------------------------------------
// One property: its identifier and its values with the escapes removed.
struct SgfProperty {
    std::string id;
    std::vector<std::string> values;
};
struct SgfNode {
    std::vector<SgfProperty> properties;
    // The property with this identifier, or null.
    const SgfProperty* Find(const char* id) const;
};
// A game tree: its sequence of nodes, then the variations that follow it.
struct SgfTree {
    std::vector<SgfNode> nodes;
    std::vector<SgfTree> variations;
};
// Reads a collection (one or more game trees); text outside the trees is
// passed over. Empty on success, else the reason with its byte offset
// (counted from 0), e.g. "byte 17: expected ']'". Bounded: 64 MB of text,
// variations nested 1,000 deep, 4 million nodes, properties and values.
std::string ParseSgf(const std::string& text, std::vector<SgfTree>& trees);
// Reads the one game tree that text holds; base is the text's first byte in
// its file, so that errors name the file's byte. Empty on success.
std::string ParseSgfTree(const std::string& text, std::size_t base, SgfTree& tree);
// True for a file name ending in ".sgf", in any case.
bool IsSgfPath(const char* path);
// Reads an SGF file into text, a little past what ParseSgf takes at most.
// Empty on success, else the reason ("cannot open: ...").
std::string ReadSgfFile(const char* path, std::string& text);

// A point of a board: column x and row y, both from 1, row 1 the top edge
// (SGF "aa" is (1, 1); Kovra's point (x, y) is the same point).
struct SgfPoint {
    int x = 0;
    int y = 0;
};

// ---- the problem as the file states it (sgf_source.cpp) ------------------
struct SgfSource {
    int size = 19;
    std::vector<SgfPoint> black;
    std::vector<SgfPoint> white;
    std::vector<SgfPoint> targets;  // TR and MA marks
    struct Candidate {
        char kind;  // 'f', 'm', 'y' or 'z' (LB labels), in file order
        SgfPoint at;
    };
    std::vector<Candidate> candidates;
    char toPlay = 0;  // 'B', 'W' or 0 without PL
    std::string comment;
};
// Reads a game tree's root node (SZ, AB, AW, AE, PL, C, TR, MA, LB).
// Empty on success, else the reason.
std::string ReadSource(const SgfTree& tree, SgfSource& source);

// ---- the problem as Kovra solves it (sgf_problem.cpp, sgf_pose.cpp) -------
struct KovraProblem {
    unsigned char stone[11][11] = {};  // [row - 1][column - 1]: 0 empty, 1 black, 2 white
    std::vector<SgfPoint> targets;     // at most 5, white stones
    std::vector<SgfSource::Candidate> moves;  // at most 15, in list order
    bool live = false;                 // "start to live" (White first), else "start to kill"
    // The way back to the file's board.
    int sourceSize = 11;
    int symmetry = 0;                  // 0..7, see ToSource
    bool swapped = false;              // the file's Black defends: colours swapped
    // The file's point of one of Kovra's points: symmetry bit 2 swaps x and
    // y first, then bit 0 mirrors x (x -> sourceSize + 1 - x) and bit 1
    // mirrors y. 0 is the identity; 1, 2 and 3 bring the top-right,
    // bottom-left and bottom-right corner to Kovra's top-left.
    SgfPoint ToSource(SgfPoint p) const;
    // Kovra's point of one of the file's points (off the 11x11 board when
    // the point lies outside the window posed).
    SgfPoint FromSource(SgfPoint p) const;
    // The file's point in SGF letters: "ba" for the file's column 2, row 1.
    std::string SourceLetters(SgfPoint p) const;
};
struct PoseOptions {
    char command = 0;   // 'k' --kill, 'l' --live, 0 from PL (or the defender to move)
    char defender = 0;  // 'b' / 'w' from --defender, 0 to tell from the stones
};
// Marked problems (candidates given) are placed as they stand when they fit
// the 11x11 board, else by the first symmetry that brings them onto it; when
// the targets are black the colours are swapped. PL naming the targets'
// colour means "start to live". Plain ones are posed by PosePlain. Empty on
// success, else the reason.
std::string PoseProblem(const SgfSource& source, const PoseOptions& options, KovraProblem& problem);
// Poses a problem without candidates: corner, sides, targets, candidates.
std::string PosePlain(const SgfSource& source, const PoseOptions& options, KovraProblem& problem);
// What --pose prints: an ASCII board with targets and lettered candidates,
// and the command.
std::string FormatPosed(const KovraProblem& problem);
// The problem the view holds now: its stones, move list and targets on
// Kovra's own board, "start to live" when the last run was.
KovraProblem ProblemOfView(const CKovraView& view);
// The problem on the file's own board, corner and colours (the defender
// Black when the colours were swapped).
go::Problem OnFileBoard(const KovraProblem& problem);
// Same stones, targets and candidates (in the same order).
bool SameSetup(const KovraProblem& a, const KovraProblem& b);
// Sets the problem up in the view as a user would: the stones as history
// entries, the candidates as the move list, the targets as target clicks.
void LoadProblem(CKovraView& view, const KovraProblem& problem);

// ---- writing (sgf_write.cpp, svg.cpp) -------------------------------------
// A move of a solution tree on Kovra's board, with the moves that follow it.
struct SgfTreeMove {
    int colour = 0;       // 1 Black, 2 White (Kovra's colours)
    SgfPoint at;          // (0, 0): a pass
    std::string comment;  // its own C[]; empty: none (a leaf gets Correct or Wrong)
    std::vector<SgfTreeMove> next;
};
// What the writer needs of a solver run, read off the view while it still
// holds that run's table.
struct SgfAnswer {
    std::string verdict;  // the root comment: the verdict in words, the counters
    int code = 0;         // the verdict's result code
    bool decided = false; // death, life or ko, with the table holding the answer
    std::vector<SgfTreeMove> tree;  // from the problem's position
    bool cut = false;     // the tree limit left lines out
};
// The view's last solver run on the problem with its solution tree read from
// the result table (at most treeLimit moves). onlyFirst is the first move
// that run read (kAllFirstMoves, an entry or kFirstMovePass): the tree opens
// with that move only. The tree is read only while the view still holds the
// position that run started from (verdict "Not solved." otherwise); the view
// is left exactly as it was.
SgfAnswer ReadAnswer(CKovraView& view, const KovraProblem& problem, int treeLimit, int onlyFirst);
// The problem with the answer, on the file's board and colours. wrongMoves
// are first moves that fail, each with the winner's answers, added as
// further variations after the answer's tree (their leaves "Wrong"); the
// tree limit caps all of it together.
std::string WriteSgf(const KovraProblem& problem, const SgfAnswer& answer,
                     std::vector<SgfTreeMove> wrongMoves, int treeLimit);
// The problem with the view's last solver run (its whole command).
std::string WriteSgf(CKovraView& view, const KovraProblem& problem, int treeLimit);
// The problem as a scalable diagram.
std::string WriteSvg(const KovraProblem& problem, bool coordinates);
