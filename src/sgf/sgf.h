// SGF (FF[4]) problems in and out: the reader, the problem as it stands in
// the file, the problem as Kovra solves it (an 11x11 board, White defends)
// with the way back to the file's board, and the writers.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "board/board_size.h"
#include "go/problem.h"
#include "go/solution_tree.h"

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
// An SGF file, or one problem of it as "FILE.sgf#N" (N from 1): path and
// index (0 when none is given). False for any other name.
bool SplitProblemPath(const std::string& argument, std::string& path, int& index);
// Reads an SGF file into text, a little past what ParseSgf takes at most.
// Empty on success, else the reason ("cannot open: ...").
std::string ReadSgfFile(const char* path, std::string& text);

// A point of a board: column x and row y, both from 1, row 1 the top edge
// (SGF "aa" is (1, 1); Kovra's point (x, y) is the same point).
struct SgfPoint {
    int x = 0;
    int y = 0;
};

// A point in SGF letters: "ab" is column 1, row 2; a pass has none.
std::string SgfLetters(SgfPoint p);
std::string SgfLetters(go::Loc loc);

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
    // The root's properties that are not the problem itself (game
    // information, the comment, the charset, the file's own markup), in
    // file order: written back with the answer.
    std::vector<SgfProperty> info;
};
// Reads a game tree's root node (SZ, AB, AW, AE, PL, C, TR, MA, LB; GM
// must be 1). Empty on success, else the reason: no stones, a point given
// both colours, a candidate label f, y or z on a stone, a target string
// without a liberty.
std::string ReadSource(const SgfTree& tree, SgfSource& source);

// ---- the problem as Kovra solves it (sgf_problem.cpp, sgf_pose.cpp) -------
struct KovraProblem {
    // [row - 1][column - 1]: each point's go::Color as a byte (Empty, Black
    // or White); read and written through At and Set.
    unsigned char stone[kBoardSize][kBoardSize] = {};
    std::vector<SgfPoint> targets;     // at most 5, white stones
    std::vector<SgfSource::Candidate> moves;  // at most 15, in list order
    bool live = false;                 // "start to live" (White first), else "start to kill"
    // The way back to the file's board.
    int sourceSize = 11;
    int symmetry = 0;                  // 0..3, see ToSource
    bool swapped = false;              // the file's Black defends: colours swapped
    // The file's point of one of Kovra's points: symmetry bit 0 mirrors x
    // (x -> sourceSize + 1 - x) and bit 1 mirrors y. 0 is the identity; 1,
    // 2 and 3 bring the top-right, bottom-left and bottom-right corner to
    // Kovra's top-left. (Turning the board over its diagonal never makes a
    // problem fit a square window that a mirror does not.)
    SgfPoint ToSource(SgfPoint p) const;
    // Kovra's point of one of the file's points (off the 11x11 board when
    // the point lies outside the window posed).
    SgfPoint FromSource(SgfPoint p) const;
    // The file's point in SGF letters: "ba" for the file's column 2, row 1.
    std::string SourceLetters(SgfPoint p) const;
    // One of Kovra's points, and the player of one of Kovra's players, on
    // the file's board.
    go::Loc FileLoc(SgfPoint p) const;
    go::Player FilePlayer(go::Player kovra) const;
    // The colour on Kovra's point (x, y), both from 1 to kBoardSize.
    go::Color At(int x, int y) const { return static_cast<go::Color>(stone[y - 1][x - 1]); }
    void Set(int x, int y, go::Color c) { stone[y - 1][x - 1] = static_cast<unsigned char>(c); }
    // What the first player sets out to do, and who that is on Kovra's
    // board (White, the defender, for "start to live").
    go::Goal Goal() const { return live ? go::Goal::Live : go::Goal::Kill; }
    go::Player First() const { return live ? go::Color::White : go::Color::Black; }
    // The file's root information (SgfSource::info), written back with the answer.
    std::vector<SgfProperty> info;
};
struct PoseOptions {
    std::optional<go::Goal> goal;        // --kill / --live; else the file's first player plays
    std::optional<go::Player> defender;  // --defender; else told from the stones
};
// Who plays first as the file says it: PL, else the colour of the first
// move, else the root comment's words ("White to play", "White to live"),
// else Black, as collections that say nothing mean.
go::Player FirstPlayer(const SgfSource& source);
// The file's stones on a board of its size.
go::Board StonesOf(const SgfSource& source);
// A problem on the file's own board. Marked problems (candidates given)
// stand as marked: the targets' colour defends. Plain ones are posed by
// PosePlain. Empty on success, else the reason.
std::string PoseOnBoard(const SgfSource& source, const PoseOptions& options, go::Problem& problem);
// Poses a problem without candidates: who defends, the targets, the safe
// frame and the region's points (at most 40), vital points first.
std::string PosePlain(const SgfSource& source, const PoseOptions& options, go::Problem& problem);
// A plain problem posed with one ring more room: its blocks ('z') become
// points open to both sides ('f'), and the empty points next to its points
// become the new blocks. The same problem when nothing is added or opened.
go::Problem WithMoreRoom(const go::Problem& posed);
// The problem with the attacker's strings next to its points that have one
// or two liberties off them open to capture: their stones become 'm',
// those liberties 'f', and so do the blocks ('z') among their liberties,
// which the defender fills to take them.
go::Problem WithWeakFrameOpen(const go::Problem& posed);
// The problem on the table reader's board when it holds it: at most 15
// candidates and 5 targets, every stone and candidate on an 11x11 board
// as the file has them or by the first mirror that brings them there,
// colours swapped when Black defends. openSides: the problem's far sides
// are open board (a posed plain problem), so nothing may stand on the
// window's last lines of a larger board. Empty on success, else why not.
std::string ToTableProblem(const go::Problem& posed, bool openSides, KovraProblem& problem);
// PoseOnBoard, then ToTableProblem: the problem as the window holds it.
std::string PoseProblem(const SgfSource& source, const PoseOptions& options, KovraProblem& problem);
// What --pose prints: the problem's area of its board with targets (@),
// the attacker's safe frame (#) and the lettered candidates, one line per
// candidate ("a: f (3, 2), file bc"), and the command.
std::string FormatPosed(const go::Problem& problem);
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
// What the writer needs of a reading (solver/solution_walk.h reads it off the
// table reader's view; the wide reader gives the same).
struct SgfAnswer {
    std::string verdict;  // a paragraph of the root comment: the verdict in words, the counters
    go::Verdict outcome = go::Verdict::Undecided;
    bool decided = false; // death, life or ko, with a tree that shows it
    std::vector<go::TreeMove> tree;  // on the file's board, from the problem's position
    bool cut = false;     // the tree limit left lines out
};
// How lines are marked: kovra C[Correct] / C[Wrong] on every last move;
// goproblems C[RIGHT] on the last move of each correct line, as problem
// sites read it.
enum class SgfStyle { Kovra, GoProblems };
struct SgfWriteOptions {
    int treeLimit = 2000;  // moves in the whole tree; 0 leaves it out
    SgfStyle style = SgfStyle::Kovra;
};
// The verdict as a sentence from the first player's side: "Black to play
// kills.", "White to play lives only by ko.", "Undecided."
std::string VerdictWords(const go::Problem& problem, go::Verdict verdict);
// The problem on its file's board with the file's root information, the
// verdict as the root comment's last paragraph and the answer's tree.
// moreFirstMoves are first moves that fail, each with the winner's answers,
// added as further variations after the answer's tree (their leaves
// "Wrong"); the tree limit caps all of it together. A line that ends in a
// ko says so; a line the tree limit ended says it was cut. Text of a file
// whose CA names another charset is converted to UTF-8.
std::string WriteSgf(const go::Problem& problem, const std::vector<SgfProperty>& info,
                     const SgfAnswer& answer, std::vector<go::TreeMove> moreFirstMoves,
                     const SgfWriteOptions& options);
struct SvgOptions {
    bool candidates = false;  // the candidates' kind letters
};
// The problem as published diagrams show it: the file's corner, colours and
// size, cropped to the problem's area with open sides left open, star
// points, coordinates as players read them, the targets' triangles and a
// caption (who plays, and the verdict unless it is Undecided).
std::string WriteSvg(const go::Problem& problem, go::Verdict verdict, const SvgOptions& options);
// A point as players name it: column letter A-T without I, row number
// counted from the bottom edge ("R18" for SGF "ba" on 19x19); "pass".
std::string PlayerCoordinate(int boardSize, go::Loc loc);
