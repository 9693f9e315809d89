// kovra-solve's problems: the program's own position files and SGF
// collections in (each problem given to the table reader when it holds it,
// else to the wide reader), the answered problem (SGF with its solution
// tree) and its diagram (SVG) out.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "sgf/sgf.h"

class CKovraView;
struct KovraProblem;
struct ProblemSource;

// Which reader reads a problem: the table reader every problem it can hold
// and the wide reader the rest, or one of them for every problem.
enum class ReaderChoice : char { Auto, Table, Wide };

struct SolveOptions {
    std::optional<go::Goal> goal;  // --kill / --live; else the file's own first player
    const char* sgfOut = nullptr;  // --sgf-out
    const char* svgOut = nullptr;  // --svg
    int treeLimit = 2000;          // --tree-limit
    SgfStyle sgfStyle = SgfStyle::Kovra;  // --sgf-style
    bool svgCandidates = false;    // --svg-candidates
    bool pose = false;             // --pose: print the posed problem, do not solve
    std::optional<go::Player> defender;  // --defender; else told from the stones
    ReaderChoice reader = ReaderChoice::Auto;  // --reader
    // With --sgf-out DIR/ or --svg DIR/: the names the run's problems took.
    std::shared_ptr<std::set<std::string>> outputNames;
};

// kovra-solve's loader: every problem of the input (one for a position file,
// each game tree of an SGF file, the one that FILE.sgf#N names) in turn
// into the view, handed to loaded.
void LoadProblems(const SolveOptions& options, CKovraView& view, const char* path,
                  const std::function<bool(ProblemSource&)>& loaded);

// --pose: prints every problem of the input as posed; false when some gave
// an error (printed as "LABEL: error: REASON").
bool PoseFile(CKovraView& view, const char* path, const SolveOptions& options);

// What --pose prints for one problem: "LABEL:" and the posed board.
void PrintPosed(const std::string& label, const go::Problem& problem);
